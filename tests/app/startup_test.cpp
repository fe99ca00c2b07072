// Start-up of the whole application against the device bay: window creation,
// the engine and device errors that end the program, the splash and its
// one-time start-up work, robot discovery and drive matching.
#include "app/application.h"
#include "app/checkUnit.h"
#include "app/dialogs.h"
#include "app/korvoUnit.h"
#include "lang/prefUnit.h"
#include "platform/paths.h"
#include "support/appfixture.h"
#include "support/baytext.h"
#include "support/tempdir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

const char* const robotBay = test::standardBay;

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        app::setMessageHook([this](app::MsgIcon icon, const QString& text) {
            messages.append(text);
            icons.push_back(icon);
        });
    }
    void TearDown() override {
        app::destroyWindows();
        app::clearTerminationRequest();
        app::setMessageHook(nullptr);
        test::removeBay();
    }
    QStringList messages;
    std::vector<app::MsgIcon> icons;
};

} // namespace

TEST_F(Startup, SplashRunsTheStartupWorkOnceThenHandsOverToTheMainWindow) {
    test::writeBay(robotBay, {"manual"});
    app::createWindows();
    ASSERT_FALSE(app::terminationRequested()) << messages.join(u'\n').toStdString();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(app::mainForm(), checkForm);
    ASSERT_EQ(korvoForm->deviceCombo->count(), 3);
    EXPECT_TRUE(korvoForm->deviceCombo->itemText(0).startsWith(u'E'));
    EXPECT_TRUE(korvoForm->deviceCombo->itemText(2).startsWith(u'G'));
    EXPECT_FALSE(korvoForm->isVisible());

    checkForm->show();
    EXPECT_TRUE(checkForm->dCheck->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(korvoForm->isVisible(), 5000);
    EXPECT_FALSE(checkForm->isVisible());
    EXPECT_FALSE(checkForm->dCheck->isActive());
    EXPECT_EQ(app::mainForm(), korvoForm);

    // Discovery found both drives of the robot; the first entry is selected and
    // is a robot drive.
    EXPECT_EQ(korvoForm->rIDList, (QStringList{QStringLiteral("1001"), QStringLiteral("1001")}));
    EXPECT_EQ(korvoForm->rDriveList, (QStringList{QStringLiteral("E"), QStringLiteral("F")}));
    EXPECT_EQ(korvoForm->robotFlag(), 1);
    EXPECT_EQ(korvoForm->robotDrive, 'E');
    EXPECT_EQ(prefForm->lanCombo->count(), korvoForm->lanCombo->count());

    // Showing the splash again does not repeat the work (discovery would add
    // the robot drives a second time).
    checkForm->show();
    QTest::qWait(1300);
    EXPECT_EQ(korvoForm->rIDList.size(), 2);
}

TEST_F(Startup, DriveMatchingSwitchesBetweenRobotAndManualDrives) {
    test::writeBay(robotBay, {"manual"});
    app::createWindows();
    ASSERT_TRUE(korvoForm->getRobot());
    korvoForm->dbName = QStringLiteral("index.mdkb");

    korvoForm->deviceCombo->setCurrentIndex(1);
    korvoForm->deviceComboChange();
    EXPECT_EQ(korvoForm->robotFlag(), 1);
    EXPECT_EQ(korvoForm->robotID, 1001);
    EXPECT_EQ(korvoForm->robotDrive, 'F');
    EXPECT_TRUE(korvoForm->autoLoad->isChecked());
    EXPECT_TRUE(korvoForm->autoLoad->isEnabled());
    EXPECT_TRUE(korvoForm->dbName.isEmpty());

    // A manual drive: the flag drops, the robot fields stay but are unused.
    korvoForm->deviceCombo->setCurrentIndex(2);
    korvoForm->deviceComboChange();
    EXPECT_EQ(korvoForm->robotFlag(), 0);
    EXPECT_FALSE(korvoForm->autoLoad->isChecked());
    EXPECT_FALSE(korvoForm->autoLoad->isEnabled());
    EXPECT_EQ(korvoForm->robotDrive, 'F');

    // No entry selected counts as no robot drive.
    korvoForm->deviceCombo->setCurrentIndex(-1);
    korvoForm->deviceComboChange();
    EXPECT_EQ(korvoForm->robotFlag(), 0);
}

TEST_F(Startup, FailedRobotConnectionLeavesOneReportLineAndNoRobot) {
    test::writeBay(std::string(robotBay).replace(0, 6, "[bay]\nscript = connect:7\n"), {"manual"});
    app::createWindows();
    EXPECT_FALSE(korvoForm->getRobot());
    EXPECT_EQ(korvoForm->reportList.lines(),
              QStringList{QStringLiteral("****KQ_Robots_Connect Error:7****")});
    EXPECT_TRUE(korvoForm->rIDList.isEmpty());
}

TEST_F(Startup, EngineAndDeviceErrorsEndTheProgramBeforeTheSplash) {
    struct Case {
        const char* name;
        const char* bay;
        bool emptyProgramFolder;
        bool foreignLibrary;
        const char* message;
    };
    const Case cases[] = {
        {"library missing", robotBay, true, false, "DLL Error:SDK DLL file not found"},
        {"library without the engine's functions", robotBay, true, true,
         "DLL Error:Structure error in SDK DLL: functions not found"},
        {"no bay and no optical drive", nullptr, false, false, "No Device Found!"},
        {"empty bay", "[bay]\nrealDrives = no\n", false, false, "No Device Found!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        icons.clear();
        test::removeBay();
        if (c.bay)
            test::writeBay(c.bay, {"manual"});
        test::TempDir folder;
        if (c.foreignLibrary) {
            ASSERT_TRUE(QFile::copy(platform::programFolder() + QStringLiteral("libKQRobots20.so"),
                                    test::qpath(folder / "libFoxSDKU32w.so")));
        }
        app::createWindows(c.emptyProgramFolder ? test::qpath(folder.path()) : QString());
        EXPECT_TRUE(app::terminationRequested());
        ASSERT_EQ(messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(icons.front(), app::MsgIcon::Error);
        EXPECT_FALSE(korvoForm->isVisible());
        EXPECT_EQ(korvoForm->deviceCombo->count(), 0);
        app::destroyWindows();
        app::clearTerminationRequest();
    }
}
