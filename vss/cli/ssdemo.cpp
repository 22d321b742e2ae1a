// ssdemo: makes the demo SourceSafe database.
// Usage: ssdemo DIR WORKDIR [SAMPLES] [--register NAME]
// DIR gets a new database with the users Admin and guest (both with empty passwords) and the
// project $/Demo, holding the C++Builder sample project from SAMPLES (by default the one in the
// source tree) with a few versions and the label "1.0". Both users' working folder of $/Demo is
// WORKDIR, which ends up holding the latest versions, read-only, as after a Get, and the add-in's
// vss.rvl binding the sample project to $/Demo of this database. With --register the database is
// listed in SourceSafe's registry under NAME and made the current one.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "vss/api/VSSErrors.h"
#include "vss/api/VSSFlags.h"
#include "vss/api/VSSInterfaces.h"
#include "vss/server/VSSAdmin.h"
#include "vss/server/VSSDatabaseObject.h"

namespace fs = std::filesystem;

namespace {

VSSPtr<IVSSDatabase> OpenAs(const std::string& dir, const std::string& user) {
  VSSPtr<IVSSDatabase> database(new VSSDatabaseObject());
  database->Open(dir, user, "");
  return database;
}

// Checks a file out, appends a line to it and checks it in.
void Revise(IVSSItem& file, const std::string& line, const std::string& comment) {
  std::string local = file.LocalSpec();
  file.Checkout(comment, local, 0);
  std::string content;
  if (!platform::ReadFile(local, content)) throw Exception("Can not read " + local);
  std::string error;
  if (!platform::WriteFileAtomic(local, content + line + "\r\n", &error)) throw Exception(error);
  file.Checkin(comment, local, 0);
}

void Make(const std::string& dir, const std::string& work, const std::string& samples) {
  if (!fs::is_directory(samples)) throw Exception("No sample project in " + samples);
  VSSAdmin::CreateDatabase(dir);
  VSSAdmin::AddUser(dir, "guest", "");

  VSSPtr<IVSSDatabase> admin = OpenAs(dir, "Admin");
  VSSPtr<IVSSItem> demo = admin->VSSItem("$/")->NewSubproject("Demo", "The demo project");
  demo->SetLocalSpec(work);
  fs::create_directories(work);
  for (const auto& entry : fs::directory_iterator(samples)) {
    if (!entry.is_regular_file()) continue;
    std::string local = work + "/" + entry.path().filename().string();
    platform::SetReadOnly(local, false);
    fs::copy_file(entry.path(), local, fs::copy_options::overwrite_existing);
    demo->Add(local, "First version of the demo", 0);
  }

  auto file = [&](const char* name) { return admin->VSSItem(std::string("$/Demo/") + name); };
  Revise(*file("Util.cpp"), "// Greeting builds the text the main form shows.",
         "Explain what Greeting is for");
  demo->Label("1.0", "First release");
  Revise(*file("Unit1.cpp"), "// The form greets whoever types a name.", "Describe the form");

  // The add-in finds the binding of the project file beside it.
  platform::ProfileFile binding(work + "/vss.rvl");
  for (const auto& entry : fs::directory_iterator(work))
    if (entry.path().extension() == ".bpr" &&
        !(binding.WriteString(entry.path().filename().string(), "SCPATH", "$/Demo") &&
          binding.WriteString(entry.path().filename().string(), "SCDB", dir + "/srcsafe.ini")))
      throw Exception(binding.Error());

  VSSPtr<IVSSDatabase> guest = OpenAs(dir, "guest");
  guest->VSSItem("$/Demo")->SetLocalSpec(work);
  VSSPtr<IVSSItems> items = demo->Items(false);
  for (int32_t i = 1; i <= items->Count(); ++i) {
    std::string local;
    items->Item(i)->Get(local, VSSFLAG_REPREPLACE);
  }
}

} // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words;
  std::string registerAs;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--register" && i + 1 < argc)
      registerAs = argv[++i];
    else
      words.push_back(argv[i]);
  }
  if (words.size() < 2 || words.size() > 3) {
    std::fprintf(stderr, "Usage: ssdemo DIR WORKDIR [SAMPLES] [--register NAME]\n");
    return 100;
  }
  try {
    std::string dir = platform::ExpandFileName(words[0]), work = platform::ExpandFileName(words[1]);
    Make(dir, work, words.size() == 3 ? words[2] : std::string(RAVELIN_DEMO_SAMPLES));
    if (!registerAs.empty()) VSSAdmin::RegisterDatabase(registerAs, dir, true);
    std::printf("Demo database in %s, working folder %s\n", dir.c_str(), work.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 100;
  }
}
