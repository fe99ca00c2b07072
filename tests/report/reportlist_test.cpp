// The run report list and its file.
#include "report/reportlist.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>
#include <thread>

using velmora::report::ReportList;
using velmora::test::readFile;
using velmora::test::TempDir;

TEST(ReportList, FileHoldsEveryLineWithCrLfAndIsReplacedEachTime) {
    TempDir dir;
    const QString file = velmora::test::qpath(dir / "report.txt");
    ReportList report;
    report.append(QStringLiteral("*********************************************"));
    report.append(QStringLiteral("Volume Label: DATA"));
    ASSERT_TRUE(report.writeFile(file));
    EXPECT_EQ(readFile(dir / "report.txt"),
              "*********************************************\r\nVolume Label: DATA\r\n");

    report.append(QStringLiteral("Success Discs: 1"));
    ASSERT_TRUE(report.writeFile(file));
    EXPECT_EQ(readFile(dir / "report.txt"),
              "*********************************************\r\nVolume Label: DATA\r\nSuccess Discs: 1\r\n");

    ReportList empty;
    ASSERT_TRUE(empty.writeFile(file));
    EXPECT_EQ(readFile(dir / "report.txt"), "");
}

TEST(ReportList, UnwritableFileIsAnErrorAndTheListStays) {
    TempDir dir;
    ReportList report;
    report.append(QStringLiteral("line"));
    QString error;
    EXPECT_FALSE(report.writeFile(velmora::test::qpath(dir / "missing" / "report.txt"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(report.lines(), QStringList{QStringLiteral("line")});
}

TEST(ReportList, AppendsFromTwoThreadsKeepEveryLineWhole) {
    TempDir dir;
    const QString file = velmora::test::qpath(dir / "report.txt");
    ReportList report;
    constexpr int perThread = 2000;
    auto writer = [&report](const QString& tag) {
        for (int i = 0; i < perThread; ++i)
            report.append(QStringLiteral("%1 line %2 of the split-file check").arg(tag).arg(i));
    };
    std::thread worker(writer, QStringLiteral("worker"));
    // Meanwhile the user-interface side appends, copies for the viewer and writes the file.
    for (int i = 0; i < perThread; ++i) {
        report.append(QStringLiteral("ui line %1 of the run").arg(i));
        if (i % 200 == 0) {
            const QStringList copy = report.lines();
            for (const QString& line : copy)
                ASSERT_TRUE(line.endsWith(QStringLiteral("of the split-file check")) ||
                            line.endsWith(QStringLiteral("of the run")));
            ASSERT_TRUE(report.writeFile(file));
        }
    }
    worker.join();
    EXPECT_EQ(report.size(), 2 * perThread);
}
