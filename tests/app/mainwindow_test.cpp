// The main window driven as an operator drives it: destination modes and the
// subfolder switch, saving and restoring the options, damaged settings files,
// the free/total labels, the language files and the preferences window.
#include "app/application.h"
#include "app/checkUnit.h"
#include "app/korvoUnit.h"
#include "lang/prefUnit.h"
#include "platform/failure.h"
#include "platform/paths.h"
#include "report/reportUnit.h"
#include "restore/copyUnit.h"
#include "restore/goOnUnit.h"
#include "support/appfixture.h"
#include "support/tempdir.h"
#include "support/troubleUnit.h"
#include "support/versionUnit.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace velmora;
using test::readFile;
using test::writeFile;

namespace {

class MainWindow : public test::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    // Which of the row controls are enabled, as "path1 btn1 ...".
    static QString enabledRows() {
        QStringList on;
        for (int k = 1; k <= 5; ++k) {
            if (korvoForm->pathEdit(k)->isEnabled())
                on << QStringLiteral("path%1").arg(k);
            if (korvoForm->findChild<QPushButton*>(QStringLiteral("btn%1").arg(k))->isEnabled())
                on << QStringLiteral("btn%1").arg(k);
        }
        return on.join(u' ');
    }
};

// Clicks a check box or choice on its indicator, as an operator does (a
// click on the empty space right of its text does nothing).
void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Clicks a button of the next modal dialog once it is open.
void clickInNextDialog(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
}

} // namespace

TEST_F(MainWindow, FirstStartShowsTheDefaults) {
    start();
    EXPECT_TRUE(korvoForm->r1->isChecked());
    EXPECT_EQ(enabledRows(), QStringLiteral("path1 btn1"));
    EXPECT_TRUE(korvoForm->discCheck->isChecked());
    EXPECT_TRUE(korvoForm->op1->isChecked());
    EXPECT_FALSE(korvoForm->op2->isChecked() || korvoForm->op3->isChecked());
    EXPECT_EQ(korvoForm->fWord->text(), QStringLiteral("Disc"));
    EXPECT_EQ(korvoForm->fNumber->text(), QStringLiteral("00001"));
    EXPECT_FALSE(korvoForm->fWord->isEnabled());
    EXPECT_EQ(korvoForm->cOptionItems->checkedId(), 0);
    EXPECT_EQ(korvoForm->deviceCombo->currentIndex(), 0);
    EXPECT_EQ(korvoForm->width(), 680);
    EXPECT_GE(korvoForm->height(), 710);
    EXPECT_LE(korvoForm->height(), 740);
    EXPECT_EQ(QString::fromLatin1(TkorvoForm::version), QStringLiteral("1.0.0.0"));
}

