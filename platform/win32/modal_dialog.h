#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "platform/win32/twips.h"

namespace norvaket::win32 {

// A dialog window whose controls are laid out in twips at the dialog's DPI
// and drawn in "MS UI Gothic" 9 pt. It runs modally (the dialog manager's
// loop gives Tab, Enter = IDOK and Esc = IDCANCEL); tests can also create it
// without the modal loop and drive it with messages.
class ModalDialog {
 public:
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;
  virtual ~ModalDialog();

  // Shows the dialog, owned by `owner`; returns when it has closed.
  void ShowModal(HWND owner);
  // Creates and shows the dialog without a loop of its own.
  bool Create(HWND owner);
  // Closes an open dialog, whichever way it was made.
  void Close();

  HWND Handle() const { return window_; }
  int Dpi() const { return dpi_; }

 protected:
  explicit ModalDialog(HINSTANCE instance) : instance_(instance) {}

  // Builds the controls; returns the control that gets the focus first.
  virtual HWND OnCreate() = 0;
  virtual void OnCommand(int id, int code, HWND control) = 0;
  virtual void OnNotify(const NMHDR& /*header*/) {}
  // Anything else; true when handled, with `result` as the dialog's answer.
  virtual bool OnMessage(UINT /*message*/, WPARAM /*wparam*/, LPARAM /*lparam*/,
                         INT_PTR& /*result*/) {
    return false;
  }
  // The window is going; its controls still exist.
  virtual void OnDestroy() = 0;

  HINSTANCE Instance() const { return instance_; }
  HFONT Font() const { return font_; }
  int Px(int twips) const { return TwipsToPixels(twips, dpi_); }

  void SetCaption(const std::string& text);
  // A fixed-size window whose client area is `width` x `height` twips, centred on
  // the work area of its screen and kept inside it, title bar first.
  void SizeAndCentre(int width_twips, int height_twips);
  // A child control in the dialog font.
  HWND AddControl(HWND parent, const wchar_t* window_class, const std::string& text, DWORD style,
                  const TwipsBox& place, int id, DWORD ex_style = 0);
  // Grows a control so that its caption in `font`, plus `extra_px` (a check
  // box's box), is not cut: the designed sizes fit the designed font, and a
  // replacement font may run wider or taller. With `exact_width` the width
  // becomes the caption's, as for labels sized to their text.
  void GrowToText(HWND control, HFONT font, int extra_px, bool exact_width = false);
  // Once the controls on `panel` (`windows`, made from `controls`, inside `container`)
  // have grown to their text: the rows below a grown one follow it down, and none
  // reaches past the container.
  void GrowToTextHeights(std::span<const DialogControl> controls, std::span<const HWND> windows,
                         int panel, HWND container) const;
  // Gives the dialog the class icons of `window` (its big one where it has no small
  // one); the big icon, for a dialog that shows it as well.
  HICON CopyIconFrom(HWND window);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void Initialise(HWND window);

  HINSTANCE instance_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  bool modal_ = false;
};

// Dots per inch of a window: its own where the system knows it (Windows 10),
// else the screen's.
int WindowDpi(HWND window);

// "MS UI Gothic" 9 pt, Japanese character set, at `dpi`; underlined for links.
HFONT CreateDialogFont(int dpi, bool underline = false);

// A child window's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND window);

// Width and height of `text` in `font`, in pixels.
SIZE TextExtent(HWND window, HFONT font, const std::wstring& text);

}  // namespace norvaket::win32
