// The options dialog over the real Linux stores: what OK, Apply and Cancel leave
// in the INI file and the autostart entry on disk.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "fakes/temp_folder.h"
#include "message_box_catcher.h"
#include "platform/linux/autostart_registry.h"
#include "platform/linux/ini_file_store.h"
#include "platform/linux/xdg_folder_lookup.h"
#include "platform/qt/options_dialog.h"
#include "platform/qt/stepper_box.h"
#include "settings/ini_settings_store.h"
#include "settings/registry_auto_run.h"

namespace norvaket::qt {

using norvaket::testing::MessageBoxCatcher;
using norvaket::testing::ReadWholeFile;
using norvaket::testing::TempFolder;

class OptionsDialogDiskTest : public QObject {
  Q_OBJECT

 private:
  static constexpr const char* kProgram = "/opt/norvaket/bin/norvaket";

  std::unique_ptr<TempFolder> home_;
  std::unique_ptr<linux_platform::XdgFolderLookup> folders_;
  linux_platform::IniFileStore profile_;
  std::unique_ptr<IniSettingsStore> store_;
  std::unique_ptr<linux_platform::AutostartRegistry> registry_;
  std::unique_ptr<RegistryAutoRun> autorun_;
  DialogTracker dialogs_;
  Settings settings_;
  std::unique_ptr<OptionsDialog> dialog_;

  std::string IniPath() const { return *home_ / "Norvaket/Norvaket.ini"; }
  std::string EntryPath() const { return *home_ / "autostart/Norvaket.desktop"; }

  void Open() {
    dialog_ = std::make_unique<OptionsDialog>(settings_, *store_, *autorun_, dialogs_, QIcon());
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
  void Click(const char* name) { QTest::mouseClick(Find<QAbstractButton>(name), Qt::LeftButton); }
  void Retype(const char* name, const QString& text) {
    auto* box = Find<StepperBox>(name);
    box->setFocus();
    box->findChild<QLineEdit*>()->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
  }

 private slots:
  void init() {
    home_ = std::make_unique<TempFolder>();
    folders_ =
        std::make_unique<linux_platform::XdgFolderLookup>(home_->path(), "/opt/norvaket/bin");
    store_ = std::make_unique<IniSettingsStore>(profile_, *folders_);
    registry_ = std::make_unique<linux_platform::AutostartRegistry>(home_->path(), "Halvoria");
    autorun_ = std::make_unique<RegistryAutoRun>(*registry_, kProgram);
    store_->LoadSettings(settings_);
  }
  void cleanup() {
    dialog_.reset();
    home_.reset();
  }

  void okWritesTheIniFileAndTheAutostartEntry() {
    Open();
    Click("chkNotifyPS1");
    Retype("txtCV0Value", QStringLiteral("2.5"));
    Retype("txtCV2Value", QStringLiteral("15abc"));
    Find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
    Click("chkAutoRun");
    Click("cmdOK");
    QVERIFY(!dialog_->isVisible());

    const std::string ini = ReadWholeFile(IniPath());
    QVERIFY2(ini.find("[Norvaket 1.00]") != std::string::npos, ini.c_str());
    QVERIFY2(ini.find("NotifyPS1=Yes") != std::string::npos, ini.c_str());
    QVERIFY2(ini.find("NotifyCV0Value=2\n") != std::string::npos ||
                 ini.find("NotifyCV0Value=2\r\n") != std::string::npos,
             ini.c_str());
    QVERIFY2(ini.find("NotifyCV2Value=15") != std::string::npos, ini.c_str());
    QVERIFY2(ini.find("UseTimeStamp=No") != std::string::npos, ini.c_str());

    const std::string entry = ReadWholeFile(EntryPath());
    QVERIFY2(entry.find(std::string("Exec=") + kProgram) != std::string::npos, entry.c_str());

    // What was written is what the next start reads.
    Settings reloaded;
    store_->LoadSettings(reloaded);
    reloaded.AutoRun = settings_.AutoRun;
    QVERIFY(reloaded == settings_);
  }

  void uncheckingAutoRunRemovesTheEntry() {
    autorun_->EnableAutoRun();
    QVERIFY(std::filesystem::exists(EntryPath()));
    Open();
    QVERIFY(Find<QCheckBox>("chkAutoRun")->isChecked());
    Find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
    Click("chkAutoRun");
    Click("cmdApply");
    QVERIFY(!std::filesystem::exists(EntryPath()));
    QVERIFY(dialog_->isVisible());
  }

  void cancelAndARejectedValueLeaveTheDiskAlone() {
    Open();
    Click("chkNotifyRT");
    Retype("txtCV2Value", QStringLiteral("100"));
    {
      MessageBoxCatcher catcher;
      Click("cmdOK");
      QCOMPARE(catcher.caught.size(), std::size_t{1});
    }
    QVERIFY(!std::filesystem::exists(IniPath()));
    QVERIFY(!std::filesystem::exists(EntryPath()));
    Click("cmdCancel");
    QVERIFY(!std::filesystem::exists(IniPath()));
    QVERIFY(!std::filesystem::exists(EntryPath()));
  }

  void aFileThatCannotBeWrittenIsReported() {
    // A folder where the file should be: no write can replace it.
    std::filesystem::create_directories(IniPath());
    Open();
    Click("chkNotifyCV0");
    MessageBoxCatcher catcher;
    Click("cmdOK");
    QCOMPARE(catcher.caught.size(), std::size_t{1});
    QCOMPARE(catcher.caught[0].text, QStringLiteral("設定を保存できませんでした。"));
    QVERIFY(dialog_->isVisible());
    QVERIFY(Find<QPushButton>("cmdApply")->isEnabled());
    QCOMPARE(settings_.NotifyCV0, kTrue);
  }

  void aReadOnlySettingsFolderIsReportedAndKeepsTheFile() {
    const std::string folder = *home_ / "Norvaket";
    std::filesystem::create_directories(folder);
    const std::string old_text = "[Norvaket 1.00]\nNotifyCV0Value=75\n";
    std::ofstream(IniPath()) << old_text;
    // Root writes into any folder: the dialog runs as a plain user for the save.
    const bool as_root = ::geteuid() == 0;
    if (as_root) {
      QCOMPARE(::chown(folder.c_str(), 65534, 65534), 0);
      QCOMPARE(::chmod(home_->path().c_str(), 0755), 0);
    }
    QCOMPARE(::chmod(folder.c_str(), 0555), 0);
    Open();
    Click("chkNotifyCV0");
    {
      MessageBoxCatcher catcher;
      if (as_root) QCOMPARE(::seteuid(65534), 0);
      Click("cmdApply");
      if (as_root) QCOMPARE(::seteuid(0), 0);
      QCOMPARE(catcher.caught.size(), std::size_t{1});
      QCOMPARE(catcher.caught[0].text, QStringLiteral("設定を保存できませんでした。"));
    }
    QVERIFY(Find<QPushButton>("cmdApply")->isEnabled());
    QCOMPARE(ReadWholeFile(IniPath()), old_text);
    QCOMPARE(std::distance(std::filesystem::directory_iterator(folder),
                           std::filesystem::directory_iterator()),
             1);
  }
};

}  // namespace norvaket::qt

QTEST_MAIN(norvaket::qt::OptionsDialogDiskTest)
#include "options_dialog_disk_test.moc"
