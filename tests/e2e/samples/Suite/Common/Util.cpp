#include "Util.h"

// Shared by every program of the suite.
AnsiString Greeting(const AnsiString& name) { return "Hello, " + name; }