TEST_F(MainWindow, ModesAndTheSubfolderSwitchFollowTheirRules) {
    start();
    click(korvoForm->r2);
    EXPECT_EQ(enabledRows(), QStringLiteral("path2 btn2 path3 btn3 path4 btn4"));
    EXPECT_TRUE(korvoForm->discCheck->isEnabled());

    click(korvoForm->op3);
    EXPECT_TRUE(korvoForm->op3->isChecked());
    EXPECT_FALSE(korvoForm->op1->isChecked());
    EXPECT_TRUE(korvoForm->fWord->isEnabled());
    EXPECT_TRUE(korvoForm->fNumber->isEnabled());

    // Mode 3 switches the subfolder off and disables it with its naming choices.
    click(korvoForm->r3);
    EXPECT_EQ(enabledRows(), QStringLiteral("path5 btn5"));
    EXPECT_FALSE(korvoForm->discCheck->isChecked());
    EXPECT_FALSE(korvoForm->discCheck->isEnabled());
    EXPECT_FALSE(korvoForm->optionGroup->isEnabled());
    EXPECT_FALSE(korvoForm->fWord->isEnabled());

    // Back in mode 1 the subfolder stays off and its choices stay disabled.
    click(korvoForm->r1);
    EXPECT_EQ(enabledRows(), QStringLiteral("path1 btn1"));
    EXPECT_FALSE(korvoForm->discCheck->isChecked());
    EXPECT_TRUE(korvoForm->discCheck->isEnabled());
    EXPECT_TRUE(korvoForm->optionGroup->isEnabled());
    EXPECT_FALSE(korvoForm->op1->isEnabled());
    EXPECT_FALSE(korvoForm->op3->isEnabled());
    EXPECT_FALSE(korvoForm->fWord->isEnabled());

    // Checking it again brings the choices back, the prefix with op3.
    click(korvoForm->discCheck);
    EXPECT_TRUE(korvoForm->op1->isEnabled());
    EXPECT_TRUE(korvoForm->fWord->isEnabled());

    // Clicking the checked choice keeps it checked.
    click(korvoForm->op3);
    EXPECT_TRUE(korvoForm->op3->isChecked());
    click(korvoForm->op2);
    EXPECT_TRUE(korvoForm->op2->isChecked());
    EXPECT_FALSE(korvoForm->op3->isChecked());
    EXPECT_FALSE(korvoForm->fWord->isEnabled());
}

TEST_F(MainWindow, SaveWritesTheKeysInOrderAndARestartRestoresThem) {
    start();
    korvoForm->deviceCombo->setCurrentIndex(2);
    korvoForm->path1->setText(QStringLiteral("/srv/restore"));
    korvoForm->path5->setText(QStringLiteral("/srv/by index"));
    click(korvoForm->op3);
    korvoForm->fWord->setText(QStringLiteral("Archive"));
    korvoForm->fNumber->setText(QStringLiteral("042"));
    click(korvoForm->r2);
    korvoForm->cOptionItems->button(1)->setChecked(true);
    korvoForm->saveSet->click();
    EXPECT_EQ(messages.last(), QStringLiteral("The settings have been saved."));
    EXPECT_EQ(icons.back(), app::MsgIcon::Information);

    EXPECT_EQ(readFile(settingsFile()), "[korvoForm]\r\n"
                                        "deviceCombo.ItemIndex=2\r\n"
                                        "path1.Text=/srv/restore\r\n"
                                        "path2.Text=\r\n"
                                        "path3.Text=\r\n"
                                        "path4.Text=\r\n"
                                        "path5.Text=/srv/by index\r\n"
                                        "op1.Checked=False\r\n"
                                        "op2.Checked=False\r\n"
                                        "op3.Checked=True\r\n"
                                        "fWord.Text=Archive\r\n"
                                        "fNumber.Text=042\r\n"
                                        "lanCombo.ItemIndex=2\r\n"
                                        "r1.Checked=False\r\n"
                                        "r2.Checked=True\r\n"
                                        "r3.Checked=False\r\n"
                                        "btn1.Enabled=False\r\n"
                                        "btn2.Enabled=True\r\n"
                                        "btn3.Enabled=True\r\n"
                                        "btn4.Enabled=True\r\n"
                                        "btn5.Enabled=False\r\n"
                                        "discCheck.Checked=True\r\n");

    stop();
    start();
    EXPECT_EQ(korvoForm->deviceCombo->currentIndex(), 2);
    EXPECT_EQ(korvoForm->path1->text(), QStringLiteral("/srv/restore"));
    EXPECT_EQ(korvoForm->path5->text(), QStringLiteral("/srv/by index"));
    EXPECT_TRUE(korvoForm->op3->isChecked());
    EXPECT_FALSE(korvoForm->op1->isChecked());
    EXPECT_EQ(korvoForm->fWord->text(), QStringLiteral("Archive"));
    EXPECT_EQ(korvoForm->fNumber->text(), QStringLiteral("042"));
    EXPECT_TRUE(korvoForm->fWord->isEnabled());
    EXPECT_TRUE(korvoForm->r2->isChecked());
    EXPECT_EQ(enabledRows(), QStringLiteral("path2 btn2 path3 btn3 path4 btn4"));
    EXPECT_TRUE(korvoForm->discCheck->isChecked());
    // The collision policy is not saved.
    EXPECT_EQ(korvoForm->cOptionItems->checkedId(), 0);
    // The restored drive G is the desk drive: no robot drive.
    EXPECT_EQ(korvoForm->robotFlag(), 0);

    // Changes without Save are lost at the next start.
    click(korvoForm->r3);
    korvoForm->path1->setText(QStringLiteral("/elsewhere"));
    korvoForm->QuitClick();
    stop();
    start();
    EXPECT_TRUE(korvoForm->r2->isChecked());
    EXPECT_EQ(korvoForm->path1->text(), QStringLiteral("/srv/restore"));
}

