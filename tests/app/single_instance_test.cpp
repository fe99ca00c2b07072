// One running instance per user: a second start asks the first to come to the
// front and ends without showing anything.
#include "app/singleinstance.h"
#include "platform/paths.h"
#include "support/baytext.h"
#include "support/tempdir.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using velmora::app::SingleInstance;

TEST(SingleInstance, SecondStartActivatesTheFirst) {
    const QString key = SingleInstance::keyFor(QStringLiteral("velmora-test"), QStringLiteral("/tmp/a"));
    SingleInstance first(key);
    EXPECT_FALSE(first.activateRunning());
    ASSERT_TRUE(first.listen());
    QSignalSpy activated(&first, &SingleInstance::activateRequested);

    SingleInstance second(key);
    EXPECT_TRUE(second.activateRunning());
    EXPECT_TRUE(activated.wait(5000));

    // Another data folder is another instance.
    SingleInstance other(SingleInstance::keyFor(QStringLiteral("velmora-test"), QStringLiteral("/tmp/b")));
    EXPECT_FALSE(other.activateRunning());
}

TEST(SingleInstance, SocketLeftByACrashedInstanceDoesNotBlockTheNextStart) {
    const QString key = SingleInstance::keyFor(QStringLiteral("velmora-crash"), QStringLiteral("/tmp/c"));
    // An instance that crashed leaves its socket file behind, with nobody listening.
    velmora::test::writeFile((QDir::tempPath() + u'/' + key).toStdString(), "stale");
    SingleInstance next(key);
    EXPECT_FALSE(next.activateRunning());
    EXPECT_TRUE(next.listen());
}

TEST(SingleInstance, SecondProgramEndsAndTheFirstKeepsRunning) {
    velmora::test::writeBay("[bay]\nrealDrives = no\n[drive E]\ndisc = d\n[disc d]\nfolder = discs/d\n",
                            {"d"});
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString program = velmora::platform::programFolder() + QStringLiteral("velmora");

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program);
    ASSERT_TRUE(first.waitForStarted(5000));

    // Wait until the first instance listens.
    const QString key = SingleInstance::keyFor(QStringLiteral("velmora"), velmora::platform::appDataFolder());
    QDeadlineTimer deadline(15000);
    bool listening = false;
    while (!deadline.hasExpired() && !listening) {
        listening = SingleInstance(key).activateRunning();
        if (!listening)
            QTest::qWait(100);
    }
    ASSERT_TRUE(listening);

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(program);
    ASSERT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished(5000);
}
