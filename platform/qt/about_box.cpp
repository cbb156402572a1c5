#include "platform/qt/about_box.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <vector>

#include "platform/qt/dialog_font.h"
#include "tray/about_layout.h"
#include "platform/qt/link_label.h"
#include "platform/qt/rule_line.h"
#include "platform/qt/twips.h"

namespace norvaket::qt {
namespace {

constexpr int kIconPixels = 32;
constexpr int kLinkGap = 4;
// Links may grow to fit a long address, but not under the OK button.
constexpr int kLinkRightLimit = TwipsToPixels(4245) - 8;

void SetBlackText(QLabel* label) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(palette);
}

}  // namespace

AboutBox::AboutBox(Launcher& launcher, DialogTracker& dialogs, ProgramIdentity identity,
                   const QIcon& main_window_icon, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      main_window_icon_(main_window_icon),
      presenter_(*this, launcher, dialogs, std::move(identity)) {
  setObjectName(QStringLiteral("frmAbout"));
  setFont(DialogFont());
  setFixedSize(TwipsToPixels(kAboutClientArea.width), TwipsToPixels(kAboutClientArea.height));

  for (const EtchedLine& line : kAboutLine) {
    auto* rule = new RuleLine(this, TwipsPoint(line.left, line.top), TwipsToPixels(line.right),
                              line.white ? kRuleWhite : kRuleGrey, line.width_px);
    rule->setObjectName(QStringLiteral("Line1"));
    rule->setProperty("index", line.white ? 0 : 1);
  }
  std::vector<QLabel*> link_names;
  for (const DialogControl& control : kAboutBoxControls) {
    QWidget* widget = AddControl(control);
    widget->setObjectName(QString::fromLatin1(control.name.data(),
                                              static_cast<qsizetype>(control.name.size())));
    widget->setGeometry(TwipsRect(control.place));
    if (control.name == "Label3" || control.name == "Label4") {
      link_names.push_back(static_cast<QLabel*>(widget));
    }
  }
  SetBlackText(title_);
  SetBlackText(description_);
  // Both links start in one column, clear of the wider of the two names.
  int link_x = links_.front()->x();
  for (QLabel* name : link_names) {
    SetBlackText(name);
    name->resize(name->sizeHint().width(), name->height());  // sized to its text
    link_x = std::max(link_x, name->geometry().right() + 1 + kLinkGap);
  }
  for (LinkLabel* link : links_) link->move(link_x, link->y());
  // "URL:" and "E-Mail:" label their links for screen readers.
  for (std::size_t i = 0; i < link_names.size() && i < links_.size(); ++i) {
    link_names[i]->setBuddy(links_[i]);
  }
  ok_->setDefault(true);
  ok_->setFocus(Qt::OtherFocusReason);
  connect(ok_, &QPushButton::clicked, this, [this] { presenter_.OnOk(); });

  QRect frame = frameGeometry();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }

  presenter_.Load();
}

AboutBox::~AboutBox() {
  presenter_.Unload();
}

QWidget* AboutBox::AddControl(const DialogControl& control) {
  const QString caption = QString::fromUtf8(control.caption);
  if (control.kind == ControlKind::Button) return ok_ = new QPushButton(caption, this);
  if (control.kind == ControlKind::Icon) return icon_ = new QLabel(this);
  if (control.kind == ControlKind::Link) {
    const auto link = static_cast<std::size_t>(control.index);
    links_.at(link) = new LinkLabel(this);
    links_[link]->setProperty("index", control.index);
    connect(links_[link], &LinkLabel::Clicked, this, [this, link] { presenter_.OnLinkClick(link); });
    return links_[link];
  }
  auto* label = new QLabel(caption, this);
  if (control.name == "lblTitle") title_ = label;
  if (control.name == "lblVersion") version_ = label;
  if (control.name == "lblDescription") description_ = label;
  return label;
}

void AboutBox::SetCaption(const std::string& text) {
  setWindowTitle(QString::fromStdString(text));
}

void AboutBox::SetVersionText(const std::string& text) {
  version_->setText(QString::fromStdString(text));
}

void AboutBox::SetTitleText(const std::string& text) {
  title_->setText(QString::fromStdString(text));
  icon_->setAccessibleName(title_->text());  // the program's icon, named for screen readers
}

void AboutBox::SetDescriptionText(const std::string& text) {
  description_->setText(QString::fromStdString(text));
  description_->adjustSize();  // sized to its text
}

void AboutBox::CopyMainWindowIcon() {
  icon_->setPixmap(main_window_icon_.pixmap(kIconPixels, kIconPixels));
  setWindowIcon(main_window_icon_);
}

void AboutBox::SetLinkCaption(std::size_t link, const std::string& text) {
  LinkLabel* label = links_.at(link);
  label->setText(QString::fromStdString(text));
  const int wanted = std::min(label->sizeHint().width(), kLinkRightLimit - label->x());
  if (wanted > label->width()) label->resize(wanted, label->height());
}

void AboutBox::SetLinkColour(std::size_t link, Rgb colour) {
  links_.at(link)->SetColour(QColor(colour.red, colour.green, colour.blue));
}

void AboutBox::ProcessPendingEvents() {
  // Paints the new colour; user input waits, so a second click cannot run
  // inside this one.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void AboutBox::CloseDialog() {
  done(QDialog::Accepted);
}

void AboutBox::reject() {
  presenter_.OnOk();
}

void AboutBox::done(int result) {
  presenter_.Unload();
  QDialog::done(result);
}

}  // namespace norvaket::qt
