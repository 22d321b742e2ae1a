#pragma once
// The SourceSafe option flags of one operation: each field is 0 or one SourceSafe flag value, and
// their bitwise OR is the flags argument of SourceSafe item operations.
class TFlags {
public:
  virtual ~TFlags() = default;
  virtual int Combined() const {
    return ReadOnlyFlag | UnchangedFlag | CompareFlag | ReplaceFlag | SetTimeFlag | ExtraFlag1 | ExtraFlag2;
  }

  int ReadOnlyFlag = 0;
  int UnchangedFlag = 0;
  int CompareFlag = 0;
  int ReplaceFlag = 0;
  int SetTimeFlag = 0;
  int ExtraFlag1 = 0;
  int ExtraFlag2 = 0;
};
