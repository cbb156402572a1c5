#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "platform/win32/modal_dialog.h"
#include "platform/win32/rule_line.h"
#include "tray/about_presenter.h"
#include "tray/about_view.h"
#include "tray/about_layout.h"
#include "tray/dialog_layout.h"

namespace norvaket::win32 {

// frmAbout: title, version, legal notice and icon of the program, and two
// links that open through the shell. OK is both the Enter and the Esc button.
class AboutBox final : public ModalDialog, private AboutView {
 public:
  static constexpr int kFirstLinkId = 1301;  // + link index
  static constexpr int kTitleId = 1311;
  static constexpr int kVersionId = 1312;
  static constexpr int kDescriptionId = 1313;
  static constexpr int kIconId = 1314;

  AboutBox(HINSTANCE instance, HWND main_window, Launcher& launcher, DialogTracker& dialogs,
           ProgramIdentity identity);

  HWND Link(std::size_t link) const { return links_.at(link); }
  Rgb LinkColour(std::size_t link) const { return link_colours_.at(link); }
  HWND OkButton() const { return ok_; }

 private:
  // ModalDialog
  HWND OnCreate() override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result) override;
  void OnDestroy() override;

  // AboutView
  void SetCaption(const std::string& text) override { ModalDialog::SetCaption(text); }
  void SetVersionText(const std::string& text) override;
  void SetTitleText(const std::string& text) override;
  void SetDescriptionText(const std::string& text) override;
  void CopyMainWindowIcon() override;
  void SetLinkCaption(std::size_t link, const std::string& text) override;
  void SetLinkColour(std::size_t link, Rgb colour) override;
  void ProcessPendingEvents() override;
  void CloseDialog() override { Close(); }

  // One control of the about box's portable description.
  HWND BuildControl(const DialogControl& control);
  HWND AddLabel(const char* caption, const TwipsBox& place, int id = 0xFFFF);
  int LinkIndexOf(HWND control) const;

  HWND main_window_;
  AboutPresenter presenter_;
  HFONT link_font_ = nullptr;
  HWND icon_ = nullptr;
  HWND title_ = nullptr;
  HWND version_ = nullptr;
  HWND description_ = nullptr;
  std::array<HWND, 2> links_{};
  std::array<Rgb, 2> link_colours_{kLinkColour, kLinkColour};
  HWND ok_ = nullptr;
  // The windows of kAboutBoxControls, by index.
  std::array<HWND, kAboutBoxControls.size()> controls_{};
  std::vector<RuleLine> lines_;
};

}  // namespace norvaket::win32
