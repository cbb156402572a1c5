#include "platform/qt/options_dialog.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>
#include <memory>

#include "fakes/fake_autorun.h"
#include "fakes/recording_settings_store.h"
#include "message_box_catcher.h"
#include "options/options_layout.h"
#include "platform/qt/stepper_box.h"

namespace norvaket::qt {

using norvaket::testing::FakeAutoRun;
using norvaket::testing::MessageBoxCatcher;
using norvaket::testing::RecordingSettingsStore;

class OptionsDialogTest : public QObject {
  Q_OBJECT

 private:
  Settings settings_;
  std::unique_ptr<RecordingSettingsStore> store_;
  std::unique_ptr<FakeAutoRun> autorun_;
  std::unique_ptr<DialogTracker> dialogs_;
  std::unique_ptr<OptionsDialog> dialog_;

  void Open() {
    dialog_ = std::make_unique<OptionsDialog>(settings_, *store_, *autorun_, *dialogs_, QIcon());
    dialog_->show();
    dialog_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
  }

  template <typename T>
  T* Find(const char* name) {
    T* widget = dialog_->findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) qFatal("no widget named %s", name);
    return widget;
  }
  QCheckBox* Check(const char* name) { return Find<QCheckBox>(name); }
  StepperBox* Value(const char* name) { return Find<StepperBox>(name); }
  QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
  QWidget* Panel(int index) {
    for (QWidget* panel : dialog_->findChildren<QWidget*>(QStringLiteral("picFrame"))) {
      if (panel->property("index").toInt() == index) return panel;
    }
    qFatal("no panel %d", index);
  }
  void Retype(const char* name, const QString& text) {
    StepperBox* box = Value(name);
    box->setFocus();
    box->findChild<QLineEdit*>()->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
  }

 private slots:
  void init() {
    settings_ = DefaultSettings();
    store_ = std::make_unique<RecordingSettingsStore>();
    autorun_ = std::make_unique<FakeAutoRun>();
    dialogs_ = std::make_unique<DialogTracker>();
  }
  void cleanup() { dialog_.reset(); }

  void opensAsFrmOptionFilledFromTheSettings() {
    autorun_->registered = true;
    Open();
    QCOMPARE(dialog_->objectName(), QStringLiteral("frmOption"));
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("オプション"));
    QCOMPARE(dialog_->size(), QSize(465, 394));
    QCOMPARE(dialog_->minimumSize(), dialog_->maximumSize());
    QVERIFY(!(dialog_->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(dialog_->windowFlags() & Qt::WindowMaximizeButtonHint));
    // Defaults: these four are off, the rest of the flags on.
    for (const char* off : {"chkNotifyPS1", "chkNotifyPS2", "chkNotifyCV0", "chkUseTimeStamp",
                            "chkNotifyLifePercentAtRun"}) {
      QVERIFY2(!Check(off)->isChecked(), off);
    }
    for (const char* on : {"chkNotifyAtRun", "chkNotifyAtResume", "chkNotifyPS0", "chkNotifyRT",
                           "chkNotifyCV2", "chkNotifyCV4", "chkAutoRun"}) {
      QVERIFY2(Check(on)->isChecked(), on);
    }
    QCOMPARE(Value("txtCV2Value")->Text(), QStringLiteral("20"));
    QCOMPARE(Value("txtCV0Value")->Text(), QStringLiteral("80"));
    QVERIFY(!Button("cmdApply")->isEnabled());
    QCOMPARE(Find<QTabWidget>("TabStrip1")->currentIndex(), 0);
    QVERIFY(Panel(1)->isVisible());
    QVERIFY(!Panel(2)->isVisible());
    QVERIFY(dialogs_->IsOpen(DialogKind::Options));
  }

  // The captions and places are the portable table's; here only that every row of
  // it became a widget with its caption, the Linux wording where there is one.
  void buildsEveryControlOfTheLayout() {
    Open();
    for (const DialogControl& control : kOptionsDialogControls) {
      const QString name = QString::fromLatin1(control.name.data(), control.name.size());
      QObject* widget = dialog_->findChild<QObject*>(name);
      QVERIFY2(widget != nullptr, qPrintable(name));
      if (control.kind == ControlKind::ValueBox) continue;
      const char* caption =
          control.desktop_caption != nullptr ? control.desktop_caption : control.caption;
      QCOMPARE(widget->property("text").toString(), QString::fromUtf8(caption));
    }
    QCOMPARE(Check("chkAutoRun")->text(), QStringLiteral("ログオン時に Halvoria を実行する(&R)"));
  }

