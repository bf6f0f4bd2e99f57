// In-memory controls for the native and Wine unit tests. Setting a selection from code never
// runs a handler here, as in the real window.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/command_list.h"
#include "ui/controls.h"
#include "ui/grid_geometry.h"

namespace tabvane::fakes {

class FakeTabStrip : public TabStrip {
 public:
  std::vector<std::string> tabs;
  int32_t selected = -1;

  void SetTabs(const std::vector<std::string_view>& captions) override {
    tabs.assign(captions.begin(), captions.end());
    selected = tabs.empty() ? -1 : 0;
  }
  int32_t TabCount() const override { return static_cast<int32_t>(tabs.size()); }
  int32_t SelectedTab() const override { return selected; }
  void SelectTab(int32_t index) override {
    if (index >= 0 && index < TabCount()) selected = index;
  }
};

class FakeGrid : public SlotGrid {
 public:
  std::array<std::array<std::string, kGridRows>, kGridColumns> cells;  // [col][row]
  RowRange selection{1, 1};
  int32_t current = 1;

  std::string Cell(int32_t col, int32_t row) const override {
    return cells.at(static_cast<size_t>(col)).at(static_cast<size_t>(row));
  }
  void SetCell(int32_t col, int32_t row, std::string_view text) override {
    cells.at(static_cast<size_t>(col)).at(static_cast<size_t>(row)) = std::string(text);
  }
  RowRange Selection() const override { return selection; }
  int32_t CurrentRow() const override { return current; }
  void SelectRow(int32_t row) override { Select(row, row); }

  void Select(int32_t top, int32_t bottom) { selection = {top, bottom}; current = top; }
};

class FakePageControl : public PageControl {
 public:
  int32_t active = 0;
  int32_t ActivePage() const override { return active; }
  void SetActivePage(int32_t page) override {
    active = (page >= 0 && page < kPageCount) ? page : -1;
  }
};

class FakeComboBox : public ComboBox {
 public:
  std::vector<std::string> items;
  int32_t selected = -1;

  void Clear() override { items.clear(); selected = -1; }
  void AddItem(std::string_view text) override { items.emplace_back(text); }
  void SetItem(int32_t index, std::string_view text) override {
    items.at(static_cast<size_t>(index)) = std::string(text);
  }
  int32_t Count() const override { return static_cast<int32_t>(items.size()); }
  std::string Item(int32_t index) const override { return items.at(static_cast<size_t>(index)); }
  int32_t Selected() const override { return selected; }
  void Select(int32_t index) override { selected = (index >= 0 && index < Count()) ? index : -1; }
};

class FakeTextList : public TextList {
 public:
  std::vector<std::string> items;
  void Clear() override { items.clear(); }
  void Add(std::string_view text) override { items.emplace_back(text); }
  int32_t Count() const override { return static_cast<int32_t>(items.size()); }
  std::string Item(int32_t index) const override { return items.at(static_cast<size_t>(index)); }
};

// Records every switch so tests can check the discipline, not only the final state.
class FakeTimer : public Timer {
 public:
  bool running = false;
  int32_t interval = 0;
  std::vector<std::string> log;  // "stop", "start 3000"

  void Stop() override { running = false; log.push_back("stop"); }
  void Start(int32_t intervalMs) override {
    running = true;
    interval = intervalMs;
    log.push_back("start " + std::to_string(intervalMs));
  }
  bool Running() const override { return running; }
  // Running with an interval that actually fires.
  bool Armed() const { return running && interval > 0; }
};

// The whole set of main-window controls, wired into a MainControls.
struct FakeMainControls {
  FakePageControl pages;
  std::array<FakeTabStrip, kPageCount> tabs;
  std::array<FakeGrid, kPageCount> grids;
  FakeComboBox combo;
  FakeTextList list;
  FakeTimer timer;

  MainControls View() {
    MainControls view{pages, {}, {}, combo, list, timer};
    for (std::size_t i = 0; i < tabs.size(); ++i) {
      view.TabControls[i] = &tabs[i];
      view.StringGrids[i] = &grids[i];
    }
    return view;
  }
};

}  // namespace tabvane::fakes
