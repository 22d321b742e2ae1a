// The application object: exception event and window hooks.
#include <memory>
#include <stdexcept>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "ScriptedPrompterScope.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"

namespace {

class ApplicationTest : public ::testing::Test {
protected:
  void SetUp() override { FSavedHandler = Application().OnException(); }
  void TearDown() override { Application().SetOnException(FSavedHandler); }

  TScriptedPrompterScope FPrompts;
  TScriptedPrompter* FPrompter = FPrompts.Script;
  TExceptionEvent FSavedHandler;
};

TEST_F(ApplicationTest, ExceptionFromClickHandlerReachesOnExceptionWithItsSender) {
  TMenuItem item(nullptr);
  item.SetName("mnuFail");
  item.OnClick = [](TObject*) { throw std::runtime_error("disk full"); };
  std::string message, senderClass, senderName;
  Application().SetOnException([&](TObject* sender, const std::exception& e) {
    message = e.what();
    senderClass = ClassName(sender);
    senderName = ComponentName(sender);
  });

  item.Action()->trigger();   // as a person's click arrives

  EXPECT_EQ(message, "disk full");
  EXPECT_EQ(senderClass, "TMenuItem");
  EXPECT_EQ(senderName, "mnuFail");
  EXPECT_TRUE(FPrompter->Prompts().empty());
}

TEST_F(ApplicationTest, WithoutHandlerTheErrorIsShownThroughThePrompter) {
  Application().SetOnException(nullptr);
  Application().SetTitle("Ravelin IDE");
  FPrompter->AddAnswer("OK");
  Guarded(&Application(), [] { throw Exception("Cannot open file"); });

  ASSERT_EQ(FPrompter->Prompts().size(), 1u);
  const TPromptRecord& shown = FPrompter->Prompts()[0];
  EXPECT_EQ(shown.Kind, TPromptKind::MessageBox);
  EXPECT_EQ(shown.Caption, "Ravelin IDE");
  EXPECT_EQ(shown.Text, "Cannot open file");
  EXPECT_EQ(shown.Icon, "Error");
}

// Chaining to the replaced handler and giving it back: the exception handler's tests.
TEST_F(ApplicationTest, AFailingHandlerNeverEscapes) {
  Application().SetOnException([](TObject*, const std::exception&) { throw std::runtime_error("log full"); });
  EXPECT_NO_THROW(Application().HandleException(nullptr, Exception("z")));
}

struct THookLog {
  std::vector<std::string> Entries;
  void Record(const std::string& who, const TCWPStruct& m) {
    std::string what = m.Message == WM_WININICHANGE ? "settings"
                       : m.WParam == WA_ACTIVE       ? "active"
                       : m.WParam == WA_CLICKACTIVE  ? "click"
                                                     : "inactive";
    Entries.push_back(who + ":" + what + (m.Window ? ":" + m.Window->objectName().toStdString() : ""));
  }
  // Only the activations, to keep deactivations of other windows out of a comparison.
  std::vector<std::string> Activations() const {
    std::vector<std::string> result;
    for (const auto& e : Entries)
      if (e.find(":inactive") == std::string::npos) result.push_back(e);
    return result;
  }
};

TEST_F(ApplicationTest, WindowHooksSeeActivationsInInstallationOrderUntilRemoved) {
  THookLog log;
  const THookId first = Application().AddWindowHook([&](const TCWPStruct& m) { log.Record("first", m); });
  const THookId second = Application().AddWindowHook([&](const TCWPStruct& m) { log.Record("second", m); });
  TForm a, b;
  a.setObjectName("A");
  b.setObjectName("B");
  auto activated = [](TForm& form) {
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == &form; }, 2000);
  };
  a.Show();
  ASSERT_TRUE(activated(a));
  b.Show();
  ASSERT_TRUE(activated(b));
  EXPECT_EQ(log.Activations(),
            (std::vector<std::string>{"first:active:A", "second:active:A", "first:active:B", "second:active:B"}));

  // A mouse press on an inactive window activates it with a click; the program's own activation does not.
  Application().RemoveWindowHook(first);
  log.Entries.clear();
  QTest::mousePress(&a, Qt::LeftButton, {}, QPoint(5, 5));
  a.activateWindow();
  ASSERT_TRUE(activated(a));
  QTest::mouseRelease(&a, Qt::LeftButton, {}, QPoint(5, 5));
  b.activateWindow();
  ASSERT_TRUE(activated(b));
  EXPECT_EQ(log.Activations(), (std::vector<std::string>{"second:click:A", "second:active:B"}));

  log.Entries.clear();
  Application().BroadcastSettingChange();
  EXPECT_EQ(log.Entries, (std::vector<std::string>{"second:settings"}));
  Application().RemoveWindowHook(second);
  Application().BroadcastSettingChange();
  EXPECT_EQ(log.Entries.size(), 1u);
}

TEST_F(ApplicationTest, AHookMayRemoveItselfAndItsExceptionsGoToTheExceptionEvent) {
  std::vector<std::string> calls;
  Application().SetOnException([&](TObject* sender, const std::exception& e) {
    calls.push_back(ClassName(sender) + ": " + e.what());
  });
  THookId self = 0;
  self = Application().AddWindowHook([&](const TCWPStruct&) {
    Application().RemoveWindowHook(self);
    throw std::runtime_error("hook failed");
  });
  const THookId after = Application().AddWindowHook([&](const TCWPStruct&) { calls.push_back("after"); });
  Application().BroadcastSettingChange();
  Application().BroadcastSettingChange();
  Application().RemoveWindowHook(after);

  EXPECT_EQ(calls, (std::vector<std::string>{"TApplication: hook failed", "after", "after"}));
}

} // namespace
