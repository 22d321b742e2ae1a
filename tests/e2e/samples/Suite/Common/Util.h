#ifndef UtilH
#define UtilH
#include <vcl\System.hpp>
AnsiString Greeting(const AnsiString& name);
#endif
