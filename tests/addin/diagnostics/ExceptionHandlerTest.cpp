// The debug log's records, the choice between short and detailed record, the log's size rule and the
// exception event taken over and given back.
#include <cstdio>
#include <filesystem>
#include <regex>
#include <stdexcept>

#include <QEvent>
#include <QLabel>

#include <gtest/gtest.h>

#include "HandlerFixture.h"
#include "addin/diagnostics/uFrmScanDebug.h"
#include "addin/diagnostics/uRVLException.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegRVL.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "ui/Object.h"

// A sender of the add-in's own kind: not a component, so it has a class but no name. (Outside the
// anonymous namespace, so that its class name is plain.)
class TTestSender : public TObject {};

namespace {

int KnownRaiseLine = 0;

__attribute__((noinline)) void RaiseAtKnownLine() {
  KnownRaiseLine = __LINE__ + 1;
  throw Exception("Access violation in the add-in");
}

// Counts how often a window was shown.
class TShowCounter : public QObject {
public:
  explicit TShowCounter(QWidget* window) { window->installEventFilter(this); }
  int Shows = 0;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) ++Shows;
    return false;
  }
};

std::string Hex(uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%08llX", static_cast<unsigned long long>(value));
  return text;
}

class ExceptionHandlerTest : public HandlerFixture {
protected:
  // Raises through `raise` and hands the exception to the handler from inside the catch block.
  template <class Raise>
  void Report(TObject* sender, Raise raise) {
    try {
      raise();
    } catch (const std::exception& e) {
      Handler().HandleException(sender, e);
    }
  }
};

TEST_F(ExceptionHandlerTest, OwnExceptionGetsTheShortRecordAndIsPassedOn) {
  Start();
  TShowCounter waiting(Handler().ScanForm());
  TTestSender sender;
  const void* first = nullptr;
  Report(&sender, [&] {
    ERVLException e("File must be saved");
    first = e.Address();
    throw e;
  });
  Report(nullptr, [] { throw ERVLException("Writeable"); });

  std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 10u) << "five lines per record";
  EXPECT_TRUE(std::regex_match(lines[0], std::regex(".+ ==> File must be saved"))) << lines[0];
  EXPECT_EQ(lines[1], "   ==> Sender Class: TTestSender   Sender Name:    Exception: ERVLException");
  EXPECT_EQ(lines[2], "   ==>  Adress:" + Hex(reinterpret_cast<uintptr_t>(first)));
  EXPECT_EQ(lines[3], "   ==> Adress Details: () Function: ");
  EXPECT_EQ(lines[4], std::string(42, '-'));
  // In the order handled; a nil sender leaves class and name empty.
  EXPECT_TRUE(std::regex_match(lines[5], std::regex(".+ ==> Writeable"))) << lines[5];
  EXPECT_EQ(lines[6], "   ==> Sender Class:    Sender Name:    Exception: ERVLException");
  EXPECT_EQ(FPassedOn, (std::vector<std::string>{"File must be saved", "Writeable"}));
  EXPECT_EQ(waiting.Shows, 0) << "no waiting window for a short record";
}

TEST_F(ExceptionHandlerTest, FaultInOwnModuleNamesSourceLineAndFunctionFromTheMap) {
  InstallOwnMap();
  Start();
  TShowCounter waiting(Handler().ScanForm());
  TTestSender sender;
  Report(&sender, [] { RaiseAtKnownLine(); });

  std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1], "   ==> Sender Class: TTestSender   Sender Name:    Exception: Exception");
  const std::string program = std::filesystem::read_symlink("/proc/self/exe").filename().string();
  EXPECT_TRUE(std::regex_match(lines[2], std::regex("   ==> Unit: " + program + " RVLAdress:[0-9A-F]{8}")))
      << lines[2];
  EXPECT_EQ(lines[3], "   ==> Adress Details: (Unit: tests/addin/diagnostics/ExceptionHandlerTest.cpp Line: " +
                          std::to_string(KnownRaiseLine) + ") Function: (anonymous namespace)::RaiseAtKnownLine()");
  EXPECT_EQ(FPassedOn.size(), 1u);
  EXPECT_EQ(waiting.Shows, 1);
  EXPECT_FALSE(Handler().ScanForm()->isVisible()) << "the waiting window hides after the search";
  EXPECT_EQ(Handler().ScanForm()->lblError->text().toStdString(), "Access violation in the add-in");
}

