#include "platform/qt/options_dialog.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <ranges>
#include <span>
#include <vector>

#include "options/options_layout.h"
#include "platform/qt/dialog_font.h"
#include "platform/qt/rule_line.h"
#include "platform/qt/stepper_box.h"
#include "platform/qt/twips.h"

namespace norvaket::qt {
namespace {

constexpr int kSentenceGap = 4;

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

QString Name(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// A Linux desktop has its own wording where the Windows one speaks of Windows.
const char* CaptionHere(const DialogControl& control) {
  return control.desktop_caption != nullptr ? control.desktop_caption : control.caption;
}

void CentreOnScreen(QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

// A caption as a reader should say it: without its mnemonic, "(&L)" or "&".
QString SpokenCaption(const QWidget* part) {
  static const QRegularExpression kMnemonic(QStringLiteral(R"(\(&[^&]\)|&(?=[^&]))"));
  return part->property("text").toString().remove(kMnemonic).replace(QStringLiteral("&&"),
                                                                     QStringLiteral("&"));
}

QString SpokenCaptions(std::span<QWidget* const> parts) {
  QStringList captions;
  for (const QWidget* part : parts) captions << SpokenCaption(part);
  return captions.join(u' ');
}

void WidenToText(QWidget* widget) {
  widget->resize(WidthToFit(widget->width(), widget->sizeHint().width()), widget->height());
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
  setFixedSize(TwipsToPixels(kOptionsClientArea.width), TwipsToPixels(kOptionsClientArea.height));

  BuildTabs();
  AddPanel(1, true);
  AddPanel(2, false);
  BuildControls();
  NameValueBoxes();
  LayOutSentences();
  // Enter presses OK; Esc cancels through reject(), never applies.
  ok_->setDefault(true);
  apply_->setEnabled(false);
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
  tab_strip_->setGeometry(TwipsRect(kOptionsTabStripPlace));
  // The tabs' pages stay empty: the panels lie on top of the page area.
  for (int tab = 0; tab < static_cast<int>(kOptionsTabCaptions.size()); ++tab) {
    tab_strip_->addTab(new QWidget(tab_strip_), Text(kOptionsTabCaptions[tab]));
    tab_strip_->tabBar()->setTabData(tab, Text(kOptionsTabKeys[tab]));
  }
}

QWidget* OptionsDialog::AddPanel(int index, bool visible) {
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("picFrame"));
  panel->setProperty("index", index);
  // A tab click gives the panel the focus: readers name it after its tab.
  panel->setAccessibleName(Text(kOptionsTabCaptions.at(static_cast<std::size_t>(index - 1))));
  panel->setGeometry(TwipsRect(kOptionsPanelPlace));
  panel->setVisible(visible);
  panels_[static_cast<std::size_t>(index - 1)] = panel;
  return panel;
}

void OptionsDialog::BuildControls() {
  // Focus goes tab strip, first panel, its controls, second panel, its controls, buttons.
  std::vector<QWidget*> order{tab_strip_};
  int last_panel = 0;
  for (const DialogControl& control : kOptionsDialogControls) {
    QWidget* parent =
        control.panel == 0 ? this : panels_.at(static_cast<std::size_t>(control.panel - 1));
    if (control.panel != last_panel && control.panel != 0) order.push_back(parent);
    last_panel = control.panel;
    if (QWidget* widget = AddControl(parent, control)) {
      widget->setObjectName(Name(control.name));
      widget->setGeometry(TwipsRect(control.place));
      if (control.sentence != 0) sentences_[control.sentence].push_back(widget);
      if (control.kind != ControlKind::Heading && control.kind != ControlKind::Label) {
        order.push_back(widget);
      }
    }
  }
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

QWidget* OptionsDialog::AddControl(QWidget* parent, const DialogControl& control) {
  switch (control.kind) {
    case ControlKind::Heading:
      AddRule(parent, control.place);
      return new QLabel(Text(CaptionHere(control)), parent);
    case ControlKind::Label:
      return new QLabel(Text(CaptionHere(control)), parent);
    case ControlKind::CheckBox: {
      auto* check_box = new QCheckBox(Text(CaptionHere(control)), parent);
      check_boxes_[CheckBoxNamed(control.name).value()] = check_box;
      return check_box;
    }
    case ControlKind::ValueBox: {
      auto* value_box = new StepperBox(parent);
      value_boxes_[ValueBoxNamed(control.name).value()] = value_box;
      return value_box;
    }
    case ControlKind::Button:
      return AddButton(control);
    case ControlKind::Icon:
    case ControlKind::Link:
      break;  // the options dialog has none
  }
  return nullptr;
}

void OptionsDialog::AddRule(QWidget* panel, const TwipsBox& heading) {
  const int left = TwipsToPixels(heading.left + heading.width + kHeadingRuleGap);
  const int y = TwipsToPixels(heading.top + kHeadingRuleDrop);
  new RuleLine(panel, QPoint(left, y), TwipsToPixels(kHeadingRuleRight), kRuleGrey);
  new RuleLine(panel, QPoint(left, y + 1), TwipsToPixels(kHeadingRuleRight), kRuleWhite);
}

QPushButton* OptionsDialog::AddButton(const DialogControl& control) {
  auto* button = new QPushButton(Text(CaptionHere(control)), this);
  if (control.name == "cmdOK") ok_ = button;
  if (control.name == "cmdCancel") cancel_ = button;
  if (control.name == "cmdApply") apply_ = button;
  return button;
}

// Both boxes follow the same words ("バッテリ残量が"), so a box is named after its whole
// sentence up to it; the label just before it is its label for readers.
void OptionsDialog::NameValueBoxes() {
  for (const std::vector<QWidget*>& parts : sentences_ | std::views::values) {
    const auto box = std::ranges::find_if(parts, [](const QWidget* part) {
      return qobject_cast<const StepperBox*>(part) != nullptr;
    });
    if (box == parts.end()) continue;
    const std::span<QWidget* const> before(parts.begin(), box);
    (*box)->setAccessibleName(SpokenCaptions(before));
    (*box)->setAccessibleDescription(SpokenCaptions({box + 1, parts.end()}));
    if (auto* label = before.empty() ? nullptr : qobject_cast<QLabel*>(before.back())) {
      label->setBuddy(*box);
    }
  }
}

// A caption wider than its designed box would be cut; the box grows to the right,
// and a sentence row's later parts move out of its way.
void OptionsDialog::LayOutSentences() {
  for (QCheckBox* check_box : check_boxes_ | std::views::values) WidenToText(check_box);
  for (QLabel* label : findChildren<QLabel*>()) WidenToText(label);
  std::vector<std::array<RowPart, 4>> rows;
  for (const auto& [sentence, parts] : sentences_) {
    std::array<RowPart, 4> row{};
    for (std::size_t i = 0; i < row.size() && i < parts.size(); ++i) {
      row[i] = {parts[i]->x(), parts[i]->width(), parts[i]->sizeHint().width()};
    }
    rows.push_back(row);
  }
  if (rows.empty()) return;
  QWidget* panel = sentences_.begin()->second.front()->parentWidget();
  const int least_value_box = sentences_.begin()->second.at(2)->minimumSizeHint().width();
  LayOutSentenceRows(rows, {kSentenceGap, panel->width(), least_value_box});
  std::size_t row = 0;
  for (const auto& [sentence, parts] : sentences_) {
    for (std::size_t i = 0; i < parts.size() && i < 4; ++i) {
      parts[i]->setGeometry(rows[row][i].left, parts[i]->y(), rows[row][i].width,
                            parts[i]->height());
    }
    ++row;
  }
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
