#pragma once
// The one general exception class the whole project derives from: a message and the address of the
// place that raised it, which the add-in's debug log looks up in the map file.
#include <exception>
#include <string>

// Returns the return address of its caller's call: used as a default argument, it is evaluated in
// the function that writes `throw X(...)`, so it names the raise site.
const void* RaiseAddress() noexcept;

class Exception : public std::exception {
public:
  explicit Exception(std::string message, const void* address = RaiseAddress());
  const char* what() const noexcept override { return FMessage.c_str(); }
  const std::string& Message() const noexcept { return FMessage; }
  void SetMessage(std::string message) { FMessage = std::move(message); }
  // Where it was raised; nullptr when unknown.
  const void* Address() const noexcept { return FAddress; }

private:
  std::string FMessage;
  const void* FAddress;
};