TEST_F(MainWindow, SavedMode3LeavesTheSubfolderOff) {
    writeFile(settingsFile(),
              "[korvoForm]\r\nr1.Checked=False\r\nr3.Checked=True\r\ndiscCheck.Checked=False\r\n");
    start();
    EXPECT_TRUE(korvoForm->r3->isChecked());
    EXPECT_EQ(enabledRows(), QStringLiteral("path5 btn5"));
    EXPECT_FALSE(korvoForm->discCheck->isChecked());
    EXPECT_FALSE(korvoForm->discCheck->isEnabled());
}

TEST_F(MainWindow, PositionsBeyondTheListsLeaveNothingSelected) {
    writeFile(settingsFile(), "[korvoForm]\r\ndeviceCombo.ItemIndex=9\r\nfWord.Text=\r\n");
    start();
    EXPECT_EQ(korvoForm->deviceCombo->currentIndex(), -1);
    EXPECT_EQ(korvoForm->robotFlag(), 0);
    EXPECT_FALSE(korvoForm->autoLoad->isChecked());
    // An empty saved prefix is not restored.
    EXPECT_EQ(korvoForm->fWord->text(), QStringLiteral("Disc"));
    EXPECT_TRUE(korvoForm->isVisible());
}

TEST_F(MainWindow, DamagedSettingsFilesNeverStopTheStart) {
    static const char garbage[] = "\x01\x02[[[=\xff\xfe garbage\n=\n[korvoForm\nkey\0tail";
    const std::pair<const char*, std::string> cases[] = {
        {"garbage", std::string(garbage, sizeof garbage - 1)},
        {"invalid bytes", "[korvoForm]\r\npath1.Text=\xc3\x28\xa0\xa1\r\nr2.Checked=True\r\n"},
        {"huge", "[korvoForm]\r\n" + std::string(3 * 1024 * 1024, 'x') + "\r\n"},
        {"odd keys and values", "[korvoForm]\r\nnoDot=1\r\n.Text=x\r\ndeviceCombo.ItemIndex=abc\r\n"
                                "lanCombo.ItemIndex=-7\r\nr2.Checked=maybe\r\nbtn1.Enabled=False\r\n"
                                "path1.Nonsense=1\r\nnobody.Text=1\r\n"},
        {"empty", ""},
    };
    for (const auto& [name, content] : cases) {
        SCOPED_TRACE(name);
        writeFile(settingsFile(), content);
        messages.clear();
        start();
        EXPECT_TRUE(korvoForm->isVisible());
        EXPECT_EQ(app::mainForm(), korvoForm);
        stop();
    }
    // The last case's one applicable key took effect; the others were skipped.
    writeFile(settingsFile(), cases[3].second);
    start();
    EXPECT_FALSE(korvoForm->btn1->isEnabled());
    EXPECT_TRUE(korvoForm->r1->isChecked());
    EXPECT_EQ(korvoForm->deviceCombo->currentIndex(), 0);
    EXPECT_EQ(korvoForm->lanCombo->currentIndex(), -1);
}

