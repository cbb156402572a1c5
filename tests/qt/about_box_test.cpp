#include "platform/qt/about_box.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "fakes/recording_launcher.h"
#include "platform/qt/link_label.h"

namespace norvaket::qt {

using norvaket::testing::RecordingLauncher;

class AboutBoxTest : public QObject {
  Q_OBJECT

 private:
  RecordingLauncher launcher_;
  DialogTracker dialogs_;
  std::unique_ptr<AboutBox> box_;

  static ProgramIdentity Identity() {
    return ProgramIdentity{
        "Halvoria", 1, 5, 3, "Legal notice text", "https://maker.example/", "mail@maker.example"};
  }
  void Open(ProgramIdentity identity = Identity()) {
    box_ = std::make_unique<AboutBox>(launcher_, dialogs_, std::move(identity), QIcon());
    box_->show();
    box_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(box_.get()));
  }
  QString LabelText(const char* name) {
    auto* label = box_->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
  }
  LinkLabel* Link(int index) {
    for (LinkLabel* link : box_->findChildren<LinkLabel*>(QStringLiteral("lblURL"))) {
      if (link->property("index").toInt() == index) return link;
    }
    qFatal("no link %d", index);
  }

 private slots:
  void init() {
    launcher_.links.clear();
    dialogs_ = DialogTracker();
  }
  void cleanup() { box_.reset(); }

  void showsTheProgramsIdentity() {
    Open();
    QCOMPARE(box_->objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(box_->windowTitle(), QStringLiteral("Halvoria のバージョン情報"));
    QCOMPARE(LabelText("lblTitle"), QStringLiteral("Halvoria"));
    QCOMPARE(LabelText("lblVersion"), QStringLiteral("バージョン 1.05.0003"));
    QCOMPARE(LabelText("lblDescription"), QStringLiteral("Legal notice text"));
    QCOMPARE(LabelText("Label3"), QStringLiteral("URL:"));
    QCOMPARE(LabelText("Label4"), QStringLiteral("E-Mail:"));
    QCOMPARE(Link(0)->text(), QStringLiteral("https://maker.example/"));
    QCOMPARE(Link(1)->text(), QStringLiteral("mail@maker.example"));
    QCOMPARE(box_->size(), QSize(382, 237));
    QCOMPARE(box_->minimumSize(), box_->maximumSize());
    QVERIFY(dialogs_.IsOpen(DialogKind::About));
  }

  void showsTheBuiltVersion() {
    Open(BuiltProgramIdentity());
    QCOMPARE(LabelText("lblVersion"), QStringLiteral("バージョン 1.11.0077"));
  }

  void linksLookLikeLinks() {
    Open();
    for (int index : {0, 1}) {
      QCOMPARE(Link(index)->Colour(), QColor(0, 0, 255));
      QVERIFY(Link(index)->font().underline());
      QCOMPARE(Link(index)->cursor().shape(), Qt::PointingHandCursor);
    }
  }

  void clickOpensTheTargetAndTurnsTheLinkPurpleUntilClosed() {
    Open();
    QTest::mouseClick(Link(1), Qt::LeftButton);
    QCOMPARE(launcher_.links, std::vector<std::string>{"mailto:mail@maker.example"});
    QCOMPARE(Link(1)->Colour(), QColor(136, 0, 136));
    QCOMPARE(Link(0)->Colour(), QColor(0, 0, 255));
    QTest::mouseClick(Link(0), Qt::LeftButton);
    QTest::mouseClick(Link(0), Qt::LeftButton);
    QCOMPARE(launcher_.links.size(), std::size_t{3});
    QCOMPARE(launcher_.links[2], std::string("https://maker.example/"));
    QVERIFY(box_->isVisible());

    Open();  // a new opening starts blue again
    QCOMPARE(Link(0)->Colour(), QColor(0, 0, 255));
  }

  // A screen reader meets each link as a link labelled by its name, and follows it.
  void aScreenReaderFollowsTheLinks() {
    Open();
    for (int index : {0, 1}) {
      QAccessibleInterface* link = QAccessible::queryAccessibleInterface(Link(index));
      QCOMPARE(link->role(), QAccessible::Link);
      QCOMPARE(link->text(QAccessible::Name), Link(index)->text());
      const auto labels = link->relations(QAccessible::Label);
      QCOMPARE(labels.size(), 1);
      QCOMPARE(labels[0].first->text(QAccessible::Name),
               LabelText(index == 0 ? "Label3" : "Label4"));
      link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    QCOMPARE(launcher_.links,
             (std::vector<std::string>{"https://maker.example/", "mailto:mail@maker.example"}));
  }

  void enterAndEscBothClose() {
    Open();
    QTest::keyClick(box_.get(), Qt::Key_Return);
    QVERIFY(!box_->isVisible());
    QVERIFY(!dialogs_.DialogOpen());
    Open();
    QTest::keyClick(box_.get(), Qt::Key_Escape);
    QVERIFY(!box_->isVisible());
    QVERIFY(!dialogs_.DialogOpen());
  }

  void okHasTheFirstFocus() {
    Open();
    QCOMPARE(QApplication::focusWidget(), box_->findChild<QPushButton*>(QStringLiteral("cmdOK")));
  }
};

}  // namespace norvaket::qt

QTEST_MAIN(norvaket::qt::AboutBoxTest)
#include "about_box_test.moc"
