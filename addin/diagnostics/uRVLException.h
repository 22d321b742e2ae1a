#pragma once
// The add-in's own exception: a failure the add-in detects and words itself. The exception handler
// treats it as expected and writes only the short record for it.
#include "platform/Exception.h"

class ERVLException : public Exception {
public:
  using Exception::Exception;
};
