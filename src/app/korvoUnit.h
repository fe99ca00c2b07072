// The main window: every option of a restore run, the menus, and the state
// the rest of the program shares (run report, robot drive table, totals).
#pragma once

#include "app/settingsstore.h"
#include "drive/foxburner.h"
#include "lang/messagetable.h"
#include "report/reportlist.h"
#include "robot/robotlibrary.h"

#include <QMainWindow>
#include <QStringList>
#include <cstdint>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

class TkorvoForm : public QMainWindow, public velmora::app::SettingsTarget {
    Q_OBJECT
public:
    // Creation: activates the drive engine, fills the source drive list and
    // creates the shared lists. A failure is shown and ends the program.
    explicit TkorvoForm(const QString& programFolder = {}, QWidget* parent = nullptr);
    ~TkorvoForm() override;

    // Program-wide values fixed at creation.
    QString programFolder; // ends with the separator
    QString dataFolder;    // per-user data folder
    QString settingsFile;  // backSettings.ini in it
    static constexpr const char* version = "1.0.0.0";

    // Shared state.
    velmora::report::ReportList reportList;
    velmora::lang::MessageTable messages;
    velmora::app::SettingsStore mySetting;
    QStringList rIDList;
    QStringList rDriveList;
    std::int32_t robotID = 0;
    char robotDrive = 0;
    QString eMail;
    QString dbName;
    std::int64_t totalSize = 0;
    std::int64_t totalFiles = 0;
    std::int64_t totalFolders = 0;

    velmora::drive::TFoxBurnerSDK fox;
    velmora::robot::RobotLibrary robots;

    // Controls.
    QComboBox* deviceCombo;
    QLabel* deviceLabel;
    QComboBox* lanCombo;
    QLabel* lanLabel;
    QGroupBox* pathGroup;
    QRadioButton* r1;
    QRadioButton* r2;
    QRadioButton* r3;
    QLineEdit* path1;
    QLineEdit* path2;
    QLineEdit* path3;
    QLineEdit* path4;
    QLineEdit* path5;
    QPushButton* btn1;
    QPushButton* btn2;
    QPushButton* btn3;
    QPushButton* btn4;
    QPushButton* btn5;
    QLabel* s1;
    QLabel* s2;
    QLabel* s3;
    QLabel* s4;
    QLabel* s5;
    QLabel* path2Label;
    QLabel* path3Label;
    QLabel* path4Label;
    QCheckBox* discCheck;
    QCheckBox* autoLoad;
    QGroupBox* optionGroup;
    QRadioButton* op1;
    QRadioButton* op2;
    QRadioButton* op3;
    QLineEdit* fWord;
    QLineEdit* fNumber;
    QGroupBox* cOption;
    QButtonGroup* cOptionItems;
    QPushButton* startBtn;
    QPushButton* saveSet;
    QMenu* File1;
    QMenu* H1;
    QAction* pref;
    QAction* openReport;
    QAction* Quit;
    QAction* checkVersion;
    QAction* help;
    QAction* feeback;
    QAction* about;

    // The robot-drive flag, kept as the Start button's tag.
    int robotFlag() const;
    void setRobotFlag(int flag);

    bool getRobot();
    void deviceComboChange();
    int getMediaInfo();
    bool settingsFileExists() const;
    void loadSettings();
    // Loads the chosen language file and puts its lines on every window. A file
    // that cannot be read, or ends early, is reported once; the texts not
    // reached keep what they had. False then.
    bool loadLan();
    void lanComboChange();
    void attachLanguageHandler();
    void prefClick();
    void openReportClick();
    void saveSetClick();
    void btn1Click(int row);
    // The free/total label of a row, from the drive its path lies on.
    void showSpace(int row);
    QLineEdit* pathEdit(int row) const;
    QLabel* spaceLabel(int row) const;

    // The settings file's view of the controls.
    std::optional<QString> readProperty(const QString& control, const QString& property) const override;
    bool applyProperty(const QString& control, const QString& property, const QString& value) override;

    void r1Click();
    void r2Click();
    void r3Click();
    void discCheckClick();
    void op1Click(const QString& senderName);
    void QuitClick();
    void helpClick();
    void aboutClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void FormCreate();
    void FormShow();
    bool languageHandlerAttached_ = false;
    QString languageListError_;
};

extern TkorvoForm* korvoForm;
