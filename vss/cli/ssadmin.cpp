// ssadmin: administration of SourceSafe databases (creating them, users, options, and the
// registration of the automation server).
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Environment.h"
#include "platform/Exception.h"
#include "platform/Text.h"
#include "vss/server/VSSAdmin.h"

namespace {

const char* const HelpText = R"HELP(ssadmin: administration of SourceSafe databases.

Usage: ssadmin [--db DIR] COMMAND [arguments]
The database is --db DIR (the folder of srcsafe.ini), else the folder in SSDIR.

  create DIR [--register NAME] [--postgres CONNINFO]
                                      make a database in DIR (Admin, empty password); with
                                      --register, list it under NAME and make it current;
                                      with --postgres, keep it in that empty PostgreSQL
                                      database (CONNINFO: a libpq connection string, as a role
                                      that may make tables and roles)
  copy SRC DEST                       copy everything in database SRC into DEST, a database
                                      just made (for example with --postgres)
  adduser USER [--password P]         add a user (empty password unless given)
  passwd USER --password P            set a user's password
  deluser USER                        delete a user (not Admin)
  users                               list the users' names
  option multiple-checkouts yes|no    allow several check-outs of one file, or not
  install-server                      register libssapi.so of this installation and set
                                      SCCServerPath
  --help                              this text

Exit codes: 0 success, 100 error (the message is on standard error).
)HELP";

struct Arguments {
  std::string Database;
  std::string Register;
  std::string Postgres;
  std::string Password;
  bool HasPassword = false;
  bool Help = false;
  std::vector<std::string> Words;   // the command and its arguments
};

Arguments Parse(int argc, char** argv) {
  Arguments result;
  result.Database = platform::GetEnv("SSDIR");
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto next = [&]() -> std::string {
      if (i + 1 >= argc) throw Exception(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "--help" || arg == "-h" || arg == "-?")
      result.Help = true;
    else if (arg == "--db")
      result.Database = next();
    else if (arg == "--register")
      result.Register = next();
    else if (arg == "--postgres")
      result.Postgres = next();
    else if (arg == "--password")
      result.Password = next(), result.HasPassword = true;
    else if (arg.size() > 1 && arg[0] == '-')
      throw Exception("Unknown option: " + arg + " (see ssadmin --help)");
    else
      result.Words.push_back(arg);
  }
  return result;
}

void Expect(const Arguments& args, size_t count, const char* usage) {
  if (args.Words.size() != count) throw Exception(std::string("Usage: ssadmin ") + usage);
}

const std::string& Database(const Arguments& args) {
  if (args.Database.empty()) throw Exception("No database: give --db DIR or set SSDIR");
  return args.Database;
}

// The folder this program was installed in, where libssapi.so is too.
std::string InstallDirectory() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

void Run(const Arguments& args) {
  const std::string command = platform::FoldCase(args.Words[0]);
  if (command == "create") {
    Expect(args, 2, "create DIR [--register NAME] [--postgres CONNINFO]");
    std::string folder = std::filesystem::absolute(args.Words[1]).lexically_normal().string();
    VSSAdmin::CreateDatabase(folder, args.Postgres);
    if (!args.Register.empty()) VSSAdmin::RegisterDatabase(args.Register, folder, true);
  } else if (command == "copy") {
    Expect(args, 3, "copy SRC DEST");
    VSSAdmin::CopyDatabase(args.Words[1], args.Words[2]);
  } else if (command == "adduser") {
    Expect(args, 2, "adduser USER [--password P]");
    VSSAdmin::AddUser(Database(args), args.Words[1], args.Password);
  } else if (command == "passwd") {
    Expect(args, 2, "passwd USER --password P");
    if (!args.HasPassword) throw Exception("Usage: ssadmin passwd USER --password P");
    VSSAdmin::SetPassword(Database(args), args.Words[1], args.Password);
  } else if (command == "deluser") {
    Expect(args, 2, "deluser USER");
    VSSAdmin::DeleteUser(Database(args), args.Words[1]);
  } else if (command == "users") {
    Expect(args, 1, "users");
    for (const std::string& user : VSSAdmin::Users(Database(args))) std::printf("%s\n", user.c_str());
  } else if (command == "option") {
    Expect(args, 3, "option multiple-checkouts yes|no");
    std::string value = platform::FoldCase(args.Words[2]);
    if (platform::FoldCase(args.Words[1]) != "multiple-checkouts" || (value != "yes" && value != "no"))
      throw Exception("Usage: ssadmin option multiple-checkouts yes|no");
    VSSAdmin::SetMultipleCheckouts(Database(args), value == "yes");
  } else if (command == "install-server") {
    Expect(args, 1, "install-server");
    VSSAdmin::InstallServer(InstallDirectory());
  } else {
    throw Exception("Unknown command: " + args.Words[0] + " (see ssadmin --help)");
  }
}

} // namespace

int main(int argc, char** argv) {
  try {
    Arguments args = Parse(argc, argv);
    if (args.Help || args.Words.empty()) {
      std::fputs(HelpText, stdout);
      return args.Help ? 0 : 100;
    }
    Run(args);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 100;
  }
}
