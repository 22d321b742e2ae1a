// Works on a database from a separate process for the tests:
//   checkout INI USER PASSWORD SPEC LOCAL GOFILE
//     waits until GOFILE exists, then checks SPEC out into LOCAL. Exit 0 when checked out, 3 when
//     refused because someone else has it, 1 on any other error.
//   checkin-loop INI USER PASSWORD SPEC LOCAL SIZE PROGRESSFILE
//     checks in a new SIZE-byte content again and again (version n has VSSTestContent(n - 1)),
//     writing the number of the last version finished to PROGRESSFILE, until it is killed.
//   checkin INI USER PASSWORD SPEC LOCAL
//     checks LOCAL in. With RAVELIN_TEST_KILL_AT_READ_ONLY set to "before" or "after" the process
//     kills itself with SIGKILL just before or just after LOCAL is made read-only.
//   load INI USER PASSWORD PROJECT LOCALDIR SECONDS LOGFILE
//     for SECONDS, picks a file of PROJECT at random and either labels it or checks it out, writes
//     "TOKEN prev=BASE" (BASE: the first word of the content it got) and checks it in. Appends a
//     line to LOGFILE for what the database acknowledged ("in SPEC TOKEN", "label SPEC LABEL"),
//     "refused SPEC" for a check-out someone else holds and "error MESSAGE" for a busy, lost or
//     unreachable server, after which it carries on. Exit 0 at the end, 1 on any other error.
//   get INI USER PASSWORD SPEC LOCAL
//     gets the project SPEC and its subprojects into the folder LOCAL, replacing writable copies.
//     With RAVELIN_TEST_KILL_AT_RENAME set to n the process kills itself with SIGKILL as its n-th
//     file is about to be renamed into place.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <random>
#include <unistd.h>

#include "VSSTestContent.h"
#include "platform/Files.h"
#include "vss/api/VSSApi.h"
#include "vss/server/VSSDatabaseObject.h"

namespace {

std::string KillAtReadOnly;   // the file whose turn to read-only kills this process
int Renames = 0;

} // namespace

// Every rename of this program passes here too.
extern "C" int rename(const char* from, const char* to) {
  const char* killAt = std::getenv("RAVELIN_TEST_KILL_AT_RENAME");
  if (killAt && ++Renames == std::atoi(killAt)) ::kill(::getpid(), SIGKILL);
  return ::renameat(AT_FDCWD, from, AT_FDCWD, to);
}

// Every chmod of this program (the database code is linked in) passes here.
extern "C" int chmod(const char* path, mode_t mode) {
  const bool readOnly = !KillAtReadOnly.empty() && KillAtReadOnly == path && !(mode & S_IWUSR);
  const char* when = readOnly ? std::getenv("RAVELIN_TEST_KILL_AT_READ_ONLY") : nullptr;
  if (when && std::strcmp(when, "before") == 0) ::kill(::getpid(), SIGKILL);
  const int result = ::fchmodat(AT_FDCWD, path, mode, 0);
  if (when && std::strcmp(when, "after") == 0) ::kill(::getpid(), SIGKILL);
  return result;
}

