// Tests of the driver library's pure rules, its waits and its text reads.
// Win32 only (the library exists in Windows trees).
#include "tools/driver/driver.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace tabvane::driver {
namespace {

// Where Windows puts an absolute coordinate: floor(value * size / 65536) from the desktop's edge.
LONG PixelOfAbsolute(LONG value, LONG first, LONG size) {
  return first + static_cast<LONG>(static_cast<long long>(value) * size / 65536);
}

TEST(DriverAbsoluteMousePoint, EveryPixelMapsBackToItself) {
  const std::vector<RECT> desktops = {
      {0, 0, 1024, 768}, {0, 0, 1280, 1024}, {-1920, -200, 1920, 1080}, {0, 0, 1, 1}, {0, 0, 3, 7}};
  for (const RECT& desktop : desktops) {
    const LONG width = desktop.right - desktop.left;
    const LONG height = desktop.bottom - desktop.top;
    for (LONG x = desktop.left; x < desktop.right; ++x) {
      const POINT p = AbsoluteMousePoint(POINT{x, desktop.top}, desktop);
      ASSERT_GE(p.x, 0);
      ASSERT_LE(p.x, 65535);
      ASSERT_EQ(PixelOfAbsolute(p.x, desktop.left, width), x) << "width " << width;
      // The same with the 65535 divisor that some implementations use.
      ASSERT_EQ(desktop.left + static_cast<LONG>(static_cast<long long>(p.x) * width / 65535), x)
          << "width " << width;
    }
    for (LONG y = desktop.top; y < desktop.bottom; ++y) {
      const POINT p = AbsoluteMousePoint(POINT{desktop.left, y}, desktop);
      ASSERT_EQ(PixelOfAbsolute(p.y, desktop.top, height), y) << "height " << height;
    }
  }
}

TEST(DriverAbsoluteMousePoint, PointsOutsideAreClampedToTheEdge) {
  const RECT desktop{0, 0, 1024, 768};
  const struct {
    POINT screen;
    POINT same;
  } cases[] = {
      {{-5, -5}, {0, 0}},
      {{5000, 100}, {1023, 100}},
      {{100, 768}, {100, 767}},
  };
  for (const auto& c : cases) {
    const POINT got = AbsoluteMousePoint(c.screen, desktop);
    const POINT want = AbsoluteMousePoint(c.same, desktop);
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
  }
}

TEST(DriverCommandLine, QuotesAsTheRuntimeParsesIt) {
  const struct {
    std::wstring argument;
    std::wstring quoted;
  } cases[] = {
      {L"plain", L"plain"},
      {L"", L"\"\""},
      {L"two words", L"\"two words\""},
      {L"a\"b", L"\"a\\\"b\""},
      {L"C:\\dir\\", L"C:\\dir\\"},                          // no quotes needed: backslashes stay
      {L"C:\\my dir\\", L"\"C:\\my dir\\\\\""},              // doubled before the closing quote
      {L"a\\\"b", L"\"a\\\\\\\"b\""},                        // backslash before a quote
      {L"tab\there", L"\"tab\there\""},
  };
  for (const auto& c : cases) EXPECT_EQ(QuoteArgument(c.argument), c.quoted) << c.argument.size();
  EXPECT_EQ(CommandLine(L"C:\\Program Files\\x.exe", {L"/captions", L"Z:\\a b\\c.txt"}),
            L"\"C:\\Program Files\\x.exe\" /captions \"Z:\\a b\\c.txt\"");
}

// The command line round trip through the platform's own parser.
TEST(DriverCommandLine, CommandLineToArgvReadsTheArgumentsBack) {
  const std::vector<std::wstring> arguments = {L"", L"a b", L"x\"y", L"C:\\p q\\", L"\\\\srv\\s",
                                               L"end\\\\"};
  const std::wstring line = CommandLine(L"C:\\x.exe", arguments);
  int count = 0;
  LPWSTR* parsed = CommandLineToArgvW(line.c_str(), &count);
  ASSERT_NE(parsed, nullptr);
  ASSERT_EQ(count, static_cast<int>(arguments.size()) + 1);
  for (std::size_t i = 0; i < arguments.size(); ++i) EXPECT_EQ(parsed[i + 1], arguments[i]);
  LocalFree(parsed);
}

TEST(DriverDosPath, MapsTheRootToDriveZ) {
  const struct {
    std::string path;
    std::wstring dos;
  } cases[] = {
      {"/work/main/build", L"Z:\\work\\main\\build"},
      {"/", L"Z:\\"},
      {"C:\\app\\", L"C:\\app\\"},
      {"relative/dir", L"relative\\dir"},
      {"/tmp/\x95\x5C/x", L"Z:\\tmp\\\u8868\\x"},  // 表: its trail byte 0x5C is no separator
  };
  for (const auto& c : cases) EXPECT_EQ(DosPath(c.path), c.dos) << c.path;
}

TEST(DriverChordInputs, ModifiersWrapTheKeyInReverseOrder) {
  const std::vector<INPUT> inputs = ChordInputs({VK_CONTROL, VK_SHIFT}, VK_DELETE);
  const struct {
    WORD key;
    bool up;
  } want[] = {{VK_CONTROL, false}, {VK_SHIFT, false}, {VK_DELETE, false},
              {VK_DELETE, true},   {VK_SHIFT, true},  {VK_CONTROL, true}};
  ASSERT_EQ(inputs.size(), std::size(want));
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    EXPECT_EQ(inputs[i].type, static_cast<DWORD>(INPUT_KEYBOARD));
    EXPECT_EQ(inputs[i].ki.wVk, want[i].key) << i;
    EXPECT_EQ((inputs[i].ki.dwFlags & KEYEVENTF_KEYUP) != 0, want[i].up) << i;
  }
  // Delete and the context-menu key are extended keys; a letter and Ctrl are not.
  EXPECT_NE(inputs[2].ki.dwFlags & KEYEVENTF_EXTENDEDKEY, 0u);
  EXPECT_EQ(inputs[0].ki.dwFlags & KEYEVENTF_EXTENDEDKEY, 0u);
  EXPECT_NE(ChordInputs({}, VK_APPS)[0].ki.dwFlags & KEYEVENTF_EXTENDEDKEY, 0u);
  EXPECT_EQ(ChordInputs({}, 'B')[0].ki.dwFlags & KEYEVENTF_EXTENDEDKEY, 0u);
}

