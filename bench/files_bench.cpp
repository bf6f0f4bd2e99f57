// What start-up and shutdown cost in their files: the command list (10,000 entries) read and
// turned into tabs, the menu file (1,000 menus) read and saved, each against the bare file
// work (read and split lines with memchr; write the same bytes). Real files in /tmp through
// PosixFiles. Native only; Google Benchmark.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_data.h"
#include "host/posix/posix_codec.h"
#include "host/posix/posix_files.h"
#include "model/command_list.h"
#include "model/command_list_edit.h"
#include "model/menus.h"
#include "tests/fakes/fake_controls.h"

namespace tabvane::bench {
namespace {

constexpr std::size_t kListEntries = 10000;
constexpr std::size_t kMenuCount = 1000;

// A scratch folder with the two sample files, removed at exit.
struct Folder {
  std::string path;
  std::string commandList;
  std::string menuFile;
  std::string savedMenuFile;
  std::string rawFile;

  Folder() {
    char pattern[] = "/tmp/tabvane-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) std::abort();
    path = pattern;
    commandList = path + "/com_list.txt";
    menuFile = path + "/ga_list.txt";
    savedMenuFile = path + "/saved.txt";
    rawFile = path + "/raw.txt";
    const std::vector<std::string> words = WorkloadWords();
    Write(commandList, CommandListBytes(words, kListEntries, 6, 4));
    Write(menuFile, MenuFileBytes(words, kMenuCount, 5));
  }
  ~Folder() {
    for (const std::string* file : {&commandList, &menuFile, &savedMenuFile, &rawFile}) {
      ::unlink(file->c_str());
    }
    ::rmdir(path.c_str());
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  static void Write(const std::string& file, const std::string& bytes) {
    PosixFiles files;
    if (!WriteInPlace(files, file, bytes)) std::abort();
  }
};

const Folder& Scratch() {
  static const Folder folder;
  return folder;
}

// The bare work of a loader: the whole file read and cut into lines.
void ReadAndSplitLines(benchmark::State& state, const std::string& path) {
  PosixFiles files;
  for (auto _ : state) {
    const ReadResult file = files.Read(path);
    const char* p = file.bytes.data();
    const char* const end = p + file.bytes.size();
    std::size_t lines = 0;
    while (p < end) {
      const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
      p = lf ? static_cast<const char*>(lf) + 1 : end;
      ++lines;
    }
    benchmark::DoNotOptimize(lines);
  }
}

// The least any loader into owned strings can do: the read and split of the baseline plus
// each line cut at its TAB into two strings, stored in room reserved beforehand. Shown beside
// the loaders to tell the data model's own cost from the loaders' overhead.
void ReadAndSplitIntoStrings(benchmark::State& state, const std::string& path) {
  PosixFiles files;
  struct Pair {
    std::string name;
    std::string rest;
  };
  for (auto _ : state) {
    const ReadResult file = files.Read(path);
    std::vector<Pair> pairs;
    const auto lineEnds = std::count(file.bytes.begin(), file.bytes.end(), '\n');
    pairs.reserve(static_cast<std::size_t>(lineEnds) + 1);
    const std::string_view bytes = file.bytes;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
      std::size_t lf = bytes.find('\n', pos);
      if (lf == std::string_view::npos) lf = bytes.size();
      std::string_view line = bytes.substr(pos, lf - pos);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      const std::size_t tab = line.find('\t');
      if (tab != std::string_view::npos) {
        pairs.push_back({std::string(line.substr(0, tab)), std::string(line.substr(tab + 1))});
      }
      pos = lf + 1;
    }
    benchmark::DoNotOptimize(pairs.data());
  }
}

void CommandListLoad(benchmark::State& state) {
  const Folder& folder = Scratch();
  PosixFiles files;
  fakes::FakeMainControls controls;
  const MainControls view = controls.View();
  int32_t menus = 0;
  for (auto _ : state) {
    std::vector<TCommandEntry> entries = LoadCommandList(files, folder.commandList);
    menus = BuildTabs(entries, view.TabControls);
    benchmark::DoNotOptimize(entries.data());
  }
  state.counters["menus"] = menus;
}
BENCHMARK(CommandListLoad)->UseRealTime();

// The list read again while running, as a tick does when the file changed: read with its
// encoding told, tabs built again, the menus renumbered for them.
void CommandListReload(benchmark::State& state) {
  const Folder& folder = Scratch();
  PosixFiles files;
  PosixCodec codec;
  fakes::FakeMainControls controls;
  const MainControls view = controls.View();
  MenuStore menus;
  std::vector<TCommandEntry> start = LoadCommandList(files, folder.commandList);
  menus.FMenus.resize(static_cast<std::size_t>(BuildTabs(start, view.TabControls)));
  for (auto _ : state) {
    CommandListFile list = ReadCommandList(files, codec, folder.commandList);
    RenumberMenus(menus, BuildTabs(list.entries, view.TabControls));
    benchmark::DoNotOptimize(list.entries.data());
  }
}
BENCHMARK(CommandListReload)->UseRealTime();

void CommandListLoadBaseline(benchmark::State& state) {
  ReadAndSplitLines(state, Scratch().commandList);
}
BENCHMARK(CommandListLoadBaseline)->UseRealTime();

void CommandListLoadFloor(benchmark::State& state) {
  ReadAndSplitIntoStrings(state, Scratch().commandList);
}
BENCHMARK(CommandListLoadFloor)->UseRealTime();

void MenuLoad(benchmark::State& state) {
  const Folder& folder = Scratch();
  PosixFiles files;
  for (auto _ : state) {
    MenuStore store = LoadMenus(files, folder.menuFile, kMenuCount);
    benchmark::DoNotOptimize(store.FMenus.data());
  }
}
BENCHMARK(MenuLoad)->UseRealTime();

void MenuLoadBaseline(benchmark::State& state) { ReadAndSplitLines(state, Scratch().menuFile); }
BENCHMARK(MenuLoadBaseline)->UseRealTime();

void MenuLoadFloor(benchmark::State& state) { ReadAndSplitIntoStrings(state, Scratch().menuFile); }
BENCHMARK(MenuLoadFloor)->UseRealTime();

void MenuSave(benchmark::State& state) {
  const Folder& folder = Scratch();
  PosixFiles files;
  // Two menus in turn, since a save of the bytes the file holds already writes nothing.
  std::array<MenuStore, 2> stores = {LoadMenus(files, folder.menuFile, kMenuCount), MenuStore{}};
  stores[1] = stores[0];
  stores[1].FMenus[0].Names[0] += "x";
  std::size_t turn = 0;
  for (auto _ : state) {
    if (!SaveMenus(files, folder.savedMenuFile, stores[turn ^= 1])) {
      state.SkipWithError("save failed");
    }
  }
}
BENCHMARK(MenuSave)->UseRealTime();

// The bare work of a save: the same bytes written to a file and flushed to the disk.
void MenuSaveBaseline(benchmark::State& state) {
  const Folder& folder = Scratch();
  PosixFiles files;
  const std::string bytes = files.Read(folder.menuFile).bytes;
  for (auto _ : state) {
    std::unique_ptr<WriteHandle> handle = files.Create(folder.rawFile);
    if (!handle || !handle->Write(bytes) || !handle->Close()) state.SkipWithError("write failed");
  }
}
BENCHMARK(MenuSaveBaseline)->UseRealTime();

}  // namespace
}  // namespace tabvane::bench
