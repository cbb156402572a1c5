#include "platform/qt/about_box.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "platform/qt/dialog_font.h"
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
  setFixedSize(TwipsToPixels(5730), TwipsToPixels(3555));

  icon_ = new QLabel(this);
  icon_->setObjectName(QStringLiteral("picIcon"));
  icon_->setGeometry(TwipsRect(240, 240, 480, 480));
  title_ = AddLabel("lblTitle", "AppName", TwipsRect(1080, 240, 3885, 360));
  SetBlackText(title_);
  version_ = AddLabel("lblVersion", "AppVer", TwipsRect(1080, 600, 3885, 225));
  description_ = AddLabel("lblDescription", "AppComment", TwipsRect(1080, 1125, 1020, 180));
  SetBlackText(description_);

  auto* grey = new RuleLine(this, TwipsPoint(90, 2445), TwipsToPixels(5654), kRuleGrey);
  grey->setObjectName(QStringLiteral("Line1"));
  grey->setProperty("index", 1);
  auto* white = new RuleLine(this, TwipsPoint(105, 2460), TwipsToPixels(5654), kRuleWhite, 2);
  white->setObjectName(QStringLiteral("Line1"));
  white->setProperty("index", 0);

  const std::array<QLabel*, 2> link_names{
      AddLabel("Label3", "URL:", TwipsRect(120, 2640, 360, 180)),
      AddLabel("Label4", "E-Mail:", TwipsRect(120, 2880, 540, 180))};
  // Both links start in one column, clear of the wider of the two names.
  int link_x = TwipsToPixels(720);
  for (QLabel* name : link_names) {
    SetBlackText(name);
    name->resize(name->sizeHint().width(), name->height());  // sized to its text
    link_x = std::max(link_x, name->geometry().right() + 1 + kLinkGap);
  }
  const std::array<QRect, 2> link_geometry{TwipsRect(720, 2640, 2220, 180),
                                           TwipsRect(720, 2880, 1560, 180)};
  for (std::size_t link = 0; link < links_.size(); ++link) {
    links_[link] = new LinkLabel(this);
    links_[link]->setObjectName(QStringLiteral("lblURL"));
    links_[link]->setProperty("index", static_cast<int>(link));
    links_[link]->setGeometry(link_geometry[link].translated(link_x - link_geometry[link].x(), 0));
    connect(links_[link], &LinkLabel::Clicked, this,
            [this, link] { presenter_.OnLinkClick(link); });
  }

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("cmdOK"));
  ok_->setGeometry(TwipsRect(4245, 2625, 1380, 345));
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

QLabel* AboutBox::AddLabel(const char* name, const char* caption, QRect geometry) {
  auto* label = new QLabel(QString::fromUtf8(caption), this);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
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
