#pragma once
// Qt wants a private runtime folder ($XDG_RUNTIME_DIR); when the session has none, the programs use
// one per user in the temporary folder, which keeps Qt quiet.
void PrepareRuntimeDir();
