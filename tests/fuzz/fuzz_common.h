// Shared by the fuzz targets: a failing check that stops the run, and small reference versions
// of the text rules, written separately from text/ so the targets compare two implementations.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "model/files.h"
#include "tests/fakes/fake_desktop.h"

// Stops the run with a message: libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(cond)                                                            \
  do {                                                                              \
    if (!(cond)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                 \
    }                                                                               \
  } while (0)

namespace tabvane::fuzz {

inline unsigned char Byte(std::string_view text, std::size_t i) {
  return static_cast<unsigned char>(text[i]);
}

// Lead bytes of code page 932 itself.
inline bool RefCp932Lead(unsigned char c) { return (0x81 <= c && c <= 0x9F) || (0xE0 <= c && c <= 0xFC); }

// The wider rule of the Func_ helpers.
inline bool RefFuncLead(unsigned char c) { return (0x80 <= c && c <= 0x9F) || (0xE0 <= c && c <= 0xFD); }

// boundary[i] is true when a character begins at byte i (code page rule); boundary[size] too.
inline std::vector<bool> Cp932Boundaries(std::string_view text) {
  std::vector<bool> boundary(text.size() + 1, false);
  std::size_t i = 0;
  while (i < text.size()) {
    boundary[i] = true;
    i += RefCp932Lead(Byte(text, i)) ? 2 : 1;
  }
  boundary[text.size()] = true;
  return boundary;
}

// Position of the first occurrence of needle that begins on a character boundary, by trying
// every boundary in turn; npos when there is none or needle is empty.
inline std::size_t RefFind(std::string_view text, std::string_view needle) {
  if (needle.empty()) return std::string_view::npos;
  const std::vector<bool> boundary = Cp932Boundaries(text);
  for (std::size_t i = 0; i + needle.size() <= text.size(); ++i) {
    if (boundary[i] && text.compare(i, needle.size(), needle) == 0) return i;
  }
  return std::string_view::npos;
}

// The shared line rule, written as a byte-by-byte state machine.
inline std::vector<std::string> RefLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t i = 0;
  while (i < bytes.size() && bytes[i] != '\x1A') {
    std::string line;
    bool skipping = false;  // after a 0x1A inside the line
    for (; i < bytes.size() && bytes[i] != '\n'; ++i) {
      if (bytes[i] == '\x1A') skipping = true;
      if (!skipping && bytes[i] != '\r') line.push_back(bytes[i]);
    }
    if (i < bytes.size()) ++i;  // the LF
    lines.push_back(line);
  }
  return lines;
}

inline std::string_view RefTrim(std::string_view text) {
  while (!text.empty() && Byte(text, 0) <= 0x20) text.remove_prefix(1);
  while (!text.empty() && Byte(text, text.size() - 1) <= 0x20) text.remove_suffix(1);
  return text;
}

inline bool HasLineBreakByte(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\x1A", 3)) != std::string_view::npos;
}

// In-memory files whose reads may be cut short and whose folders may all exist.
class FuzzFiles : public fakes::MemoryFiles {
 public:
  bool incomplete = false;   // reads stop after readLimit bytes, complete == false
  std::size_t readLimit = 0;
  bool unopenable = false;   // the file exists but cannot be opened
  bool everyFolder = false;  // FolderExists is true for every non-empty path

  bool FolderExists(const std::string& path) override {
    return everyFolder ? !path.empty() : MemoryFiles::FolderExists(path);
  }
  ReadResult Read(const std::string& path) override {
    if (unopenable && FileExists(path)) return {};
    ReadResult result = MemoryFiles::Read(path);
    if (incomplete && result.opened) {
      result.complete = false;
      if (result.bytes.size() > readLimit) result.bytes.resize(readLimit);
    }
    return result;
  }
};

}  // namespace tabvane::fuzz
