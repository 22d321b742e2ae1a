#pragma once
// The message of the exception of class E that `call` raises; empty when it raises none.
#include <string>

template <class E, class F>
std::string MessageOf(F&& call) {
  try {
    call();
  } catch (const E& error) {
    return error.what();
  }
  return {};
}
