// Timing helpers shared by the Win32 benchmark drivers: a millisecond clock and the median of
// repeated measurements, and the one line format scripts/bench reads. Win32 only.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace tabvane::bench {

inline double NowMs() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// A FILETIME span (100 ns units), such as a process's or thread's CPU time, in milliseconds.
inline double FileTimeMs(const FILETIME& t) {
  return static_cast<double>(static_cast<uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime) /
         10000.0;
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// "RESULT <key> <value>": one measured figure for scripts/bench.
inline void Result(const char* key, double value) {
  std::printf("RESULT %s %.6g\n", key, value);
  std::fflush(stdout);
}

}  // namespace tabvane::bench
