// Win32Platform against real windows of the test process, the registry and the message queue.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/win32/wide.h"
#include "host/win32/win32_platform.h"
#include "tests/host_win32/desktop.h"

namespace tabvane {
namespace {

using desktop::TestWindow;

std::string Repeat(std::string_view text, std::size_t count) {
  std::string result;
  for (std::size_t i = 0; i < count; ++i) result += text;
  return result;
}

std::vector<WindowHandle> Children(Win32Platform& platform, WindowHandle parent) {
  std::vector<WindowHandle> found;
  platform.EnumChildWindows(parent, [&](WindowHandle window) {
    found.push_back(window);
    return true;
  });
  return found;
}

std::vector<WindowHandle> TopLevel(Win32Platform& platform) {
  std::vector<WindowHandle> found;
  platform.EnumTopLevelWindows([&](WindowHandle window) {
    found.push_back(window);
    return true;
  });
  return found;
}

bool Contains(const std::vector<WindowHandle>& windows, HWND window) {
  return std::find(windows.begin(), windows.end(), ToWindowHandle(window)) != windows.end();
}

TEST(Win32PlatformWindowText, ShiftJisOfAtMost254BytesEndingOnACharacter) {
  const struct {
    std::wstring title;
    std::string expected;
  } cases[] = {
      {L"sample.jww - jw_win", "sample.jww - jw_win"},
      {L"", ""},
      {std::wstring(300, L'a'), std::string(254, 'a')},
      {std::wstring(127, L'\u3042'), Repeat("\x82\xA0", 127)},  // あ x 127: exactly 254 bytes
      // One byte more would split the 127th あ: it is left out whole.
      {L"a" + std::wstring(200, L'\u3042'), "a" + Repeat("\x82\xA0", 126)},
      {std::wstring(300, L'\uFF71'), std::string(254, '\xB1')},  // half-width ｱ, one byte each
      {L"\u8868\u793A", "\x95\x5C\x8E\xA6"},                      // 表示: trail byte 0x5C
      {L"\u25C6\u25C6\u25C6\u30D6\u30ED\u30C3\u30AF\u56F3\u5F62\u3010x",  // ◆◆◆ブロック図形【x
       "\x81\x9F\x81\x9F\x81\x9F\x83\x75\x83\x8D\x83\x62\x83\x4E\x90\x7D\x8C\x60\x81\x79x"},
  };
  Win32Platform platform;
  TestWindow window("", WS_POPUP);
  ASSERT_NE(window.Handle(), nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    ASSERT_TRUE(SetWindowTextW(window.Handle(), c.title.c_str()));
    EXPECT_EQ(platform.WindowText(ToWindowHandle(window.Handle())), c.expected);
  }
}

TEST(Win32PlatformWindows, OwnerVisibilityAndDescendants) {
  Win32Platform platform;
  TestWindow top("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  TestWindow owned("owned", WS_POPUP | WS_VISIBLE, top.Handle());
  TestWindow hidden("hidden", WS_OVERLAPPEDWINDOW);
  TestWindow child("child", WS_CHILD | WS_VISIBLE, top.Handle());
  TestWindow grandchild("grandchild", WS_CHILD | WS_VISIBLE, child.Handle());
  TestWindow underHidden("under hidden", WS_CHILD | WS_VISIBLE, hidden.Handle());

  const struct {
    const char* name;
    HWND window;
    HWND owner;
    bool visible;
  } windows[] = {
      {"top", top.Handle(), nullptr, true},
      {"owned", owned.Handle(), top.Handle(), true},
      {"hidden", hidden.Handle(), nullptr, false},
      {"child", child.Handle(), nullptr, true},
      {"grandchild", grandchild.Handle(), nullptr, true},
      // Visible itself, but its parent is not.
      {"under hidden", underHidden.Handle(), nullptr, false},
  };
  for (const auto& w : windows) {
    SCOPED_TRACE(w.name);
    ASSERT_NE(w.window, nullptr);
    EXPECT_TRUE(platform.IsWindow(ToWindowHandle(w.window)));
    EXPECT_EQ(platform.Owner(ToWindowHandle(w.window)), ToWindowHandle(w.owner));
    EXPECT_EQ(platform.IsVisible(ToWindowHandle(w.window)), w.visible);
  }

  EXPECT_EQ(Children(platform, ToWindowHandle(top.Handle())),
            (std::vector<WindowHandle>{ToWindowHandle(child.Handle()),
                                       ToWindowHandle(grandchild.Handle())}));
  const std::vector<WindowHandle> topLevel = TopLevel(platform);
  EXPECT_TRUE(Contains(topLevel, top.Handle()));
  EXPECT_TRUE(Contains(topLevel, owned.Handle()));
  EXPECT_TRUE(Contains(topLevel, hidden.Handle()));
  EXPECT_FALSE(Contains(topLevel, child.Handle()));
}

TEST(Win32PlatformWindows, NoWindowHasNoChildren) {
  Win32Platform platform;
  WindowHandle closed = 0;
  {
    TestWindow gone("gone", WS_OVERLAPPEDWINDOW);
    TestWindow goneChild("gone child", WS_CHILD, gone.Handle());
    closed = ToWindowHandle(gone.Handle());
  }
  // Handle 0 must not fall back to the top-level windows.
  for (const WindowHandle window : {WindowHandle{0}, closed}) {
    SCOPED_TRACE(window);
    EXPECT_FALSE(platform.IsWindow(window));
    EXPECT_TRUE(Children(platform, window).empty());
  }
}

TEST(Win32PlatformWindows, EnumerationStopsOnFalseAndOnAThrowingCallback) {
  Win32Platform platform;
  TestWindow top("top", WS_OVERLAPPEDWINDOW);
  TestWindow first("first", WS_CHILD, top.Handle());
  TestWindow second("second", WS_CHILD, top.Handle());

  const std::function<bool(int&)> procs[] = {
      [](int&) { return false; },
      [](int&) -> bool { throw std::runtime_error("callback failed"); },
  };
  for (const auto& proc : procs) {
    int children = 0;
    int topLevel = 0;
    EXPECT_NO_THROW(platform.EnumChildWindows(ToWindowHandle(top.Handle()), [&](WindowHandle) {
      ++children;
      return proc(children);
    }));
    EXPECT_NO_THROW(platform.EnumTopLevelWindows([&](WindowHandle) {
      ++topLevel;
      return proc(topLevel);
    }));
    EXPECT_EQ(children, 1);
    EXPECT_EQ(topLevel, 1);
  }
}

TEST(Win32PlatformMessages, PumpDispatchesPendingMessagesAndLeavesQuitQueued) {
  Win32Platform platform;
  TestWindow window("pump", WS_POPUP);
  PostMessageW(window.Handle(), WM_KEYDOWN, 'X', 0);
  PostMessageW(window.Handle(), WM_KEYUP, 'X', 0);
  platform.PumpMessages();
  EXPECT_EQ(window.KeyMessages(), 2);

  PostQuitMessage(7);
  PostMessageW(window.Handle(), WM_KEYDOWN, 'Y', 0);
  platform.PumpMessages();
  EXPECT_EQ(window.KeyMessages(), 3);
  // The program's own loop must still end: the quit is queued again for it.
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

// A key under HKEY_CLASSES_ROOT for one test run, removed before and after.
class ScratchClassKey {
 public:
  ScratchClassKey() : name_(L"TabvaneTest." + std::to_wstring(GetCurrentProcessId())) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, name_.c_str());
  }
  ~ScratchClassKey() { RegDeleteTreeW(HKEY_CLASSES_ROOT, name_.c_str()); }
  ScratchClassKey(const ScratchClassKey&) = delete;
  ScratchClassKey& operator=(const ScratchClassKey&) = delete;

  std::wstring Path(const std::wstring& subkey) const { return name_ + L"\\" + subkey; }

  // Creates the subkey and, unless type is REG_NONE, its default value.
  bool Set(const std::wstring& subkey, DWORD type, const std::vector<BYTE>& data) const {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, Path(subkey).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    const bool set = type == REG_NONE ||
                     RegSetValueExW(key, nullptr, 0, type, data.data(),
                                    static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
    RegCloseKey(key);
    return set;
  }

 private:
  std::wstring name_;
};

std::vector<BYTE> WideBytes(std::wstring_view text, bool withZero = true) {
  const auto* first = reinterpret_cast<const BYTE*>(text.data());
  std::vector<BYTE> bytes(first, first + text.size() * sizeof(wchar_t));
  if (withZero) bytes.insert(bytes.end(), sizeof(wchar_t), 0);
  return bytes;
}

TEST(Win32PlatformRegistry, DefaultValueAsShiftJisTextOrNothing) {
  using namespace std::string_literals;
  const struct {
    std::wstring subkey;
    DWORD type;  // REG_NONE: the key has no default value
    std::vector<BYTE> data;
    std::optional<std::string> expected;
  } cases[] = {
      {L"quoted", REG_SZ, WideBytes(L"\"C:\\Host\\host.exe\" \"%1\""),
       "\"C:\\Host\\host.exe\" \"%1\""},
      {L"japanese", REG_SZ, WideBytes(L"D:\\\u8868\\\u30DB\u30B9\u30C8.exe %1"),
       "D:\\\x95\x5C\\\x83\x7A\x83\x58\x83\x67.exe %1"},  // D:\表\ホスト.exe %1
      {L"\u8868", REG_SZ, WideBytes(L"key name \u8868"), "key name \x95\x5C"},
      {L"expand", REG_EXPAND_SZ, WideBytes(L"%ProgramFiles%\\Host\\host.exe %1"),
       "%ProgramFiles%\\Host\\host.exe %1"},  // left unexpanded
      {L"zero inside", REG_SZ, WideBytes(L"abc\0def"s), "abc"},
      {L"unterminated", REG_SZ, WideBytes(L"abc", false), "abc"},
      {L"empty", REG_SZ, WideBytes(L""), ""},
      {L"dword", REG_DWORD, {1, 0, 0, 0}, std::nullopt},
      {L"binary", REG_BINARY, {'a', 0, 'b', 0, 0, 0}, std::nullopt},
      {L"multi", REG_MULTI_SZ, WideBytes(L"a\0b\0"s), std::nullopt},
      {L"no default", REG_NONE, {}, std::nullopt},
  };
  const ScratchClassKey root;
  for (const auto& c : cases) ASSERT_TRUE(root.Set(c.subkey, c.type, c.data));

  Win32Platform platform;
  for (const auto& c : cases) {
    SCOPED_TRACE(SjisFromWide(c.subkey));
    EXPECT_EQ(platform.ClassesRootDefaultValue(SjisFromWide(root.Path(c.subkey))), c.expected);
  }
  EXPECT_EQ(platform.ClassesRootDefaultValue(SjisFromWide(root.Path(L"missing"))), std::nullopt);
}

}  // namespace
}  // namespace tabvane
