// The application object: exception event, window hooks, owned components.
#include <memory>
#include <stdexcept>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/Screen.h"
#include "ui/ScriptedPrompter.h"

namespace {

class ApplicationTest : public ::testing::Test {
protected:
  void SetUp() override {
    FSavedHandler = Application().OnException();
    auto prompter = std::make_unique<TScriptedPrompter>();
    FPrompter = prompter.get();
    FSavedPrompter = SetPrompter(std::move(prompter));
  }
  void TearDown() override {
    Application().SetOnException(FSavedHandler);
    SetPrompter(std::move(FSavedPrompter));
  }

  TScriptedPrompter* FPrompter = nullptr;
  std::unique_ptr<TPrompter> FSavedPrompter;
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

TEST_F(ApplicationTest, AHandlerCanChainToThePreviousOneAndPutItBack) {
  std::vector<std::string> calls;
  Application().SetOnException([&](TObject*, const std::exception& e) { calls.push_back(std::string("ide: ") + e.what()); });
  const TExceptionEvent previous = Application().OnException();
  Application().SetOnException([&](TObject* sender, const std::exception& e) {
    calls.push_back(std::string("addin: ") + e.what());
    previous(sender, e);
  });
  Application().HandleException(nullptr, Exception("x"));
  Application().SetOnException(previous);
  Application().HandleException(nullptr, Exception("y"));

  EXPECT_EQ(calls, (std::vector<std::string>{"addin: x", "ide: x", "ide: y"}));
}

TEST_F(ApplicationTest, AFailingHandlerDoesNotEscapeHandleException) {
  Application().SetOnException([](TObject*, const std::exception&) { throw std::runtime_error("log full"); });
  EXPECT_NO_THROW(Application().HandleException(nullptr, Exception("x")));
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
  a.Show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &a; }, 2000));
  b.Show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &b; }, 2000));

  EXPECT_EQ(log.Activations(), (std::vector<std::string>{"first:active:A", "second:active:A", "first:active:B", "second:active:B"}));

  log.Entries.clear();
  Application().RemoveWindowHook(first);
  Application().BroadcastSettingChange();
  EXPECT_EQ(log.Entries, (std::vector<std::string>{"second:settings"}));

  Application().RemoveWindowHook(second);
  Application().BroadcastSettingChange();
  EXPECT_EQ(log.Entries.size(), 1u);
}

TEST_F(ApplicationTest, AMouseClickActivationIsReportedAsClickActive) {
  THookLog log;
  const THookId id = Application().AddWindowHook([&](const TCWPStruct& m) { log.Record("hook", m); });
  TForm a, b;
  a.setObjectName("A");
  b.setObjectName("B");
  a.Show();
  b.Show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &b; }, 2000));
  log.Entries.clear();

  QTest::mousePress(&a, Qt::LeftButton, {}, QPoint(5, 5));   // a press on the inactive window
  a.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &a; }, 2000));
  QTest::mouseRelease(&a, Qt::LeftButton, {}, QPoint(5, 5));
  b.activateWindow();   // by the program
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &b; }, 2000));
  Application().RemoveWindowHook(id);

  EXPECT_EQ(log.Activations(), (std::vector<std::string>{"hook:click:A", "hook:active:B"}));
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

TEST_F(ApplicationTest, ComponentsOwnedByTheApplicationAreFoundByNameAndCaption) {
  auto menu = new TMenuItem(&Application());
  menu->SetName("VersionControlMenu");
  menu->SetCaption("S&ourceSafe");

  EXPECT_EQ(Application().FindComponent("versioncontrolmenu"), menu);
  TMenuItem* byCaption = nullptr;
  for (QObject* component : Application().Components())
    if (auto item = qobject_cast<TMenuItem*>(component); item && item->Caption() == "S&ourceSafe") byCaption = item;
  EXPECT_EQ(byCaption, menu);
  delete menu;
  EXPECT_EQ(Application().FindComponent("VersionControlMenu"), nullptr);
}

TEST_F(ApplicationTest, WaitCursorIsRestoredWhenAnExceptionLeavesTheScope) {
  Screen().SetCursor(crDefault);
  try {
    TWaitCursor wait;
    EXPECT_EQ(Screen().Cursor(), crHourGlass);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    throw std::runtime_error("failed while busy");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(Screen().Cursor(), crDefault);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  Screen().SetCursor(crDrag);   // an outer cursor comes back, not the default
  {
    TWaitCursor wait;
  }
  EXPECT_EQ(Screen().Cursor(), crDrag);
  Screen().SetCursor(crDefault);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
