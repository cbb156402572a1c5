#include "platform/qt/options_dialog.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <vector>

#include "platform/qt/dialog_font.h"
#include "platform/qt/rule_line.h"
#include "platform/qt/stepper_box.h"
#include "platform/qt/twips.h"

namespace norvaket::qt {
namespace {

const QRect kPanelGeometry = TwipsRect(240, 480, 6495, 4815);
constexpr int kSentenceGap = 4;

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

void CentreOnScreen(QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

// A caption wider than its designed box would be cut; the box grows to the right.
void WidenToText(QWidget* widget) {
  const int wanted = widget->sizeHint().width();
  if (wanted > widget->width()) widget->resize(wanted, widget->height());
}

// The rows "check box, label, value box, % label" read as one sentence; a
// widened caption pushes the rest of its row to the right instead of hiding
// under the next control.
void KeepRightOf(const QWidget* previous, QWidget* next, int gap) {
  const int least_x = previous->geometry().right() + 1 + gap;
  if (next->x() < least_x) next->move(least_x, next->y());
}

}  // namespace

OptionsDialog::OptionsDialog(Settings& settings, SettingsStore& store, AutoRunRegistration& autorun,
                             DialogTracker& dialogs, const QIcon& main_window_icon, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      main_window_icon_(main_window_icon),
      presenter_(*this, settings, store, autorun, dialogs) {
  setObjectName(QStringLiteral("frmOption"));
  setWindowTitle(Text("オプション"));
  setFont(DialogFont());
  setFixedSize(TwipsToPixels(6975), TwipsToPixels(5910));

  BuildTabs();
  BuildFirstPanel();
  BuildSecondPanel();
  BuildButtons();
  SetFocusOrder();
  CentreOnScreen(this);

  connect(tab_strip_, &QTabWidget::currentChanged, this, [this] { presenter_.OnTabClick(); });
  for (const auto& [box, widget] : check_boxes_) {
    connect(widget, &QCheckBox::stateChanged, this, [this] { presenter_.OnEdit(); });
  }
  for (const auto& [box, widget] : value_boxes_) {
    connect(widget, &StepperBox::TextChanged, this, [this] { presenter_.OnEdit(); });
  }
  connect(ok_, &QPushButton::clicked, this, [this] { presenter_.OnOk(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { presenter_.OnCancel(); });
  connect(apply_, &QPushButton::clicked, this, [this] { presenter_.OnApply(); });

  presenter_.Load();
}

OptionsDialog::~OptionsDialog() {
  presenter_.Unload();
}

void OptionsDialog::BuildTabs() {
  tab_strip_ = new QTabWidget(this);
  tab_strip_->setObjectName(QStringLiteral("TabStrip1"));
  tab_strip_->setGeometry(TwipsRect(120, 120, 6735, 5295));
  // The tabs' pages stay empty: the panels lie on top of the page area.
  tab_strip_->addTab(new QWidget(tab_strip_), Text("表示"));
  tab_strip_->addTab(new QWidget(tab_strip_), Text("動作"));
  tab_strip_->tabBar()->setTabData(0, QStringLiteral("General"));
  tab_strip_->tabBar()->setTabData(1, QStringLiteral("Run"));
}

QWidget* OptionsDialog::AddPanel(int index, bool visible) {
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("picFrame"));
  panel->setProperty("index", index);
  panel->setGeometry(kPanelGeometry);
  panel->setVisible(visible);
  panels_[static_cast<std::size_t>(index - 1)] = panel;
  return panel;
}

QLabel* OptionsDialog::AddLabel(QWidget* panel, const char* name, const char* caption,
                                QRect geometry) {
  auto* label = new QLabel(Text(caption), panel);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  WidenToText(label);
  return label;
}

void OptionsDialog::AddHeading(QWidget* panel, const char* name, const char* caption,
                               QRect geometry, int rule_left, int rule_right) {
  AddLabel(panel, name, caption, geometry);
  const int rule_y = geometry.top() + TwipsToPixels(90);
  new RuleLine(panel, QPoint(TwipsToPixels(rule_left), rule_y), TwipsToPixels(rule_right),
               kRuleGrey);
  new RuleLine(panel, QPoint(TwipsToPixels(rule_left), rule_y + 1), TwipsToPixels(rule_right),
               kRuleWhite);
}

QCheckBox* OptionsDialog::AddCheckBox(QWidget* panel, OptionsCheckBox box, const char* caption,
                                      QRect geometry) {
  auto* check_box = new QCheckBox(Text(caption), panel);
  check_box->setObjectName(QString::fromLatin1(ControlName(box).data(),
                                               static_cast<qsizetype>(ControlName(box).size())));
  check_box->setGeometry(geometry);
  WidenToText(check_box);
  check_boxes_[box] = check_box;
  return check_box;
}

StepperBox* OptionsDialog::AddValueBox(QWidget* panel, OptionsValueBox box, QRect geometry) {
  auto* value_box = new StepperBox(panel);
  value_box->setObjectName(QString::fromLatin1(ControlName(box).data(),
                                               static_cast<qsizetype>(ControlName(box).size())));
  value_box->setGeometry(geometry);
  value_boxes_[box] = value_box;
  return value_box;
}

void OptionsDialog::BuildFirstPanel() {
  QWidget* panel = AddPanel(1, true);
  AddHeading(panel, "Label20", "基本設定", TwipsRect(120, 120, 720, 180), 960, 6360);
  AddCheckBox(panel, OptionsCheckBox::chkNotifyPS1, "バッテリへの切り替えを通知する(&B)",
              TwipsRect(360, 480, 3015, 195));
  AddCheckBox(panel, OptionsCheckBox::chkNotifyRT, "バッテリの持続時間を通知する(&R)",
              TwipsRect(360, 840, 3015, 195));
  AddCheckBox(panel, OptionsCheckBox::chkNotifyCV2, "バッテリの低下を通知する(&L)",
              TwipsRect(360, 1200, 2535, 195));
  QLabel* low_before =
      AddLabel(panel, "Label4", "バッテリ残量が", TwipsRect(3120, 1200, 1005, 180));
  StepperBox* low_box =
      AddValueBox(panel, OptionsValueBox::txtCV2Value, TwipsRect(4200, 1155, 855, 270));
  QLabel* low_after = AddLabel(panel, "Label2", "% になった時", TwipsRect(5160, 1200, 870, 180));
  KeepRightOf(low_before, low_box, kSentenceGap);
  KeepRightOf(low_box, low_after, kSentenceGap);
  AddCheckBox(panel, OptionsCheckBox::chkNotifyCV4, "バッテリ切れを通知する(&C)",
              TwipsRect(360, 1560, 3015, 195));
  AddCheckBox(panel, OptionsCheckBox::chkNotifyPS2, "AC電源への切り替えを通知する(&B)",
              TwipsRect(360, 1920, 3015, 195));
  AddCheckBox(panel, OptionsCheckBox::chkNotifyCV0, "充電の進捗を通知する(&U)",
              TwipsRect(360, 2280, 2535, 195));
  QLabel* progress_before =
      AddLabel(panel, "Label5", "バッテリ残量が", TwipsRect(3120, 2280, 1005, 180));
  StepperBox* progress_box =
      AddValueBox(panel, OptionsValueBox::txtCV0Value, TwipsRect(4200, 2235, 855, 270));
  QLabel* progress_after =
      AddLabel(panel, "Label3", "% になった時", TwipsRect(5160, 2280, 870, 180));
  KeepRightOf(progress_before, progress_box, kSentenceGap);
  KeepRightOf(progress_box, progress_after, kSentenceGap);
  AddCheckBox(panel, OptionsCheckBox::chkNotifyPS0, "充電の完了を通知する(&F)",
              TwipsRect(360, 2640, 4215, 195));
  AddHeading(panel, "Label1", "詳細設定", TwipsRect(120, 3120, 720, 180), 960, 6360);
  AddCheckBox(panel, OptionsCheckBox::chkNotifyAtRun, "起動時に電源の状態を通知する(&E)",
              TwipsRect(360, 3480, 4935, 195));
  AddCheckBox(panel, OptionsCheckBox::chkNotifyAtResume,
              "スタンバイ状態から回復した時に電源の状態を通知する(&R)",
              TwipsRect(360, 3840, 4935, 195));
  AddCheckBox(panel, OptionsCheckBox::chkUseTimeStamp, "通知時に時刻を表示する(&T)",
              TwipsRect(360, 4200, 3495, 195));
  AddCheckBox(panel, OptionsCheckBox::chkNotifyLifePercentAtRun,
              "通知時にバッテリの残量を表示する(&P)", TwipsRect(360, 4560, 4215, 195));
}

void OptionsDialog::BuildSecondPanel() {
  QWidget* panel = AddPanel(2, false);
  AddHeading(panel, "Label9", "動作", TwipsRect(120, 120, 360, 180), 600, 6360);
  AddCheckBox(panel, OptionsCheckBox::chkAutoRun,
              "Windows へのログオン時に Halvoria を実行する(&R)", TwipsRect(360, 480, 5055, 195));
}

QPushButton* OptionsDialog::AddButton(const char* name, const char* caption, QRect geometry) {
  auto* button = new QPushButton(Text(caption), this);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  return button;
}

void OptionsDialog::BuildButtons() {
  ok_ = AddButton("cmdOK", "OK", TwipsRect(2750, 5510, 1290, 300));
  cancel_ = AddButton("cmdCancel", "キャンセル", TwipsRect(4170, 5510, 1290, 300));
  apply_ = AddButton("cmdApply", "適用(&A)", TwipsRect(5580, 5510, 1290, 300));
  // Enter presses OK; Esc cancels through reject(), never applies.
  ok_->setDefault(true);
  apply_->setEnabled(false);
}

void OptionsDialog::SetFocusOrder() {
  using B = OptionsCheckBox;
  using V = OptionsValueBox;
  const std::vector<QWidget*> order{
      tab_strip_,
      panels_[0],
      check_boxes_[B::chkNotifyPS1],
      check_boxes_[B::chkNotifyRT],
      check_boxes_[B::chkNotifyCV2],
      value_boxes_[V::txtCV2Value],
      check_boxes_[B::chkNotifyCV4],
      check_boxes_[B::chkNotifyPS2],
      check_boxes_[B::chkNotifyCV0],
      value_boxes_[V::txtCV0Value],
      check_boxes_[B::chkNotifyPS0],
      check_boxes_[B::chkNotifyAtRun],
      check_boxes_[B::chkNotifyAtResume],
      check_boxes_[B::chkUseTimeStamp],
      check_boxes_[B::chkNotifyLifePercentAtRun],
      panels_[1],
      check_boxes_[B::chkAutoRun],
      ok_,
      cancel_,
      apply_,
  };
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

StepperBox* OptionsDialog::ValueBox(OptionsValueBox box) const {
  return value_boxes_.at(box);
}

void OptionsDialog::CopyMainWindowIcon() {
  setWindowIcon(main_window_icon_);
}

void OptionsDialog::AttachStepper(OptionsValueBox box, std::int32_t position) {
  ValueBox(box)->SetPosition(position);
}

CheckState OptionsDialog::GetCheckState(OptionsCheckBox box) const {
  switch (check_boxes_.at(box)->checkState()) {
    case Qt::Checked:
      return kChecked;
    case Qt::PartiallyChecked:
      return kGrayed;
    case Qt::Unchecked:
      break;
  }
  return kUnchecked;
}

void OptionsDialog::SetCheckState(OptionsCheckBox box, CheckState state) {
  Qt::CheckState qt_state = Qt::Unchecked;
  if (state == kChecked) qt_state = Qt::Checked;
  if (state == kGrayed) qt_state = Qt::PartiallyChecked;
  check_boxes_.at(box)->setCheckState(qt_state);
}

std::string OptionsDialog::ValueText(OptionsValueBox box) const {
  return ValueBox(box)->Text().toStdString();
}

bool OptionsDialog::ApplyEnabled() const {
  return apply_->isEnabled();
}

void OptionsDialog::SetApplyEnabled(bool enabled) {
  apply_->setEnabled(enabled);
}

int OptionsDialog::SelectedTab() const {
  return tab_strip_->currentIndex() + 1;
}

void OptionsDialog::SelectTab(int tab) {
  tab_strip_->setCurrentIndex(tab - 1);
}

void OptionsDialog::SetPanelVisible(int panel, bool visible) {
  panels_.at(static_cast<std::size_t>(panel - 1))->setVisible(visible);
}

void OptionsDialog::FocusPanel(int panel) {
  panels_.at(static_cast<std::size_t>(panel - 1))->setFocus(Qt::OtherFocusReason);
}

void OptionsDialog::ShowMessageBox(const std::string& text, const std::string& title,
                                   std::uint32_t style) {
  const QMessageBox::Icon icon = (style & kMbIconExclamation) == kMbIconExclamation
                                     ? QMessageBox::Warning
                                     : QMessageBox::NoIcon;
  QMessageBox box(icon, QString::fromStdString(title), QString::fromStdString(text),
                  QMessageBox::Ok, this);
  message_box_ = &box;
  box.exec();
  message_box_ = nullptr;
  if (close_after_message_box_) {
    // Queued, so that the dialog closes from the loop underneath, never inside the box's.
    QMetaObject::invokeMethod(
        this, [this, result = *close_after_message_box_] { done(result); }, Qt::QueuedConnection);
  }
}

void OptionsDialog::CloseDialog() {
  done(QDialog::Rejected);
}

void OptionsDialog::reject() {
  presenter_.OnCancel();
}

void OptionsDialog::done(int result) {
  if (message_box_) {
    close_after_message_box_ = result;
    message_box_->reject();
    return;
  }
  presenter_.Unload();
  QDialog::done(result);
}

}  // namespace norvaket::qt