  void tabsAreShownAndHidden() {
    Open();
    auto* tabs = Find<QTabWidget>("TabStrip1");
    QCOMPARE(tabs->tabText(0), QStringLiteral("表示"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("動作"));
    tabs->tabBar()->setFocus();
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
    QVERIFY(!Panel(1)->isVisible());
    QVERIFY(!Value("txtCV2Value")->isVisible());
    QVERIFY(Check("chkAutoRun")->isVisible());
    QCOMPARE(QApplication::focusWidget(), Panel(2));
    QCOMPARE(dialog_->CurrentTab(), 2);

    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(0).center());
    QVERIFY(Panel(1)->isVisible());
    QVERIFY(!Panel(2)->isVisible());
    QCOMPARE(QApplication::focusWidget(), Panel(1));
  }

  void sentenceRowsShareTheirColumnsAndNeverOverlap() {
    Open();
    QCOMPARE(Panel(1)->geometry(), QRect(16, 32, 433, 321));
    QCOMPARE(Value("txtCV2Value")->x(), Value("txtCV0Value")->x());
    QCOMPARE(Value("txtCV2Value")->width(), Value("txtCV0Value")->width());
    QCOMPARE(Find<QLabel>("Label4")->x(), Find<QLabel>("Label5")->x());
    QVERIFY(Check("chkNotifyCV2")->geometry().right() < Find<QLabel>("Label4")->x());
    QVERIFY(Find<QLabel>("Label4")->geometry().right() < Value("txtCV2Value")->x());
    QVERIFY(Value("txtCV0Value")->geometry().right() < Find<QLabel>("Label3")->x());
    QVERIFY(Find<QLabel>("Label3")->geometry().right() < Panel(1)->width());
  }

  void focusMovesInTheDesignedOrder() {
    Open();
    const char* order[] = {"chkNotifyPS1",
                           "chkNotifyRT",
                           "chkNotifyCV2",
                           "txtCV2Value",
                           "chkNotifyCV4",
                           "chkNotifyPS2",
                           "chkNotifyCV0",
                           "txtCV0Value",
                           "chkNotifyPS0",
                           "chkNotifyAtRun",
                           "chkNotifyAtResume",
                           "chkUseTimeStamp",
                           "chkNotifyLifePercentAtRun",
                           "cmdOK",
                           "cmdCancel"};
    Check("chkNotifyPS1")->setFocus();
    for (std::size_t i = 1; i < std::size(order); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focused = QApplication::focusWidget();
      // The value box's inner line edit holds the focus for its box.
      while (focused && focused->objectName().isEmpty()) focused = focused->parentWidget();
      QVERIFY(focused != nullptr);
      QCOMPARE(focused->objectName(), QString::fromLatin1(order[i]));
    }
  }

  void anEditEnablesApplyAndApplyStoresSavesAndRegisters() {
    Open();
    QTest::mouseClick(Check("chkNotifyPS1"), Qt::LeftButton);
    QVERIFY(Button("cmdApply")->isEnabled());
    Retype("txtCV0Value", QStringLiteral("98.6"));
    Retype("txtCV2Value", QStringLiteral(" 5"));
    QTest::mouseClick(Button("cmdApply"), Qt::LeftButton);
    QCOMPARE(settings_.NotifyPS1, kTrue);
    QCOMPARE(settings_.NotifyCV0Value, 99);
    QCOMPARE(settings_.NotifyCV2Value, 5);
    QCOMPARE(store_->saved.size(), std::size_t{1});
    QCOMPARE(autorun_->disables, 1);
    QVERIFY(!Button("cmdApply")->isEnabled());
    QVERIFY(dialog_->isVisible());
  }

  void autoRunBoxRegistersOnTheSecondTab() {
    Open();
    auto* tabs = Find<QTabWidget>("TabStrip1");
    tabs->setCurrentIndex(1);
    QTest::mouseClick(Check("chkAutoRun"), Qt::LeftButton);
    QTest::mouseClick(Button("cmdApply"), Qt::LeftButton);
    QVERIFY(autorun_->registered);
    QCOMPARE(settings_.AutoRun, kTrue);
  }

