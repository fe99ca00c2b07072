// The report viewer: a copy of the report, editable, saved under a chosen name
// with ".txt" always appended.
#include "app/dialogs.h"
#include "platform/failure.h"
#include "report/reportUnit.h"
#include "support/tempdir.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using velmora::test::readFile;
using velmora::test::TempDir;

TEST(ReportWindow, SavesTheTextAsShownWithTxtAppended) {
    TreportForm viewer;
    TempDir dir;
    QString chosen;
    QString title;
    velmora::app::setSaveDialogHook([&](const QString& t) {
        title = t;
        return chosen;
    });

    // Nothing shown yet: an empty file.
    chosen = velmora::test::qpath(dir / "empty");
    viewer.saveAs->click();
    EXPECT_EQ(title, QStringLiteral("Save"));
    EXPECT_EQ(readFile(dir / "empty.txt"), "");

    viewer.showLines(
        {QStringLiteral("Start Time: 2026/12/11 10:00:00"), QStringLiteral("Volume Label: DATA")});
    viewer.rMemo->appendPlainText(QStringLiteral("checked by the operator"));
    // A name that already ends in .txt gets the ending a second time.
    chosen = velmora::test::qpath(dir / "copy.txt");
    viewer.saveAs->click();
    EXPECT_EQ(readFile(dir / "copy.txt.txt"),
              "Start Time: 2026/12/11 10:00:00\r\nVolume Label: DATA\r\nchecked by the operator\r\n");

    // Cancel writes nothing.
    chosen.clear();
    viewer.saveAs->click();

    // A target that cannot be written is an error for the general handler.
    chosen = velmora::test::qpath(dir / "no" / "such" / "folder");
    EXPECT_THROW(viewer.saveAsClick(), velmora::Failure);
    velmora::app::setSaveDialogHook(nullptr);
}