TEST_F(ExceptionHandlerTest, MissingMapStillWritesTheDetailedRecord) {
  Start();
  Report(nullptr, [] { RaiseAtKnownLine(); });
  std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_TRUE(std::regex_match(lines[2], std::regex("   ==>  RVLAdress:[0-9A-F]{8}"))) << lines[2];
  EXPECT_EQ(lines[3], "   ==> Adress Details: () Function: ");
}

TEST_F(ExceptionHandlerTest, ForeignExceptionIsShortUnlessItsMessageNamesTheModule) {
  Start();
  Report(nullptr, [] { throw std::runtime_error("disk full"); });
  // No raise address is known, but the message names the add-in's file in another letter case.
  std::string named = "Access violation in module " + platform::UpperCase(Handler().ModuleName());
  Report(nullptr, [&] { throw std::runtime_error(named); });

  std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[1], "   ==> Sender Class:    Sender Name:    Exception: std::runtime_error");
  EXPECT_EQ(lines[2], "   ==>  Adress:00000000");
  EXPECT_TRUE(std::regex_match(lines[7], std::regex("   ==>  RVLAdress:[0-9A-F]{8}"))) << lines[7];
}

TEST_F(ExceptionHandlerTest, LogOverTheLimitIsDeletedAtStartUp) {
  WriteFile("install/RVLDebug.txt", std::string(TRVLExceptionHandler::MaxLogSize, 'x'));
  Start();
  EXPECT_EQ(platform::FileSize(LogFile()), TRVLExceptionHandler::MaxLogSize) << "at the limit it is kept";
  Stop();

  WriteFile("install/RVLDebug.txt", std::string(TRVLExceptionHandler::MaxLogSize + 1, 'x'));
  Start();
  EXPECT_FALSE(platform::FileExists(LogFile()));
  Report(nullptr, [] { throw ERVLException("after the deletion"); });
  EXPECT_EQ(LogLines().size(), 5u) << "the next record starts a new log";
}

TEST_F(ExceptionHandlerTest, TakesTheExceptionEventAndGivesItBack) {
  Start();
  Application().HandleException(nullptr, ERVLException("through the application"));
  EXPECT_EQ(LogLines().size(), 5u) << "the application's event now logs";
  EXPECT_EQ(FPassedOn.size(), 1u) << "and passes on to the event it replaced";

  Stop();
  Application().HandleException(nullptr, ERVLException("after Done"));
  EXPECT_EQ(LogLines().size(), 5u) << "nothing logged after Done";
  EXPECT_EQ(FPassedOn.back(), "after Done") << "the previous event is back";
}

TEST_F(ExceptionHandlerTest, UnwritableLogIsReportedAndTheExceptionStillPassedOn) {
  std::filesystem::create_directories(LogFile());   // a folder where the log should be
  Start();
  FPrompter->AddAnswer("OK");
  Report(nullptr, [] { throw ERVLException("lost record"); });
  ASSERT_EQ(FPrompter->Prompts().size(), 1u);
  EXPECT_EQ(FPrompter->Prompts()[0].Icon, "Error");
  EXPECT_NE(FPrompter->Prompts()[0].Text.find("RVLDebug.txt"), std::string::npos) << FPrompter->Prompts()[0].Text;
  EXPECT_EQ(FPassedOn, std::vector<std::string>{"lost record"});
}

TEST_F(ExceptionHandlerTest, MissingInstallFolderIsCreatedAndAnEmptyOneFallsBackToHome) {
  Start();
  EXPECT_TRUE(platform::DirectoryExists(InstallDir()));
  EXPECT_EQ(Handler().LogFileName(), LogFile());
  Stop();

  TRVLRegFactory::_Instance().CreateRegRVL()->Registry().WriteString("PATH", "");
  Start();
  EXPECT_EQ(Handler().LogFileName(), (HomeDir() / "RVLDebug.txt").string());
  EXPECT_EQ(Handler().MapFileName(), (HomeDir() / platform::ChangeFileExt(Handler().ModuleName(), ".map")).string());
}

} // namespace