TEST_F(MainWindow, FolderChoiceFillsThePathAndItsFreeTotalLabel) {
    start();
    test::TempDir target;
    QString answer = test::qpath(target.path());
    app::setFolderDialogHook([&](const QString&) { return answer; });
    korvoForm->btn1->click();
    EXPECT_EQ(korvoForm->path1->text(), answer);
    const QString label = korvoForm->s1->text();
    EXPECT_TRUE(label.contains(QStringLiteral(" bytes)/"))) << label.toStdString();
    EXPECT_FALSE(label.startsWith(QStringLiteral("0 bytes"))) << label.toStdString();

    // Cancel changes nothing.
    answer.clear();
    korvoForm->btn1->click();
    EXPECT_EQ(korvoForm->s1->text(), label);

    // A drive letter that does not exist shows zero for both.
    click(korvoForm->r2);
    answer = QStringLiteral("Q:\\Restore");
    korvoForm->btn2->click();
    EXPECT_EQ(korvoForm->s2->text(), QStringLiteral("0 bytes (0 bytes)/0 bytes (0 bytes)"));

    // Typing a path does not change the label.
    korvoForm->path1->setText(QStringLiteral("/"));
    EXPECT_EQ(korvoForm->s1->text(), label);
}

TEST_F(MainWindow, ShowingTheWindowFillsTheLabelsOfSavedPaths) {
    test::TempDir target;
    writeFile(settingsFile(),
              "[korvoForm]\r\npath3.Text=" + target.path().string() + "\r\npath4.Text=   \r\n");
    start();
    EXPECT_FALSE(korvoForm->s3->text().isEmpty());
    EXPECT_TRUE(korvoForm->s4->text().isEmpty());
    EXPECT_TRUE(korvoForm->s1->text().isEmpty());
}

namespace {

// Every text the language file replaces, read back from the windows, by line.
std::vector<std::pair<int, QString>> languageTexts() {
    auto* k = korvoForm;
    return {
        {105, k->deviceLabel->text()},
        {106, k->lanLabel->text()},
        {107, k->pathGroup->title()},
        {135, k->r1->text()},
        {108, k->r2->text()},
        {181, k->r3->text()},
        {109, k->path2Label->text()},
        {110, k->path3Label->text()},
        {111, k->path4Label->text()},
        {112, k->discCheck->text()},
        {113, k->optionGroup->title()},
        {114, k->op1->text()},
        {115, k->op2->text()},
        {116, k->op3->text()},
        {117, k->cOption->title()},
        {118, k->cOptionItems->button(0)->text()},
        {119, k->cOptionItems->button(1)->text()},
        {120, k->cOptionItems->button(2)->text()},
        {121, k->startBtn->text()},
        {122, k->saveSet->text()},
        {123, copyForm->windowTitle()},
        {136, copyForm->copyLabel->text()},
        {125, goOnForm->windowTitle()},
        {125, goOnForm->goLabel->text()},
        {126, goOnForm->okBtn->text()},
        {127, goOnForm->cancelBtn->text()},
        {182, feebackForm->windowTitle()},
        {183, feebackForm->mailBoxLabel->text()},
        {184, feebackForm->mailLabel->text()},
        {185, feebackForm->qMemoLabel->text()},
        {186, feebackForm->sendBtn->text()},
        {127, feebackForm->cancelBtn->text()},
        {187, k->autoLoad->text()},
        {216, k->btn1->toolTip()},
        {217, k->btn2->toolTip()},
        {218, k->btn3->toolTip()},
        {219, k->btn4->toolTip()},
        {220, k->btn5->toolTip()},
        {223, k->saveSet->toolTip()},
        {224, k->startBtn->toolTip()},
        {225, k->fWord->toolTip()},
        {226, k->fNumber->toolTip()},
        {227, k->discCheck->toolTip()},
        {228, k->autoLoad->toolTip()},
        {69, k->Quit->text()},
        {222, k->openReport->text()},
        {221, k->feeback->text()},
        {7, k->help->text()},
        {8, k->about->text()},
        {301, k->File1->title()},
        {302, k->H1->title()},
        {303, k->pref->text()},
        {304, k->checkVersion->text()},
        {304, versionForm->windowTitle()},
        {305, checkForm->windowTitle()},
        {306, checkForm->checkLabel->text()},
        {62, prefForm->okBtn->text()},
        {63, prefForm->cancelBtn->text()},
        {44, prefForm->lanLabel->text()},
        {6, prefForm->windowTitle()},
        {139, reportForm->saveAs->text()},
    };
}

QStringList fileLines(const QString& name) {
    const QString text = QString::fromStdString(
        readFile((platform::programFolder() + name + QStringLiteral(".txt")).toStdString()));
    return text.split(u'\n');
}

void expectLanguage(const QString& name) {
    const QStringList lines = fileLines(name);
    for (const auto& [line, text] : languageTexts())
        EXPECT_EQ(text, lines.at(line)) << name.toStdString() << " line " << line;
}

} // namespace

