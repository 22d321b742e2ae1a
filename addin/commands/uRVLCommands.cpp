#include "addin/commands/uRVLCommands.h"

#include <algorithm>
#include <memory>
#include <unistd.h>
#include <vector>

#include "addin/diagnostics/uRVLException.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uFrmOptions.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegOptions.h"
#include "addin/settings/uRegRVL.h"
#include "addin/settings/uRegVSS.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "ui/DesktopWindows.h"

namespace {

// Programs started here run on their own; each is reaped once it has ended.
std::vector<std::unique_ptr<platform::Process>>& Started() {
  static std::vector<std::unique_ptr<platform::Process>> started;
  std::erase_if(started, [](const auto& process) { return !process->Running(); });
  return started;
}

std::string InstallFolder() {
  return platform::IncludeTrailingPathDelimiter(TRVLRegFactory::_Instance().CreateRegRVL()->GetInstallPath());
}

pid_t ExplorerPid = -1;

} // namespace

platform::Process& StartProgram(const std::string& Program, const std::string& Arguments) {
  auto process = std::make_unique<platform::Process>();
  if (!process->Start(platform::QuoteArgument(Program) + (Arguments.empty() ? "" : " " + Arguments)))
    throw ERVLException("Can not run '" + Program + "' - " + process->Error());
  return *Started().emplace_back(std::move(process));
}

void TRVLCommands::Options() {
  TRVLFormFactory::_Instance().CreateOptions()->ShowModal();
  Application().BroadcastSettingChange();
}

void TRVLCommands::HelpContents() {
  const std::string manual = InstallFolder() + "RvlHelp.html";
  std::string error;
  if (!platform::ShellOpen(manual, &error)) throw ERVLException("Can not run 'xdg-open' - " + error);
}

void TRVLCommands::About() { TRVLFormFactory::_Instance().CreateAbout()->ShowModal(); }

void TRVLCommands::CheckForUpdates(bool Quiet) {
  StartProgram(InstallFolder() + "rvlupd",
               Globals().IDEKey + " " + std::to_string(getpid()) + (Quiet ? " Quiet" : ""));
  if (Quiet) TRVLRegFactory::_Instance().CreateRegOptions()->SetLastCheck(Today());
}

// An explorer already open, whoever started it, comes to the front. Where other programs' windows
// can't be seen, one started here and still running is left as it is.
void TRVLCommands::ExecuteSourceSafe() {
  if (RaiseWindowTitled(Globals().ExplorerTitle)) return;
  const auto& started = Started();
  if (std::ranges::any_of(started, [](const auto& process) { return process->Pid() == ExplorerPid; })) return;
  const std::string folder = TRVLRegFactory::_Instance().CreateRegVSS()->GetInstallDir();
  platform::Process& explorer = StartProgram(platform::IncludeTrailingPathDelimiter(folder) + Globals().ExplorerExe, "");
  ExplorerPid = explorer.Pid();
  explorer.WaitStarted(Globals().IdleWait);
}
