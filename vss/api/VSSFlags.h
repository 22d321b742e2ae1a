#pragma once
// The flag words of item operations (combined with |; 0 means the default of each group), item
// types and check-out states.
#include <cstdint>

enum VSSFlags : int32_t {
  VSSFLAG_USERRONO = 1,         // leave local copies writable
  VSSFLAG_USERROYES = 2,        // make local copies read-only (default)
  VSSFLAG_TIMENOW = 4,          // local file time: now (default)
  VSSFLAG_TIMEMOD = 8,          // local file time: when the version was made
  VSSFLAG_TIMEUPD = 12,         // local file time: when the version was made (check-in time)
  VSSFLAG_REPASK = 64,          // a writable changed local copy: fail (default)
  VSSFLAG_REPREPLACE = 128,     // ... overwrite it
  VSSFLAG_REPSKIP = 192,        // ... leave it and succeed
  VSSFLAG_CMPFULL = 512,
  VSSFLAG_CMPTIME = 1024,
  VSSFLAG_CMPCHKSUM = 1536,
  VSSFLAG_RECURSNO = 4096,
  VSSFLAG_RECURSYES = 8192,
  VSSFLAG_KEEPNO = 65536,
  VSSFLAG_KEEPYES = 131072,     // check-in keeps the file checked out
  VSSFLAG_DELNO = 262144,       // undo check-out: replace the local copy with the latest (default)
  VSSFLAG_DELYES = 524288,      // ... delete the local copy
  VSSFLAG_DELNOREPLACE = 786432,// ... keep its content, make it read-only
  VSSFLAG_BINTEST = 1048576,    // binary when the content has a NUL byte (default)
  VSSFLAG_BINBINARY = 2097152,
  VSSFLAG_BINTEXT = 3145728,
  VSSFLAG_UPDASK = 16777216,
  VSSFLAG_UPDUPDATE = 33554432, // check-in of an unchanged file makes a version anyway
  VSSFLAG_UPDUNCH = 50331648,   // ... only ends the check-out (default)
  VSSFLAG_GETYES = 67108864,
  VSSFLAG_GETNO = 134217728,    // check-out without fetching the file
  VSSFLAG_CHKEXCLUSIVEYES = 268435456,
  VSSFLAG_CHKEXCLUSIVENO = 536870912,
};

// The groups of bits that hold one choice each.
inline constexpr int32_t VSSFLAG_RO_MASK = 3;
inline constexpr int32_t VSSFLAG_TIME_MASK = 12;
inline constexpr int32_t VSSFLAG_REP_MASK = 192;
inline constexpr int32_t VSSFLAG_CMP_MASK = 1536;
inline constexpr int32_t VSSFLAG_RECURS_MASK = 12288;
inline constexpr int32_t VSSFLAG_KEEP_MASK = 196608;
inline constexpr int32_t VSSFLAG_DEL_MASK = 786432;
inline constexpr int32_t VSSFLAG_BIN_MASK = 3145728;
inline constexpr int32_t VSSFLAG_UPD_MASK = 50331648;
inline constexpr int32_t VSSFLAG_GET_MASK = 201326592;
inline constexpr int32_t VSSFLAG_CHKEXCLUSIVE_MASK = 805306368;

enum VSSItemType : int32_t { VSSITEM_PROJECT = 0, VSSITEM_FILE = 1 };

enum VSSFileStatus : int32_t {
  VSSFILE_NOTCHECKEDOUT = 0,
  VSSFILE_CHECKEDOUT = 1,      // by someone else only
  VSSFILE_CHECKEDOUT_ME = 2,   // by the opening user
};
