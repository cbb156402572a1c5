#include "tray/about_presenter.h"

#include <utility>

namespace norvaket {

AboutPresenter::AboutPresenter(AboutView& view, Launcher& launcher, DialogTracker& dialogs,
                               ProgramIdentity identity)
    : view_(view),
      launcher_(launcher),
      dialogs_(dialogs),
      identity_(std::move(identity)),
      links_(AboutLinks(identity_)) {}

void AboutPresenter::Load() {
  dialogs_.MarkLoaded(DialogKind::About);
  loaded_ = true;
  view_.SetCaption(AboutCaption(identity_.title));
  view_.SetVersionText(VersionLabel(identity_.major, identity_.minor, identity_.revision));
  view_.SetTitleText(identity_.title);
  view_.SetDescriptionText(identity_.legal_notice);
  view_.CopyMainWindowIcon();
  for (std::size_t link = 0; link < links_.size(); ++link) {
    view_.SetLinkCaption(link, links_[link].caption);
    view_.SetLinkColour(link, kLinkColour);
  }
}

void AboutPresenter::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  dialogs_.MarkUnloaded(DialogKind::About);
}

void AboutPresenter::OnLinkClick(std::size_t link) {
  if (link >= links_.size()) return;
  view_.SetLinkColour(link, kVisitedLinkColour);
  view_.ProcessPendingEvents();
  launcher_.OpenLink(links_[link].tag);
}

void AboutPresenter::OnOk() {
  view_.CloseDialog();
}

}  // namespace norvaket