  void stepperMovesOneStepAndStopsAtTheLimits() {
    settings_.NotifyCV2Value = 99;
    settings_.NotifyCV0Value = 2;
    Open();
    StepperBox* low = Value("txtCV2Value");
    low->setFocus();
    QTest::keyClick(low, Qt::Key_Up);
    QCOMPARE(low->Text(), QStringLiteral("99"));
    QVERIFY(!Button("cmdApply")->isEnabled());
    QTest::keyClick(low, Qt::Key_Down);
    QCOMPARE(low->Text(), QStringLiteral("98"));
    QVERIFY(Button("cmdApply")->isEnabled());

    StepperBox* progress = Value("txtCV0Value");
    progress->setFocus();
    QTest::keyClick(progress, Qt::Key_Down);
    QTest::keyClick(progress, Qt::Key_Down);
    QTest::keyClick(progress, Qt::Key_PageUp);
    QCOMPARE(progress->Text(), QStringLiteral("1"));
    // The arrow buttons step too.
    QStyleOptionSpinBox option;
    option.initFrom(progress);
    option.subControls = QStyle::SC_SpinBoxUp;
    const QRect up = progress->style()->subControlRect(QStyle::CC_SpinBox, &option,
                                                       QStyle::SC_SpinBoxUp, progress);
    QTest::mouseClick(progress, Qt::LeftButton, {}, up.center());
    QCOMPARE(progress->Text(), QStringLiteral("2"));
  }

