#pragma once
// The pair of files the difference benchmarks compare: a C++-like text of `lines` lines (blank
// lines, braces and repeated statements among distinct ones, as in real code) and a copy in which
// one line in a hundred, chosen with a fixed seed, was edited in place; and what the benchmarks
// share to compare them and report the times.
#include <random>
#include <string>

#include "BenchTiming.h"

inline void MakeDiffBenchFiles(int lines, std::string& left, std::string& right) {
  std::mt19937 random(100000);
  left.clear();
  right.clear();
  for (int i = 0; i < lines; ++i) {
    std::string line;
    switch (i % 10) {
      case 0: line = "int Function" + std::to_string(i) + "(int value) {"; break;
      case 1: line = "  int total = 0;"; break;
      case 2: line = "  for (int k = 0; k < value; ++k)"; break;
      case 3: line = "    total += k * " + std::to_string(i % 97) + ";"; break;
      case 4: line = "  // step " + std::to_string(i); break;
      case 5: line = "  if (total > " + std::to_string(i) + ") return total;"; break;
      case 6: line = "  return total - value;"; break;
      case 7: line = "}"; break;
      default: line = ""; break;
    }
    left += line + "\n";
    right += (random() % 100 == 0 ? line + " // edited" : line) + "\n";
  }
}

// The shell command that has `ss` compare `left` with `right`, outside any database, and write its
// report to `report`.
inline std::string SsDiffCommand(const std::string& ss, const std::string& left, const std::string& right,
                                 const std::string& report) {
  return "unset SSDIR; '" + ss + "' Diff '" + left + "' '" + right + "' -I- -O@'" + report + "'";
}
