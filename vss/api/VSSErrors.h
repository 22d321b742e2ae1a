#pragma once
// What the automation layer raises. EVSSAutomation carries SourceSafe's message, its error code and
// its help context; EVSSSystemError says the server itself could not be reached (not registered,
// library missing or not loadable).
#include <cstdint>
#include <string>

#include "platform/Exception.h"

// Error codes (HRESULTs, as unsigned numbers).
namespace VSSError {
inline constexpr uint32_t NotFound = 0x8004D68F;              // File or project not found
inline constexpr uint32_t AlreadyExists = 0x8004D694;         // An item with the name %s already exists
inline constexpr uint32_t ExclusivelyCheckedOut = 0x8004D68A; // File %s is exclusively checked out
inline constexpr uint32_t CheckedOutByOther = 0x8004D75B;     // File %s is currently checked out by %s
inline constexpr uint32_t CheckedOutByYou = 0x8004D75A;       // You currently have file %s checked out
inline constexpr uint32_t NotCheckedOut = 0x8004D73C;         // File %s is not checked out
inline constexpr uint32_t WritableCopyExists = 0x8004D745;    // A writable copy of %s already exists
inline constexpr uint32_t AlreadyShared = 0x8004D72E;         // File %s is already shared by this project
inline constexpr uint32_t ShareUnderDescendant = 0x8004D72F;  // A project cannot be shared under a descendant
inline constexpr uint32_t DeleteRoot = 0x8004D74E;            // Cannot delete the root project
inline constexpr uint32_t BinaryCheckedOut = 0x8004D7D8;      // Binary file already checked out
inline constexpr uint32_t InvalidPassword = 0x8004D6C9;       // Invalid password
inline constexpr uint32_t UserNotFound = 0x8004D6C2;          // User "%s" not found
inline constexpr uint32_t LocalFileNotFound = 0x8004D83E;     // File "%s" not found
inline constexpr uint32_t DatabaseNotFound = 0x8004D75D;      // Cannot find database %s
inline constexpr uint32_t InvalidName = 0x8004D6A4;           // %s is not a valid SourceSafe name
inline constexpr uint32_t AccessDenied = 0x8004D6B5;          // Access to file "%s" denied
inline constexpr uint32_t DatabaseBusy = 0x8004D6D2;          // The database is busy
inline constexpr uint32_t DatabaseCorrupt = 0x8004D6D5;       // The database is damaged or unreadable
inline constexpr uint32_t DatabaseReadOnly = 0x8004D6D6;      // The database is read-only
inline constexpr uint32_t DiskFull = 0x80070070;              // the disk is full (ERROR_DISK_FULL)
inline constexpr uint32_t OutOfMemory = 0x8007000E;           // E_OUTOFMEMORY
inline constexpr uint32_t InvalidOperation = 0x8004D6F5;      // operation not valid for this item
inline constexpr uint32_t Overflow = 0x8002000A;              // DISP_E_OVERFLOW: password too long
inline constexpr uint32_t BadIndex = 0x8002000B;              // DISP_E_BADINDEX: collection index out of range
inline constexpr uint32_t ServerNotRegistered = 0x80040154;   // REGDB_E_CLASSNOTREG
inline constexpr uint32_t ServerNotLoadable = 0x8007007E;     // the server library could not be loaded

// The help context SourceSafe gives an error: its number (the code's low 16 bits, a negative
// number) without the sign, e.g. 0x8004D68F -> 10609. A writable-copy refusal has 0.
constexpr int32_t HelpContextOf(uint32_t code) {
  if (code == WritableCopyExists) return 0;
  int32_t number = static_cast<int16_t>(code & 0xFFFF);
  return number < 0 ? -number : number;
}
} // namespace VSSError

class EVSSAutomation : public Exception {
public:
  EVSSAutomation(std::string message, uint32_t errorCode, const void* address = RaiseAddress())
      : Exception(std::move(message), address), FErrorCode(errorCode),
        FHelpContext(VSSError::HelpContextOf(errorCode)) {}
  EVSSAutomation(std::string message, uint32_t errorCode, int32_t helpContext,
                 const void* address = RaiseAddress())
      : Exception(std::move(message), address), FErrorCode(errorCode), FHelpContext(helpContext) {}

  // The HRESULT; as a signed number it is negative, like automation reports it.
  uint32_t ErrorCode() const noexcept { return FErrorCode; }
  int32_t HelpContext() const noexcept { return FHelpContext; }

private:
  uint32_t FErrorCode;
  int32_t FHelpContext;
};

class EVSSSystemError : public Exception {
public:
  EVSSSystemError(std::string message, uint32_t errorCode, const void* address = RaiseAddress())
      : Exception(std::move(message), address), FErrorCode(errorCode) {}
  uint32_t ErrorCode() const noexcept { return FErrorCode; }

private:
  uint32_t FErrorCode;
};
