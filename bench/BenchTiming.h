#pragma once
// What the benchmarks share to report their times.
#include <algorithm>
#include <vector>

// The middle one of the times (the upper middle of an even count).
inline double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}
