// Drives Windows programs from a console program in the same Wine prefix and desktop: processes,
// top-level windows and controls of other processes, real keyboard and mouse input, pixels and
// screenshots. Win32 only; independent of Tabvane's own code except the code page 932 helpers.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabvane::driver {

using Ms = std::chrono::milliseconds;

// Time-out of every wait that is not given one: long enough for a cold Wine start.
inline constexpr Ms kDefaultTimeout{15000};
// Pause between two looks at the condition of a wait.
inline constexpr Ms kPollInterval{25};

// ---------------------------------------------------------------------------------------------
// Pure rules (no Win32 state; unit-tested natively under Wine too).

// A pixel of the virtual desktop as the 0..65535 coordinates of an absolute mouse event
// (MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK): the centre of the pixel, so that rounding
// either way lands on it. Pixels outside the desktop are clamped to its edge.
POINT AbsoluteMousePoint(POINT screen, const RECT& virtualDesktop);

// The command line CreateProcessW gets: each argument quoted when it needs it, with the
// backslash rule of the C runtime's argument parser (backslashes double before a quote).
std::wstring QuoteArgument(std::wstring_view argument);
std::wstring CommandLine(std::wstring_view exe, const std::vector<std::wstring>& arguments);

// A host path as Wine sees it: "/a/b" becomes "Z:\a\b" (Wine maps Z: to the host's root);
// a path that already has a drive or is relative only gets "\" for "/".
std::wstring DosPath(std::string_view path);

// Key events of a chord: the modifiers pressed in order, the key pressed and released, the
// modifiers released in reverse order. Extended keys (arrows, Delete, Apps ...) are flagged.
std::vector<INPUT> ChordInputs(const std::vector<WORD>& modifiers, WORD key);

// A top-down image of 32-bit pixels (B, G, R, unused), as captured.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // row by row from the top, 0x00RRGGBB

  bool Empty() const { return width <= 0 || height <= 0; }
  // The pixel as a COLORREF (0x00BBGGRR); CLR_INVALID outside the image.
  COLORREF At(int x, int y) const;
  // The part inside rect (clipped to the image).
  Image Crop(const RECT& rect) const;
};

// The bytes of a 24-bit BMP file of the image (bottom-up rows padded to 4 bytes).
std::string BmpFileBytes(const Image& image);

// ---------------------------------------------------------------------------------------------
// Waiting. Every wait polls its condition and gives up after its time-out; none sleeps blindly.

// True as soon as the predicate holds; false when the time-out passes first. The predicate is
// asked at least once.
bool WaitUntil(const std::function<bool()>& predicate, Ms timeout = kDefaultTimeout,
               Ms interval = kPollInterval);

// ---------------------------------------------------------------------------------------------
// Processes.

class Process {
 public:
  Process() = default;
  // Starts exe with the arguments, in workDir (empty: the driver's own), with a normal window.
  // Check Started(); LastError() tells why not. The program ends at the latest with the
  // driver's process, however that ends.
  static Process Start(const std::wstring& exe, const std::vector<std::wstring>& arguments = {},
                       const std::wstring& workDir = {});
  ~Process();  // ends the process if it still runs
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  DWORD LastError() const { return error_; }
  bool Running() const;

  // Waits for the end of the process; its exit code, or nothing when it still runs.
  std::optional<DWORD> WaitExit(Ms timeout = kDefaultTimeout);
  // Asks the process to end the way a user does: WM_CLOSE to each of its visible top-level
  // windows, then waits for its end. True when it ended by itself within the time-out.
  bool Close(Ms timeout = kDefaultTimeout);
  // Ends the process at once (nothing of it is saved) and waits for its end.
  void Kill();

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  DWORD error_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Windows of other processes. Texts are Shift-JIS bytes, as the programs themselves hold them.

// Which top-level windows a search accepts; every field left at its default accepts all.
struct WindowMatch {
  DWORD processId = 0;               // 0: any process
  std::wstring className;            // empty: any class
  std::optional<std::string> title;  // exact caption (Shift-JIS)
  std::optional<std::string> titleContains;
  bool visibleOnly = true;
  bool unownedOnly = false;          // only windows without an owner
  HWND except = nullptr;             // a window to pass over (e.g. the one already known)
};

bool Matches(HWND window, const WindowMatch& match);
// Top-level windows in z-order (topmost first) that match.
std::vector<HWND> TopWindows(const WindowMatch& match);
// The first match, polling until one exists; nullptr after the time-out.
HWND FindTopWindow(const WindowMatch& match, Ms timeout = kDefaultTimeout);
// Shorthands: by exact class and caption; by process (its first visible top-level window,
// unowned first).
HWND FindWindowByClassTitle(const std::wstring& className, const std::string& title,
                            Ms timeout = kDefaultTimeout);
HWND FindWindowOfProcess(DWORD processId, Ms timeout = kDefaultTimeout);
// Waits until the window no longer exists or is hidden.
bool WaitWindowGone(HWND window, Ms timeout = kDefaultTimeout);
// Waits until the window and all its descendants have painted (no update region left) and its
// pixels on the screen hold still between two looks: then a screenshot shows its state.
bool WaitRepainted(HWND window, Ms timeout = kDefaultTimeout);

// A started program and its first window.
struct StartedProgram {
  Process process;
  HWND window = nullptr;  // nullptr when none showed up
};
// Starts the program and waits for its first top-level window that matches (the match's
// processId is the new process's). When the process ends before showing one, it is started
// once more: a program whose first window falls into the moment Wine replaces its desktop
// (right after the last windowed program ended) dies of an X error.
StartedProgram StartWithWindow(const std::wstring& exe, const std::vector<std::wstring>& arguments,
                               const std::wstring& workDir, WindowMatch match,
                               Ms timeout = kDefaultTimeout);

std::wstring ClassName(HWND window);
// The caption as stored for the window (GetWindowTextW: never asks the window's own thread).
std::string WindowText(HWND window);
// The text as the control reports it (WM_GETTEXT through its thread), e.g. an edit field.
std::string ControlText(HWND control);
RECT WindowRect(HWND window);
// The client area in screen coordinates.
RECT ClientRectOnScreen(HWND window);
POINT ClientToScreenPoint(HWND window, POINT client);
HWND OwnerOf(HWND window);
bool IsForeground(HWND window);

// Child controls, all descendants in the order of EnumChildWindows.
std::vector<HWND> Children(HWND parent, const std::wstring& className = {});
// The index-th descendant of that class (0 first); nullptr when there are fewer.
HWND FindChild(HWND parent, const std::wstring& className, int index = 0);
// The first descendant with that control id.
HWND FindChildById(HWND parent, int controlId);
// The first descendant of that class whose caption is title (Shift-JIS).
HWND FindChildByText(HWND parent, const std::wstring& className, const std::string& title);

// Combo box and list box items (the messages are carried across processes).
std::vector<std::string> ComboItems(HWND combo);
int ComboSelection(HWND combo);
std::vector<std::string> ListBoxItems(HWND list);
// Tab control: selected tab (-1 for none) and number of tabs.
int TabSelection(HWND tabControl);
int TabCount(HWND tabControl);
// A tab's rectangle in the control's client area, read through a buffer in the control's
// process (the message's pointer is not carried across processes); empty when it cannot be.
RECT TabItemRect(HWND tabControl, int index);

// Memory allocated in another process, for the messages of common controls whose lParam
// points to a structure the system does not carry across processes: the block holds what the
// message reads and writes.
class RemoteBlock {
 public:
  RemoteBlock(HANDLE process, std::size_t size);
  ~RemoteBlock();
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  // An address in the other process.
  char* Address(std::size_t offset = 0) const { return static_cast<char*>(base_) + offset; }
  bool Write(const void* bytes, std::size_t size, std::size_t offset = 0) const;
  bool Read(void* bytes, std::size_t size, std::size_t offset = 0) const;
  // Sends message with the block as lParam; true when the control answered non-zero.
  bool Send(HWND control, UINT message, WPARAM wParam) const;