std::uint32_t Le32(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return v;
}

TEST(DriverBmpFileBytes, RowsBottomUpPaddedToFourBytes) {
  // 3 x 2 pixels: each row is 9 bytes of colour and 3 of padding.
  Image image{3, 2, {0x00112233, 0x00445566, 0x00778899, 0x00AABBCC, 0x00DDEEFF, 0x00010203}};
  const std::string bytes = BmpFileBytes(image);
  ASSERT_EQ(bytes.size(), 54u + 2 * 12);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(Le32(bytes, 2), bytes.size());
  EXPECT_EQ(Le32(bytes, 10), 54u);
  EXPECT_EQ(Le32(bytes, 18), 3u);
  EXPECT_EQ(Le32(bytes, 22), 2u);
  // The bottom row first, each pixel as blue, green, red.
  EXPECT_EQ(bytes.substr(54, 12), std::string("\xCC\xBB\xAA\xFF\xEE\xDD\x03\x02\x01\0\0\0", 12));
  EXPECT_EQ(bytes.substr(66, 12), std::string("\x33\x22\x11\x66\x55\x44\x99\x88\x77\0\0\0", 12));
  EXPECT_TRUE(BmpFileBytes(Image{}).empty());
}

TEST(DriverImage, PixelsAndCropsStayInside) {
  const Image image{2, 2, {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF}};
  EXPECT_EQ(image.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(image.At(1, 0), RGB(0, 255, 0));
  EXPECT_EQ(image.At(0, 1), RGB(0, 0, 255));
  EXPECT_EQ(image.At(2, 0), CLR_INVALID);
  EXPECT_EQ(image.At(0, -1), CLR_INVALID);

  const Image corner = image.Crop(RECT{1, 1, 5, 5});
  ASSERT_EQ(corner.width, 1);
  ASSERT_EQ(corner.height, 1);
  EXPECT_EQ(corner.At(0, 0), RGB(255, 255, 255));
  EXPECT_TRUE(image.Crop(RECT{3, 0, 4, 2}).Empty());
  EXPECT_TRUE(image.Crop(RECT{1, 1, 0, 0}).Empty());
}

TEST(DriverWaitUntil, ReturnsAsSoonAsThePredicateHoldsAndGivesUpAfterTheTimeOut) {
  int calls = 0;
  EXPECT_TRUE(WaitUntil([&] { return ++calls == 3; }, Ms(5000), Ms(1)));
  EXPECT_EQ(calls, 3);

  calls = 0;
  const DWORD start = GetTickCount();
  EXPECT_FALSE(WaitUntil([&] { return ++calls < 0; }, Ms(100), Ms(10)));
  EXPECT_GE(GetTickCount() - start, 90u);
  EXPECT_GE(calls, 2);

  calls = 0;
  EXPECT_TRUE(WaitUntil([&] { return ++calls > 0; }, Ms(0)));  // asked once even without time
  EXPECT_EQ(calls, 1);
}

TEST(DriverFiles, WriteReplacesWholeAndReadGivesTheBytesBack) {
  wchar_t folder[MAX_PATH] = {};
  ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
  const std::wstring path = std::wstring(folder) + L"tabvane_driver_test.bin";
  const std::string first("a\0b\r\n\x1A\x95\x5C", 8);
  ASSERT_TRUE(WriteFileBytes(path, first));
  EXPECT_EQ(ReadFileBytes(path), first);
  ASSERT_TRUE(WriteFileBytes(path, "x"));
  EXPECT_EQ(ReadFileBytes(path), std::string("x"));
  EXPECT_EQ(ReadFileBytes(path + L".tmp"), std::nullopt);  // no temporary left behind
  DeleteFileW(path.c_str());
  EXPECT_EQ(ReadFileBytes(path), std::nullopt);
}

TEST(DriverFiles, WriteWaitsForAReaderThatHoldsTheFileForAMoment) {
  wchar_t folder[MAX_PATH] = {};
  ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
  const std::wstring path = std::wstring(folder) + L"tabvane_driver_held.bin";
  ASSERT_TRUE(WriteFileBytes(path, "old"));
  // Opened as a polling reader opens it: others may read, nobody may replace it.
  const HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  std::thread closer([reader] {
    Sleep(200);
    CloseHandle(reader);
  });
  EXPECT_TRUE(WriteFileBytes(path, "new"));
  closer.join();
  EXPECT_EQ(ReadFileBytes(path), std::string("new"));
  DeleteFileW(path.c_str());
}

// A caption that grows between the length and the text, as a program's does while the driver
// polls it: the second answer of WM_GETTEXTLENGTH is longer than the first.
struct GrowingCaption {
  int lengthCalls = 0;
  WPARAM largestRoom = 0;
};

LRESULT CALLBACK GrowingCaptionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* caption = reinterpret_cast<GrowingCaption*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (caption != nullptr && message == WM_GETTEXTLENGTH) {
    return ++caption->lengthCalls == 1 ? 3 : 200;
  }
  if (caption != nullptr && message == WM_GETTEXT && wParam > 0) {
    caption->largestRoom = std::max(caption->largestRoom, wParam);
    const std::wstring text(std::min<std::size_t>(wParam - 1, 200), L'x');
    text.copy(reinterpret_cast<wchar_t*>(lParam), text.size());
    reinterpret_cast<wchar_t*>(lParam)[text.size()] = L'\0';
    return static_cast<LRESULT>(text.size());
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(DriverWindowText, ACaptionThatGrowsMeanwhileIsReadWithinTheBuffer) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = GrowingCaptionProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TabvaneDriverGrowingCaption";
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10,
                                      10, nullptr, nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  GrowingCaption caption;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&caption));
  EXPECT_EQ(WindowText(window), "xxx");
  EXPECT_EQ(caption.largestRoom, 4u);  // the buffer made for the first length, never more
  DestroyWindow(window);
}

}  // namespace
}  // namespace tabvane::driver
