// The report of a swallowed exception, for the debugger.
#include "host/win32/swallowed.h"

#include <windows.h>

#include <exception>
#include <string>

#include "host/win32/wide.h"

namespace tabvane {

void ReportSwallowed(const char* barrier) noexcept {
  try {
    std::string line = "Tabvane: exception stopped in ";
    line += barrier;
    if (const std::exception_ptr current = std::current_exception()) {
      try {
        std::rethrow_exception(current);  // to read what it is
      } catch (const std::exception& e) {
        line += ": ";
        line += e.what();
      } catch (...) {
        line += ": not a std::exception";
      }
    }
    line += '\n';
    OutputDebugStringW(WideFromSjis(line).c_str());
  } catch (...) {
    OutputDebugStringW(L"Tabvane: exception stopped (no room to say where)\n");
  }
}

}  // namespace tabvane
