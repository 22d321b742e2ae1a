#include "platform/Exception.h"

__attribute__((noinline)) const void* RaiseAddress() noexcept {
  return __builtin_return_address(0);
}

Exception::Exception(std::string message, const void* address)
    : FMessage(std::move(message)), FAddress(address) {}
