#pragma once
// Counts the live objects of one class: a member that adds one when its object is constructed
// (whichever constructor, copies included) and removes one when it goes, also when a constructor
// raises after it was made. Library unload checks the counts for leaks.
template <class T>
class TLiveCount {
public:
  TLiveCount() { ++FCount; }
  TLiveCount(const TLiveCount&) { ++FCount; }
  TLiveCount& operator=(const TLiveCount&) = default;
  ~TLiveCount() { --FCount; }
  static int Count() { return FCount; }

private:
  static inline int FCount = 0;
};