 private:
  HANDLE process_;
  void* base_;
};

// ---------------------------------------------------------------------------------------------
// Real input through SendInput, as a user's keyboard and mouse give it.

// Makes the window the foreground window (restoring it when minimized) and waits until it is.
bool BringToForeground(HWND window, Ms timeout = kDefaultTimeout);

void KeyDown(WORD key);
void KeyUp(WORD key);
void PressKey(WORD key);                                      // down and up
void PressChord(const std::vector<WORD>& modifiers, WORD key);  // e.g. {VK_CONTROL}, 'C'
inline void PressCtrl(WORD key) { PressChord({VK_CONTROL}, key); }
inline void PressApps() { PressKey(VK_APPS); }
// Types characters as the keyboard would: each ASCII character by its key (with Shift when the
// layout needs it), any other character as a Unicode packet.
void TypeText(std::wstring_view text);

enum class Button { Left, Right };
void MoveMouse(POINT screen);
void Click(POINT screen, Button button = Button::Left);
void DoubleClick(POINT screen);
// Client coordinates of window.
void ClickClient(HWND window, POINT client, Button button = Button::Left);
void RightClickClient(HWND window, POINT client);
void DoubleClickClient(HWND window, POINT client);

// ---------------------------------------------------------------------------------------------
// Pixels and screenshots.

COLORREF ScreenPixel(POINT screen);
COLORREF ClientPixel(HWND window, POINT client);
// The whole virtual desktop, or the window's outer rectangle as it shows on the desktop.
Image CaptureScreen();
Image CaptureWindow(HWND window);
bool SaveBmp(const Image& image, const std::wstring& path);

// ---------------------------------------------------------------------------------------------
// The screen's DPI.

// For the scope's time, the DPI of the screen that programs of the Wine prefix read as they
// start (LogPixels under HKEY_CURRENT_USER\Control Panel\Desktop); the value before comes
// back at its end. Programs already running keep theirs.
class ScreenDpi {
 public:
  explicit ScreenDpi(DWORD dpi);
  ~ScreenDpi();
  ScreenDpi(const ScreenDpi&) = delete;
  ScreenDpi& operator=(const ScreenDpi&) = delete;
  // False when the value could not be written.
  bool IsSet() const { return set_; }

 private:
  bool Set(DWORD dpi) const;

  HKEY key_ = nullptr;
  DWORD before_ = 0;
  bool hadValue_ = false;
  bool set_ = false;
};

// ---------------------------------------------------------------------------------------------
// Files.

std::optional<std::string> ReadFileBytes(const std::wstring& path);
// Writes the bytes to a temporary file beside path and moves it over path, so a program that
// polls the file never reads half of it. While that program has path open the move is retried,
// for up to two seconds.
bool WriteFileBytes(const std::wstring& path, std::string_view bytes);
// The driver exe's own folder with a trailing "\".
std::wstring ExeFolder();

// Under Wine each Windows process is a Linux process, whose figures /proc holds (Wine reports
// no memory or times of another process). Its /proc folder as Windows programs see it
// ("Z:\proc\PID\"), found by a text of its command line (say the full path of its exe); empty
// when no process matches.
std::wstring LinuxProcFolder(std::string_view commandLinePart);
// The number after key in a /proc status text ("RssAnon:" gives kB); 0 when key is absent.
long long ProcStatusField(std::string_view status, std::string_view key);

}  // namespace tabvane::driver
