// The controls of the main window that only its logic uses: the page control, the host
// selector, the hidden caption list and the refresh timer, and the whole set as TForm1 sees it.
// The Win32 shell implements them on real controls; tests implement them in memory. Texts are
// Shift-JIS. Setting a selection from code never runs a change handler.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/command_list.h"
#include "model/controls.h"
#include "text/texts.h"

namespace tabvane {

// The pages carry texts::kPageCaptions, a caption for each page.
static_assert(texts::kPageCaptions.size() == kPageCount);

// The page control PageControl1 with the six pages.
class PageControl {
 public:
  virtual ~PageControl() = default;
  // Active page index 0..5, or -1 when no page is active.
  virtual int32_t ActivePage() const = 0;
  // Any value outside 0..5 leaves the control without an active page.
  virtual void SetActivePage(int32_t page) = 0;
};

// The host selector ComboBox1: a drop-down list the user only chooses from.
class ComboBox {
 public:
  virtual ~ComboBox() = default;
  virtual void Clear() = 0;
  virtual void AddItem(std::string_view text) = 0;
  virtual void SetItem(int32_t index, std::string_view text) = 0;
  virtual int32_t Count() const = 0;
  virtual std::string Item(int32_t index) const = 0;
  // Selected item, -1 for none.
  virtual int32_t Selected() const = 0;
  virtual void Select(int32_t index) = 0;
};

// ListBox1: a hidden list of texts.
class TextList {
 public:
  virtual ~TextList() = default;
  virtual void Clear() = 0;
  virtual void Add(std::string_view text) = 0;
  virtual int32_t Count() const = 0;
  virtual std::string Item(int32_t index) const = 0;
};

// Timer1. Stop and Start when already stopped / running do nothing except that Start always
// begins a fresh countdown of the given interval; an interval of 0 or less leaves it idle.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void Stop() = 0;
  virtual void Start(int32_t intervalMs) = 0;
  virtual bool Running() const = 0;
};

// The main window's controls, as TForm1 sees them.
struct MainControls {
  PageControl& PageControl1;
  std::array<TabStrip*, kPageCount> TabControls;   // TabControl1 .. TabControl6
  std::array<SlotGrid*, kPageCount> StringGrids;   // StringGrid1 .. StringGrid6
  ComboBox& ComboBox1;
  TextList& ListBox1;
  Timer& Timer1;
};

}  // namespace tabvane
