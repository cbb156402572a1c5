#include "platform/win32/win32_notify_shell.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/win32/icon_handle.h"
#include "tray/no_wait.h"
#include "tray/notify_icon.h"

namespace norvaket::win32 {
namespace {

// Draws every id as a solid square and remembers what it was asked for.
class RecordingTrayIcons final : public TrayIcons {
 public:
  struct Request {
    std::int32_t icon_id;
    int size;
  };
  RgbaImage IconImage(std::int32_t icon_id, int size_px) override {
    requests.push_back({icon_id, size_px});
    return Square(size_px, {0x10, 0x20, 0x30, 0xFF});
  }
  static RgbaImage Square(int size, std::vector<std::uint8_t> rgba) {
    RgbaImage image{size, size, {}};
    for (int i = 0; i < size * size; ++i) image.pixels.insert(image.pixels.end(), rgba.begin(), rgba.end());
    return image;
  }
  std::vector<Request> requests;
};

TrayIconRecord BalloonRecord() {
  TrayIconRecord record;
  record.hWnd = 0x1234;
  record.uID = kTrayIconUid;
  record.uFlags = kFlagsBalloon;
  record.uCallbackMessage = kTrayCallbackMessage;
  record.hIcon = 205;
  record.szTip = "バッテリ\r\n残り時間 不明 (50%)";
  record.szInfo = "システムはバッテリで動作しています。";
  record.szInfoTitle = "バッテリに切り替わりました";
  record.dwInfoFlags = kNiifWarning;
  return record;
}

TEST(FromRecordTest, UsesTheRecordSizeWithBalloonFields) {
  const NOTIFYICONDATAW data = FromRecord(BalloonRecord(), nullptr);
  EXPECT_EQ(data.cbSize, NOTIFYICONDATAW_V2_SIZE);
  EXPECT_GE(data.cbSize, offsetof(NOTIFYICONDATAW, dwInfoFlags) + sizeof data.dwInfoFlags);
  EXPECT_LT(data.cbSize, sizeof(NOTIFYICONDATAW));  // no GUID, no balloon icon
}

TEST(FromRecordTest, CopiesIdsFlagsAndIcon) {
  HICON icon = reinterpret_cast<HICON>(static_cast<std::uintptr_t>(0xABC0));
  const NOTIFYICONDATAW data = FromRecord(BalloonRecord(), icon);
  EXPECT_EQ(data.hWnd, reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1234)));
  EXPECT_EQ(data.uID, 1u);
  EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_INFO));
  EXPECT_EQ(data.uCallbackMessage, 0x200u);
  EXPECT_EQ(data.hIcon, icon);
  EXPECT_EQ(data.dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
  EXPECT_EQ(data.uTimeout, 0u);
  EXPECT_EQ(data.dwState, 0u);
  EXPECT_EQ(data.dwStateMask, 0u);
}

TEST(FromRecordTest, ConvertsTheTextsToUtf16) {
  const NOTIFYICONDATAW data = FromRecord(BalloonRecord(), nullptr);
  EXPECT_STREQ(data.szTip, L"\u30D0\u30C3\u30C6\u30EA\r\n\u6B8B\u308A\u6642\u9593 \u4E0D\u660E (50%)");
  EXPECT_STREQ(data.szInfoTitle, L"\u30D0\u30C3\u30C6\u30EA\u306B\u5207\u308A\u66FF\u308F\u308A\u307E\u3057\u305F");
  EXPECT_EQ(std::wstring(data.szInfo).size(), 18u);
}

// The core cuts in UTF-16 units; a text at the limit, ending in a character
// outside the basic plane, must arrive whole and closed by a NUL.
struct LimitCase {
  std::size_t units;
  std::string TrayIconRecord::*field;
  std::size_t offset;
};

class TextLimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(TextLimitTest, ATextAtTheLimitFitsWithItsNul) {
  const LimitCase& limit = GetParam();
  TrayIconRecord record;
  record.*limit.field = std::string(limit.units - 2, 'x') + "\xF0\x9F\x94\x8B";  // + 2 units
  const NOTIFYICONDATAW data = FromRecord(record, nullptr);
  const auto* text = reinterpret_cast<const wchar_t*>(reinterpret_cast<const char*>(&data) + limit.offset);
  const std::wstring copied(text);
  ASSERT_EQ(copied.size(), limit.units);
  EXPECT_EQ(copied.substr(limit.units - 2), L"\xD83D\xDD0B");
}

TEST_P(TextLimitTest, ALongerTextIsContainedInItsField) {
  const LimitCase& limit = GetParam();
  TrayIconRecord record;
  record.*limit.field = std::string(limit.units + 40, 'y');
  const NOTIFYICONDATAW data = FromRecord(record, nullptr);
  const auto* text = reinterpret_cast<const wchar_t*>(reinterpret_cast<const char*>(&data) + limit.offset);
  EXPECT_EQ(std::wstring(text).size(), limit.units);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TextLimitTest,
    ::testing::Values(LimitCase{kTipMaxUnits, &TrayIconRecord::szTip, offsetof(NOTIFYICONDATAW, szTip)},
                      LimitCase{kInfoMaxUnits, &TrayIconRecord::szInfo, offsetof(NOTIFYICONDATAW, szInfo)},
                      LimitCase{kInfoTitleMaxUnits, &TrayIconRecord::szInfoTitle,
                                offsetof(NOTIFYICONDATAW, szInfoTitle)}));

