#pragma once

#include <QDialog>
#include <QIcon>
#include <array>

#include "tray/about_layout.h"
#include "tray/about_presenter.h"
#include "tray/about_view.h"
#include "tray/dialog_layout.h"

class QLabel;
class QPushButton;

namespace norvaket::qt {

class LinkLabel;

// frmAbout: title, version, legal notice, icon and the two links. Both link
// labels are named "lblURL" with the property "index" 0 (web) and 1 (mail).
// Loading happens in the constructor, so each opening needs a new box.
class AboutBox final : public QDialog, public AboutView {
  Q_OBJECT

 public:
  AboutBox(Launcher& launcher, DialogTracker& dialogs, ProgramIdentity identity,
           const QIcon& main_window_icon, QWidget* parent = nullptr);
  ~AboutBox() override;

  // AboutView
  void SetCaption(const std::string& text) override;
  void SetVersionText(const std::string& text) override;
  void SetTitleText(const std::string& text) override;
  void SetDescriptionText(const std::string& text) override;
  void CopyMainWindowIcon() override;
  void SetLinkCaption(std::size_t link, const std::string& text) override;
  void SetLinkColour(std::size_t link, Rgb colour) override;
  void ProcessPendingEvents() override;
  void CloseDialog() override;

  // Esc presses OK; every way of closing unloads once.
  void reject() override;
  void done(int result) override;

 private:
  // One control of the about box's portable description.
  QWidget* AddControl(const DialogControl& control);

  QIcon main_window_icon_;
  QLabel* icon_ = nullptr;
  QLabel* title_ = nullptr;
  QLabel* version_ = nullptr;
  QLabel* description_ = nullptr;
  std::array<LinkLabel*, 2> links_{};
  QPushButton* ok_ = nullptr;
  // The widgets of kAboutBoxControls, by index.
  std::array<QWidget*, kAboutBoxControls.size()> controls_{};
  AboutPresenter presenter_;
};

}  // namespace norvaket::qt
