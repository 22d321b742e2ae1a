#pragma once
// Mends the registration of SourceSafe's automation server when it can't be created: registers the
// server library in SourceSafe's installation folder, or, when the user agrees, the one he picks.
#include <string>

// Loads the server library `FileName` and calls its registration entry point. False when the library
// doesn't load or has no such entry point; raises EVSSSystemError when the registration fails.
bool RegisterServerFile(const std::string& FileName);
void RepairVSSServer();
