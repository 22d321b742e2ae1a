#pragma once
// OLE dates (days since 1899-12-30 00:00, local time) to and from Unix time.
#include <cstdint>
#include <ctime>
#include <string>

inline double VSSDateFromUnix(int64_t seconds) {
  std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
  localtime_r(&t, &local);
  // Local wall-clock seconds, counted as if they were UTC, give whole days without DST gaps.
  int64_t wall = static_cast<int64_t>(t) + local.tm_gmtoff;
  return static_cast<double>(wall) / 86400.0 + 25569.0;
}

inline int64_t VSSDateToUnix(double date) {
  int64_t wall = static_cast<int64_t>((date - 25569.0) * 86400.0 + (date >= 25569.0 ? 0.5 : -0.5));
  std::tm local{};
  std::time_t guess = static_cast<std::time_t>(wall);
  gmtime_r(&guess, &local);
  local.tm_isdst = -1;
  return static_cast<int64_t>(std::mktime(&local));
}

// "2026-12-06 10:15", local time: how dates read in reports and lists.
inline std::string VSSDateText(double date) {
  std::time_t t = static_cast<std::time_t>(VSSDateToUnix(date));
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}