  // What a screen reader meets in each box: its sentence as its name, the label
  // before it, edits that count as typing, the text as typed, the number, the
  // range, and the arrows as actions.
  void valueBoxesReadAndEditAsTypingDoes_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("range_message");
    QTest::newRow("low") << "txtCV2Value" << "Label4" << "バッテリの低下を通知する バッテリ残量が"
                         << "バッテリの低下を通知するバッテリ残量は 1 から 99 %の間で指定してください。";
    QTest::newRow("charge") << "txtCV0Value" << "Label5" << "充電の進捗を通知する バッテリ残量が"
                            << "充電の進捗を通知するバッテリ残量は 1 から 99 %の間で指定してください。";
  }
  void valueBoxesReadAndEditAsTypingDoes() {
    QFETCH(QString, box);
    QFETCH(QString, label);
    QFETCH(QString, name);
    QFETCH(QString, range_message);
    settings_.NotifyCV2Value = settings_.NotifyCV0Value = 98;
    Open();
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(Value(qPrintable(box)));
    QAccessibleTextInterface* text = reader->textInterface();
    QAccessibleValueInterface* value = reader->valueInterface();
    QAccessibleActionInterface* actions = reader->actionInterface();
    QVERIFY(text && reader->editableTextInterface() && value && actions);
    QCOMPARE(reader->text(QAccessible::Name), name);
    const auto labels = reader->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels[0].first->object(), Find<QLabel>(qPrintable(label)));

    reader->editableTextInterface()->insertText(0, QStringLiteral("1"));
    QVERIFY(Button("cmdApply")->isEnabled());
    MessageBoxCatcher catcher;
    QTest::mouseClick(Button("cmdApply"), Qt::LeftButton);
    QCOMPARE(catcher.caught.size(), std::size_t{1});
    QCOMPARE(catcher.caught[0].text, range_message);

    Retype(qPrintable(box), QStringLiteral("abc"));
    QCOMPARE(text->text(0, text->characterCount()), QStringLiteral("abc"));
    QCOMPARE(text->cursorPosition(), 3);

    reader->editableTextInterface()->replaceText(0, 3, QStringLiteral("98"));
    QCOMPARE(value->currentValue().toInt(), 98);
    QCOMPARE(value->minimumValue().toInt(), 1);
    QCOMPARE(value->maximumValue().toInt(), 99);
    actions->doAction(QAccessibleActionInterface::increaseAction());
    actions->doAction(QAccessibleActionInterface::increaseAction());
    QCOMPARE(text->text(0, 2), QStringLiteral("99"));
    actions->doAction(QAccessibleActionInterface::decreaseAction());
    QCOMPARE(Value(qPrintable(box))->Text(), QStringLiteral("98"));
  }

  void anyTextIsAcceptedUntilApply() {
    Open();
    Retype("txtCV2Value", QStringLiteral("50%"));
    QCOMPARE(Value("txtCV2Value")->Text(), QStringLiteral("50%"));
    Retype("txtCV0Value", QStringLiteral("abc"));
    QCOMPARE(Value("txtCV0Value")->Text(), QStringLiteral("abc"));
  }

  void outOfRangeShowsTheWarningAndBringsBackTheFirstTab() {
    Open();
    Retype("txtCV2Value", QStringLiteral("abc"));
    Find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
    MessageBoxCatcher catcher;
    QTest::mouseClick(Button("cmdOK"), Qt::LeftButton);
    QCOMPARE(catcher.caught.size(), std::size_t{1});
    const auto& message = catcher.caught[0];
    QCOMPARE(message.title, QStringLiteral("エラー"));
    QCOMPARE(message.text,
             QStringLiteral(
                 "バッテリの低下を通知するバッテリ残量は 1 から 99 %の間で指定してください。"));
    QCOMPARE(message.icon, QMessageBox::Warning);
    QCOMPARE(message.button_count, 1);
    QVERIFY(message.has_ok);
    QCOMPARE(message.owner, static_cast<QWidget*>(dialog_.get()));
    QVERIFY(dialog_->isVisible());
    QVERIFY(Button("cmdApply")->isEnabled());
    QVERIFY(Panel(1)->isVisible());
    QCOMPARE(Find<QTabWidget>("TabStrip1")->currentIndex(), 0);
    QVERIFY(store_->saved.empty());
  }

  void bothOutOfRangeShowsOnlyTheChargeProgressMessage() {
    Open();
    Retype("txtCV2Value", QStringLiteral("0"));
    Retype("txtCV0Value", QStringLiteral("100"));
    MessageBoxCatcher catcher;
    QTest::mouseClick(Button("cmdApply"), Qt::LeftButton);
    QCOMPARE(catcher.caught.size(), std::size_t{1});
    QCOMPARE(
        catcher.caught[0].text,
        QStringLiteral("充電の進捗を通知するバッテリ残量は 1 から 99 %の間で指定してください。"));
  }

  void failedSaveIsReportedAndTheDialogStaysOpen() {
    store_->fail_saves = true;
    Open();
    MessageBoxCatcher catcher;
    QTest::mouseClick(Button("cmdOK"), Qt::LeftButton);
    QCOMPARE(catcher.caught.size(), std::size_t{1});
    QCOMPARE(catcher.caught[0].text, QStringLiteral("設定を保存できませんでした。"));
    QCOMPARE(catcher.caught[0].title, QStringLiteral("エラー"));
    QCOMPARE(catcher.caught[0].icon, QMessageBox::Warning);
    QVERIFY(dialog_->isVisible());
    QVERIFY(Button("cmdApply")->isEnabled());
  }

  void enterPressesOk() {
    Open();
    QTest::mouseClick(Check("chkNotifyPS2"), Qt::LeftButton);
    QTest::keyClick(Check("chkNotifyPS2"), Qt::Key_Return);
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(store_->saved.size(), std::size_t{1});
    QCOMPARE(settings_.NotifyPS2, kTrue);
    QVERIFY(!dialogs_->DialogOpen());
  }

  void enterInAValueBoxPressesOkToo() {
    Open();
    Retype("txtCV0Value", QStringLiteral("60"));
    QTest::keyClick(Value("txtCV0Value"), Qt::Key_Enter);
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(settings_.NotifyCV0Value, 60);
  }

  void escCancelsWithoutStoring() {
    Open();
    const Settings before = settings_;
    QTest::mouseClick(Check("chkNotifyPS2"), Qt::LeftButton);
    QTest::keyClick(Check("chkNotifyPS2"), Qt::Key_Escape);
    QVERIFY(!dialog_->isVisible());
    QVERIFY(store_->saved.empty());
    QCOMPARE(autorun_->enables + autorun_->disables, 0);
    QVERIFY(settings_ == before);
    QVERIFY(!dialogs_->DialogOpen());
  }

  void closeBoxAndCancelStoreNothing() {
    Open();
    QTest::mouseClick(Check("chkNotifyRT"), Qt::LeftButton);
    dialog_->close();
    QVERIFY(!dialog_->isVisible());
    QVERIFY(store_->saved.empty());
    QVERIFY(!dialogs_->IsOpen(DialogKind::Options));

    Open();
    QTest::mouseClick(Check("chkNotifyRT"), Qt::LeftButton);
    QTest::mouseClick(Button("cmdCancel"), Qt::LeftButton);
    QVERIFY(!dialog_->isVisible());
    QVERIFY(store_->saved.empty());
  }

  void altAPressesApply() {
    Open();
    QTest::mouseClick(Check("chkNotifyCV0"), Qt::LeftButton);
    // Through the window, so the key takes the shortcut path a real key press takes.
    QTest::keySequence(dialog_->windowHandle(), QKeySequence(QStringLiteral("Alt+A")));
    // A mnemonic presses its button with a short animated click.
    QTRY_COMPARE(store_->saved.size(), std::size_t{1});
    QVERIFY(!Button("cmdApply")->isEnabled());
  }
};

}  // namespace norvaket::qt

QTEST_MAIN(norvaket::qt::OptionsDialogTest)
#include "options_dialog_test.moc"
