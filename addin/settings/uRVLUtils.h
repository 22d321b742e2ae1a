#pragma once
// Message boxes titled with the product name, the hourglass cursor, and the process environment
// (read and set here so that the programs the add-in starts inherit it).
#include <string>

#include "platform/Environment.h"
#include "ui/Prompter.h"
#include "vss/api/VSSApi.h"

// A message box with the MB_* flags, captioned with the product name; returns the ID* pressed.
int ShowMessageBox(const std::string& Text, unsigned Flags);
void ShowError(const std::string& Text);
void SetHourglass();
// Makes sure the local folder exists, creating it and its missing parents (parents first) after
// asking the user. A Yes to All or No to All answer is kept in `ForAll` and `Create` and answers every
// later question asked with the same two fields. False when the folder is missing in the end.
bool EnsureFolder(const std::string& Folder, bool& ForAll, bool& Create);
void RestoreCursor();
// The hourglass for as long as it lives; the default cursor comes back whatever happens.
struct THourglass {
  THourglass() { SetHourglass(); }
  ~THourglass() { RestoreCursor(); }
  THourglass(const THourglass&) = delete;
  THourglass& operator=(const THourglass&) = delete;
};

// The SourceSafe project `Path` ("$/A/B"), found, or created level by level from the root down.
VSSPtr<IVSSItem> EnsureSourceSafeProject(IVSSDatabase& Database, const std::string& Path);

using platform::GetEnv;
using platform::SetEnv;
