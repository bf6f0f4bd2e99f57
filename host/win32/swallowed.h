// The one report of an exception that a barrier stops before it reaches Windows: a line for
// the debugger (OutputDebugStringW; DebugView, or Wine's +debugstr channel). Win32 only.
#pragma once

namespace tabvane {

// Call inside a catch block: names the barrier and, for a std::exception, its what().
// Never throws.
void ReportSwallowed(const char* barrier) noexcept;

}  // namespace tabvane
