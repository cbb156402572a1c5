#pragma once

#include <windows.h>

#include <vector>

#include "platform/win32/rule_line.h"
#include "platform/win32/twips.h"

namespace norvaket::win32 {

// A panel (picFrame) that groups controls over a tab's page. Its controls'
// notifications go on to the dialog, as if they were the dialog's own, and
// it draws its etched separators.
class DialogPanel {
 public:
  static constexpr wchar_t kClassName[] = L"Norvaket.Panel";

  DialogPanel() = default;
  DialogPanel(const DialogPanel&) = delete;
  DialogPanel& operator=(const DialogPanel&) = delete;

  HWND Create(HINSTANCE instance, HWND dialog, const TwipsBox& place, int dpi, int id,
              bool visible);
  void AddRuleLine(const RuleLine& line) { lines_.push_back(line); }
  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
  HWND dialog_ = nullptr;
  int dpi_ = 96;
  std::vector<RuleLine> lines_;
};

}  // namespace norvaket::win32
