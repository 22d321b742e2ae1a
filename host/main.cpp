// ravelin-ide: the IDE. `ravelin-ide [--addin PATH] [FILE...]` opens the files or projects given;
// `ravelin-ide --script SCENARIO [--addin PATH]` runs a scenario offscreen and exits with its result.
// Without a script, SIGUSR1 makes the IDE report what it shows (host/SignalReport.h).
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/MainForm.h"
#include "host/RuntimeDir.h"
#include "host/ScriptRunner.h"
#include "host/SignalReport.h"
#include "ui/QtApplication.h"
#include "ui/ScriptedPrompter.h"

namespace {

struct TOptions {
  std::string Script;
  std::string AddIn;
  std::vector<std::string> Files;
};

bool ParseOptions(int argc, char** argv, TOptions& options) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if ((arg == "--script" || arg == "--addin") && i + 1 < argc)
      (arg == "--script" ? options.Script : options.AddIn) = argv[++i];
    else if (arg.rfind("--", 0) == 0)
      return false;
    else
      options.Files.push_back(arg);
  }
  return true;
}

// The offscreen platform warns about every window operation it can't do; scenario transcripts stay
// readable without them.
QtMessageHandler StandardMessageHandler = nullptr;

void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  if (StandardMessageHandler)
    StandardMessageHandler(type, context, message);
  else
    std::cerr << message.toStdString() << '\n';
}

int RunScript(THost& host, TScriptRunner& runner) {
  bool passed = runner.Run();
  host.Shutdown();
  passed = passed && runner.ClosedAnswered();
  if (!passed) {
    std::cerr << runner.Error() << '\n';
    return 1;
  }
  std::cout << "scenario passed\n";
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (!ParseOptions(argc, argv, options)) {
    std::cerr << "usage: ravelin-ide [--addin PATH] [FILE...]\n"
                 "       ravelin-ide --script SCENARIO [--addin PATH]\n";
    return 2;
  }
  bool scripted = !options.Script.empty();
  if (scripted && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  PrepareRuntimeDir();
  if (scripted) StandardMessageHandler = qInstallMessageHandler(QuietOffscreenWarnings);
  TQtApplication app(argc, argv);

  TScriptedPrompter* prompter = nullptr;
  if (scripted) {
    auto scriptedPrompter = std::make_unique<TScriptedPrompter>();
    prompter = scriptedPrompter.get();
    SetPrompter(std::move(scriptedPrompter));
  }

  THost host;
  // Before any window shows: a window on the desktop means the report can be asked for.
  if (!scripted) ReportOnSignal(host);
  host.MainForm()->Show();
  std::unique_ptr<TScriptRunner> runner;
  if (scripted) {
    runner = std::make_unique<TScriptRunner>(host, *prompter, std::cout);
    if (!runner->Load(options.Script)) {
      std::cerr << runner->Error() << '\n';
      return 1;
    }
    runner->QueueLeadingAnswers();
  }
  try {
    host.LoadAddIn(options.AddIn);
  } catch (const EPromptScript&) {
    // The prompter recorded the failure: the scenario fails on it before its first step.
  }
  for (const std::string& file : options.Files) host.OpenFile(file);
  if (scripted) return RunScript(host, *runner);

  host.MainForm()->OnClose = [&app](TObject*) { app.quit(); };
  int result = app.exec();
  host.Shutdown();
  return result;
}
