// regtool: reads and edits the registry from the command line, and moves subtrees to and from
// "Windows Registry Editor Version 5.00" files.
#include "platform/Files.h"
#include "platform/RegFile.h"
#include "platform/Registry.h"

#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

using namespace platform;

namespace {

enum ExitCode { Success = 0, NotFound = 1, Failure = 2 };

constexpr const char* Usage =
    "Usage: regtool query KEY [NAME]\n"
    "       regtool set KEY NAME (--string TEXT | --dword N)\n"
    "       regtool delete KEY [NAME]\n"
    "       regtool export KEY FILE\n"
    "       regtool import FILE\n"
    "KEY starts with HKCU\\ or HKLM\\ (or HKEY_CURRENT_USER\\, HKEY_LOCAL_MACHINE\\), in any case.\n"
    "NAME \"\" is the key's default value. query prints name, type and value, tab-separated.\n"
    "delete without NAME deletes the key with all its subkeys.\n"
    "The registry is kept in $RAVELIN_REGISTRY_DIR (else $XDG_CONFIG_HOME/ravelin/registry).\n"
    "Exit status: 0 done, 1 the key or value does not exist, 2 bad usage or another failure.\n";

int Fail(int code, const std::string& message) {
  std::cerr << "regtool: " << message << '\n';
  return code;
}

int BadUsage(const std::string& message) { return Fail(Failure, message + " (regtool --help shows the usage)"); }

// Decimal, -2147483648 to 4294967295 (negative numbers are stored as their 32-bit pattern).
bool ParseDWord(const std::string& text, uint32_t& value) {
  if (text.empty() || text.find_first_not_of("-0123456789") != std::string::npos) return false;
  char* end = nullptr;
  errno = 0;
  const long long number = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || number < INT32_MIN || number > UINT32_MAX) return false;
  value = static_cast<uint32_t>(number);
  return true;
}

void PrintValue(const RegValue& value) {
  std::cout << (value.Name.empty() ? "(Default)" : value.Name) << '\t'
            << (value.Type == ValueType::DWord ? "REG_DWORD" : "REG_SZ") << '\t'
            << (value.Type == ValueType::DWord ? std::to_string(value.DWord) : value.Text) << '\n';
}

int Query(Hive hive, const std::string& path, const std::vector<std::string>& args) {
  const RegistryKey key(hive, path, false);
  if (!key.IsOpen()) return Fail(NotFound, key.Error());
  if (args.size() == 3) {
    const auto value = key.ReadValue(args[2]);
    if (!value) return Fail(NotFound, "The value \"" + args[2] + "\" does not exist in " + args[1]);
    PrintValue(*value);
  } else {
    for (const RegValue& value : key.Values()) PrintValue(value);
  }
  return Success;
}

int Set(Hive hive, const std::string& path, const std::vector<std::string>& args) {
  if (args.size() != 5 || (args[3] != "--string" && args[3] != "--dword"))
    return BadUsage("set needs KEY NAME and --string TEXT or --dword N");
  uint32_t number = 0;
  if (args[3] == "--dword" && !ParseDWord(args[4], number))
    return BadUsage("\"" + args[4] + "\" is not a 32-bit decimal number");
  RegistryKey key(hive, path, true);
  const bool written = key.IsOpen() && (args[3] == "--dword" ? key.WriteInteger(args[2], static_cast<int32_t>(number))
                                                            : key.WriteString(args[2], args[4]));
  return written ? Success : Fail(Failure, key.Error());
}

int Delete(Hive hive, const std::string& path, const std::vector<std::string>& args) {
  if (args.size() == 2 && path.empty()) return BadUsage("the root of a hive cannot be deleted");
  RegistryKey key(hive, path, false);
  if (!key.IsOpen()) return Fail(NotFound, key.Error());
  if (args.size() == 2) {
    std::string error;
    return RegistryKey::DeleteKey(hive, path, &error) ? Success : Fail(Failure, error);
  }
  if (!key.ValueExists(args[2])) return Fail(NotFound, "The value \"" + args[2] + "\" does not exist in " + args[1]);
  return key.DeleteValue(args[2]) ? Success : Fail(Failure, key.Error());
}

int Export(Hive hive, const std::string& path, const std::string& fileName) {
  if (const RegistryKey key(hive, path, false); !key.IsOpen()) return Fail(NotFound, key.Error());
  std::string text, error;
  if (!ExportRegistryText(hive, path, text, error) || !WriteFileAtomic(fileName, text, &error))
    return Fail(Failure, error);
  return Success;
}

int Import(const std::string& fileName) {
  std::string text, error;
  if (!ReadFile(fileName, text, &error)) return Fail(Failure, error);
  std::vector<RegFileSection> sections;
  if (!ParseRegistryText(text, sections, error)) return Fail(Failure, fileName + ": " + error + "; nothing imported");
  return ImportRegistrySections(sections, error) ? Success : Fail(Failure, error);
}

} // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << Usage;
    return Success;
  }
  if (args.empty()) return BadUsage("no command given");
  const std::string& command = args[0];
  if (command == "import") return args.size() == 2 ? Import(args[1]) : BadUsage("import needs FILE");

  const bool known = command == "query" || command == "set" || command == "delete" || command == "export";
  if (!known) return BadUsage("unknown command \"" + command + "\"");
  if (args.size() < 2) return BadUsage(command + " needs KEY");
  Hive hive;
  std::string path;
  if (!ParseRootedKey(args[1], hive, path))
    return BadUsage("\"" + args[1] + "\" does not start with HKCU\\, HKLM\\, HKEY_CURRENT_USER\\ or HKEY_LOCAL_MACHINE\\");
  if (command == "query") return args.size() <= 3 ? Query(hive, path, args) : BadUsage("query takes KEY [NAME]");
  if (command == "set") return Set(hive, path, args);
  if (command == "delete") return args.size() <= 3 ? Delete(hive, path, args) : BadUsage("delete takes KEY [NAME]");
  return args.size() == 3 ? Export(hive, path, args[2]) : BadUsage("export takes KEY FILE");
}