namespace {

bool WaitForFile(const std::string& path) {
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!platform::FileExists(path)) {
    if (std::chrono::steady_clock::now() > limit) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

VSSPtr<IVSSItem> OpenItem(char** argv) {
  VSSPtr<IVSSDatabase> db(new VSSDatabaseObject());
  db->Open(argv[2], argv[3], argv[4]);
  return db->VSSItem(argv[5]);
}

int Checkout(char** argv) {
  VSSPtr<IVSSItem> item = OpenItem(argv);
  if (!WaitForFile(argv[7])) return 1;
  try {
    item->Checkout("", argv[6], 0);
    return 0;
  } catch (const EVSSAutomation& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return error.ErrorCode() == VSSError::CheckedOutByOther ? 3 : 1;
  }
}

int CheckinLoop(char** argv) {
  VSSPtr<IVSSItem> item = OpenItem(argv);
  const std::string local = argv[6];
  const size_t size = std::stoul(argv[7]);
  platform::ForceDirectories(platform::ExtractFileDir(local));
  // Bounded, so a helper whose test died stops by itself.
  const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(5);
  while (std::chrono::steady_clock::now() < limit) {
    const int32_t next = item->VersionNumber() + 1;
    // A killed predecessor may have left it checked out, or its copy not yet writable.
    if (item->IsCheckedOut() != VSSFILE_CHECKEDOUT_ME) item->Checkout("", local, VSSFLAG_GETNO);
    if (platform::FileExists(local)) platform::SetReadOnly(local, false);
    std::string error;
    if (!platform::WriteFileAtomic(local, VSSTestContent(next - 1, size), &error) ||
        (item->Checkin("loop", local, 0), !platform::WriteFileAtomic(argv[8], std::to_string(next), &error))) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
  }
  return 1;
}

class LoadLog {
public:
  explicit LoadLog(const char* file) : FFd(::open(file, O_WRONLY | O_CREAT | O_APPEND, 0644)) {}
  ~LoadLog() { ::close(FFd); }
  void Line(const std::string& text) {
    const std::string line = text + "\n";
    if (::write(FFd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) std::exit(1);
  }

private:
  int FFd;
};

int Load(char** argv) {
  VSSPtr<IVSSDatabase> db(new VSSDatabaseObject());
  db->Open(argv[2], argv[3], argv[4]);
  const std::string project = argv[5], folder = argv[6], user = argv[3];
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::stoi(argv[7]));
  LoadLog log(argv[8]);
  std::vector<std::string> files;
  {
    VSSPtr<IVSSItems> items = db->VSSItem(project)->Items(false);
    for (int32_t i = 1; i <= items->Count(); ++i) files.push_back(items->Item(i)->Spec());
  }
  std::mt19937 random(static_cast<unsigned>(::getpid()));
  // A check-out this user holds from before (a killed run, a lost connection) is given back first.
  auto release = [&](const std::string& spec) {
    VSSPtr<IVSSItem> item = db->VSSItem(spec);
    if (item->IsCheckedOut() == VSSFILE_CHECKEDOUT_ME) item->UndoCheckout(folder + "/undo", VSSFLAG_DELYES);
  };
  for (const std::string& spec : files) release(spec);
  std::string held;
  for (int round = 0; std::chrono::steady_clock::now() < end; ++round) {
    const std::string spec = files[random() % files.size()];
    const std::string token = user + "_" + std::to_string(round);
    try {
      if (!held.empty()) release(held);
      held.clear();
      VSSPtr<IVSSItem> item = db->VSSItem(spec);
      if (random() % 5 == 0) {
        item->Label(token, "");
        log.Line("label " + spec + " " + token);
        continue;
      }
      const std::string local = folder + "/" + item->Name();
      held = spec;
      item->Checkout("", local, VSSFLAG_REPREPLACE);
      std::string base;
      platform::ReadFile(local, base);
      platform::SetReadOnly(local, false);
      std::string error;
      if (!platform::WriteFileAtomic(local, token + " prev=" + base.substr(0, base.find(' ')) + "\n", &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
      }
      item->Checkin("", local, 0);
      held.clear();
      log.Line("in " + spec + " " + token);
    } catch (const EVSSAutomation& error) {
      if (error.ErrorCode() == VSSError::CheckedOutByOther) {
        held.clear();
        log.Line("refused " + spec);
      } else if (error.ErrorCode() == VSSError::DatabaseBusy || error.ErrorCode() == VSSError::DatabaseNotFound) {
        log.Line("error " + error.Message());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      } else {
        throw;
      }
    }
  }
  return 0;
}

int Checkin(char** argv) {
  VSSPtr<IVSSItem> item = OpenItem(argv);
  KillAtReadOnly = argv[6];
  item->Checkin("", argv[6], 0);
  return 0;
}

int Get(char** argv) {
  VSSPtr<IVSSItem> item = OpenItem(argv);
  std::string local = argv[6];
  item->Get(local, VSSFLAG_RECURSYES | VSSFLAG_REPREPLACE);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  try {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "checkout" && argc == 8) return Checkout(argv);
    if (command == "checkin-loop" && argc == 9) return CheckinLoop(argv);
    if (command == "checkin" && argc == 7) return Checkin(argv);
    if (command == "load" && argc == 9) return Load(argv);
    if (command == "get" && argc == 7) return Get(argv);
    std::fprintf(stderr, "usage: vss_test_helper checkout|checkin-loop|checkin|load|get ...\n");
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
  }
  return 1;
}