TEST(IconHandleTest, MakesAnIconOfTheImageSizeWithItsColours) {
  UniqueIcon icon = CreateIconFromImage(RecordingTrayIcons::Square(16, {0xFF, 0x80, 0x00, 0xFF}));
  ASSERT_NE(icon.Get(), nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 16);
  EXPECT_EQ(bitmap.bmHeight, 16);
  // Read one pixel back: red must stay red (RGBA in, BGRA in the bitmap).
  BITMAPINFO request{};
  request.bmiHeader.biSize = sizeof request.bmiHeader;
  request.bmiHeader.biWidth = 16;
  request.bmiHeader.biHeight = -16;
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(16 * 16);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, info.hbmColor, 0, 16, pixels.data(), &request, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(pixels[0] & 0x00FFFFFF, 0x00FF8000u);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST(IconHandleTest, RefusesEmptyAndMalformedImages) {
  EXPECT_EQ(CreateIconFromImage(RgbaImage{}).Get(), nullptr);
  RgbaImage short_buffer{16, 16, std::vector<std::uint8_t>(16 * 16 * 4 - 1, 0xFF)};
  EXPECT_EQ(CreateIconFromImage(short_buffer).Get(), nullptr);
}

// Drawn over white, a half-transparent pixel must blend as straight alpha:
// the painter hands out straight RGBA and icons take it so. Had the colour
// been premultiplied (or the alpha dropped), green would come out wrong.
TEST(IconHandleTest, HalfTransparentPixelsBlendAsStraightAlpha) {
  UniqueIcon icon = CreateIconFromImage(RecordingTrayIcons::Square(16, {200, 100, 0, 128}));
  ASSERT_NE(icon.Get(), nullptr);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = 16;
  format.bmiHeader.biHeight = -16;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP target = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(target, nullptr);
  HGDIOBJ previous = SelectObject(memory, target);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  std::fill_n(pixels, 16 * 16, 0x00FFFFFFu);
  ASSERT_TRUE(DrawIconEx(memory, 0, 0, icon.Get(), 16, 16, 0, nullptr, DI_NORMAL));
  GdiFlush();
  const std::uint32_t pixel = pixels[8 * 16 + 8];
  SelectObject(memory, previous);
  DeleteObject(target);
  DeleteDC(memory);
  const int red = (pixel >> 16) & 0xFF;
  const int green = (pixel >> 8) & 0xFF;
  const int blue = pixel & 0xFF;
  // 200*a + 255*(1-a), 100*a + 255*(1-a), 0*a + 255*(1-a) with a = 128/255
  EXPECT_NEAR(red, 227, 3);
  EXPECT_NEAR(green, 177, 3);
  EXPECT_NEAR(blue, 127, 3);
}

// A window to own the icon in the real shell calls.
class ShellWindow {
 public:
  ShellWindow() {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"NorvaketShellTest";
    RegisterClassW(&window_class);
    window_ = CreateWindowW(L"NorvaketShellTest", L"shell test", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~ShellWindow() { DestroyWindow(window_); }
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

TEST(Win32NotifyShellTest, DrawsTheRecordsIconAtTheSmallIconSize) {
  RecordingTrayIcons icons;
  Win32NotifyShell shell(icons);
  ShellWindow window;
  TrayIconRecord record = BalloonRecord();
  record.hWnd = reinterpret_cast<WindowHandle>(window.Handle());
  shell.ShellNotifyIcon(NotifyMessage::Modify, record);  // nothing added: the shell refuses
  ASSERT_EQ(icons.requests.size(), 1u);
  EXPECT_EQ(icons.requests[0].icon_id, 205);
  EXPECT_EQ(icons.requests[0].size, GetSystemMetrics(SM_CXSMICON));
  shell.ShellNotifyIcon(NotifyMessage::Delete, record);
  EXPECT_EQ(icons.requests.size(), 1u);  // a delete draws nothing
}

TEST(Win32NotifyShellTest, AddModifyDeleteThroughTheRealShell) {
  RecordingTrayIcons icons;
  Win32NotifyShell shell(icons);
  ShellWindow window;
  NoWait no_wait;
  NotifyIcon notify_icon(shell, no_wait);
  notify_icon.NotifyIconAdd(reinterpret_cast<WindowHandle>(window.Handle()), 108, "AC電源\r\n80%");
  NOTIFYICONDATAW probe = FromRecord(notify_icon.Record(), nullptr);
  probe.uFlags = 0;
  // Only an icon that exists can be modified, so the modify proves the add.
  EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));
  notify_icon.NotifyIconModify(205, "", "テキスト", "タイトル", false);
  notify_icon.NotifyIconDelete();
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "the icon is still there after the delete";
}

}  // namespace
}  // namespace norvaket::win32