TEST_F(MainWindow, ShippedLanguageFilesCoverEveryText) {
    start();
    for (const QString& name :
         {QStringLiteral("繁體中文"), QStringLiteral("简体中文"), QStringLiteral("English")}) {
        const QStringList lines = fileLines(name);
        ASSERT_GE(lines.size(), 311) << name.toStdString();
        for (const auto& [line, text] : languageTexts())
            EXPECT_FALSE(lines.at(line).trimmed().isEmpty()) << name.toStdString() << " line " << line;
        for (int line : {77, 78, 89, 132, 133, 190, 231, 232, 233, 307, 308, 309, 310})
            EXPECT_FALSE(lines.at(line).trimmed().isEmpty()) << name.toStdString() << " message " << line;
    }
}

TEST_F(MainWindow, FirstStartPicksTheLanguageBySystemLanguage) {
    start();
    EXPECT_EQ(korvoForm->lanCombo->currentIndex(), 2);
    expectLanguage(QStringLiteral("English"));
    EXPECT_EQ(prefForm->lanCombo->count(), 3);
    EXPECT_EQ(prefForm->lanCombo->currentIndex(), 2);
    stop();

    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::Taiwan));
    EXPECT_EQ(app::systemLanguageId(), 1028);
    start();
    EXPECT_EQ(korvoForm->lanCombo->currentIndex(), 0);
    expectLanguage(QStringLiteral("繁體中文"));
    stop();

    // A saved choice wins over the system language.
    writeFile(settingsFile(), "[korvoForm]\r\nlanCombo.ItemIndex=1\r\n");
    start();
    expectLanguage(QStringLiteral("简体中文"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindow, PreferencesChangeTheLanguageOnlyOnOk) {
    start();
    expectLanguage(QStringLiteral("English"));

    // Cancel after a change: nothing changes, and the next opening shows the
    // main window's position again.
    clickInNextDialog([](QWidget*) {
        prefForm->lanCombo->setCurrentIndex(0);
        prefForm->cancelBtn->click();
    });
    korvoForm->prefClick();
    expectLanguage(QStringLiteral("English"));
    EXPECT_EQ(korvoForm->lanCombo->currentIndex(), 2);

    int shownPosition = -1;
    clickInNextDialog([&](QWidget*) {
        shownPosition = prefForm->lanCombo->currentIndex();
        prefForm->lanCombo->setCurrentIndex(0);
        prefForm->okBtn->click();
    });
    korvoForm->prefClick();
    EXPECT_EQ(shownPosition, 2);
    EXPECT_EQ(korvoForm->lanCombo->currentIndex(), 0);
    expectLanguage(QStringLiteral("繁體中文"));

    // OK without a change reloads nothing: a language file removed meanwhile
    // is not missed.
    stop();
    const QString folder = programFolderWith(
        {{"Language.txt", "\xEF\xBB\xBF繁體中文\r\nEnglish\r\n"},
         {"English.txt",
          readFile((platform::programFolder() + QStringLiteral("English.txt")).toStdString())}});
    start(folder);
    std::filesystem::remove((folder + QStringLiteral("English.txt")).toStdString());
    messages.clear();
    clickInNextDialog([](QWidget*) { prefForm->okBtn->click(); });
    korvoForm->prefClick();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

TEST_F(MainWindow, LanguageFailuresAtStartKeepTheWindowComingUp) {
    const std::string english =
        readFile((platform::programFolder() + QStringLiteral("English.txt")).toStdString());
    std::string shortFile;
    {
        // The first 120 lines of the English file.
        std::size_t at = 0;
        for (int i = 0; i < 120; ++i)
            at = english.find('\n', at) + 1;
        shortFile = english.substr(0, at);
    }
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files;
        const char* settings;
        const char* expected;
    };
    const Case cases[] = {
        {"no language list", {}, "", "Language.txt could not be read"},
        {"position without a name",
         {{"Language.txt", "English\n"}},
         "lanCombo.ItemIndex=4",
         "No language is listed"},
        {"missing language file",
         {{"Language.txt", "English\n"}},
         "lanCombo.ItemIndex=0",
         "could not be read"},
        {"short language file",
         {{"Language.txt", "English\n"}, {"English.txt", shortFile}},
         "lanCombo.ItemIndex=0",
         "ends before line 135"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(settingsFile(), std::string("[korvoForm]\r\n") + c.settings + "\r\n");
        messages.clear();
        start(programFolderWith(c.files));
        EXPECT_TRUE(korvoForm->isVisible());
        ASSERT_EQ(messages.size(), 1) << messages.join(u'\n').toStdString();
        EXPECT_TRUE(messages.first().contains(QString::fromLatin1(c.expected)))
            << messages.first().toStdString();
        stop();
    }

    // With the short file, texts before the missing line took the language,
    // the rest kept the built-in ones; a message the file lacks ends only the
    // action that needs it.
    writeFile(settingsFile(), "[korvoForm]\r\nlanCombo.ItemIndex=0\r\n");
    start(programFolderWith({{"Language.txt", "English\n"}, {"English.txt", shortFile}}));
    EXPECT_EQ(korvoForm->deviceLabel->text(), QStringLiteral("Source drive:"));
    EXPECT_EQ(korvoForm->r1->text(), QStringLiteral("一般光碟回存路徑"));
    EXPECT_NO_THROW(korvoForm->saveSetClick());
    EXPECT_THROW(korvoForm->messages.message(132), Failure);
}

TEST_F(MainWindow, AnErrorEndsOnlyTheActionThatRaisedIt) {
    start();
    korvoForm->messages.setLines({});
    messages.clear();
    // Save is clicked through the event loop; its missing message reaches the
    // application-wide handler, and the program goes on.
    click(korvoForm->saveSet);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("Message 89"))) << messages.first().toStdString();
    EXPECT_EQ(icons.back(), app::MsgIcon::Error);
    EXPECT_TRUE(korvoForm->isVisible());
}

TEST_F(MainWindow, ReportMenuShowsACopyOfTheReport) {
    start();
    korvoForm->reportList.append(QStringLiteral("*********************************************"));
    korvoForm->reportList.append(QStringLiteral("Volume Label: DATA"));
    QString shown;
    clickInNextDialog([&](QWidget* dialog) {
        shown = reportForm->memoLines().join(u'\n');
        dialog->close();
    });
    korvoForm->openReport->trigger();
    EXPECT_EQ(shown, QStringLiteral("*********************************************\nVolume Label: DATA"));
}
