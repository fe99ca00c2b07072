// The settings store's reading and writing rules, with a plain map of
// properties standing in for the window.
#include "app/settingsstore.h"
#include "support/tempdir.h"

#include <QMap>
#include <gtest/gtest.h>

using velmora::app::SettingsStore;
using velmora::test::readFile;
using velmora::test::TempDir;
using velmora::test::writeFile;

namespace {

class Controls : public velmora::app::SettingsTarget {
public:
    QMap<QString, QString> values; // "control.Property" -> value
    QStringList applied;           // in the order applied
    std::optional<QString> readProperty(const QString& control, const QString& property) const override {
        const QString key = control + u'.' + property;
        return values.contains(key) ? std::optional<QString>(values.value(key)) : std::nullopt;
    }
    bool applyProperty(const QString& control, const QString& property, const QString& value) override {
        applied.append(control + u'.' + property + u'=' + value);
        return true;
    }
};

} // namespace

TEST(SettingsStore, SavesTheListedKeysInOrderAndSkipsWhatCannotBeRead) {
    TempDir dir;
    writeFile(dir / "backSettings.ini", "[other]\r\nkeep=1\r\n[korvoForm]\r\nstale.Key=x\r\n");
    SettingsStore store;
    store.setFileName(velmora::test::qpath(dir / "backSettings.ini"));
    Controls controls;
    for (const QString& key : velmora::app::settingsKeys())
        controls.values[key] = QStringLiteral("v");
    controls.values[QStringLiteral("path2.Text")] = QString();
    controls.values.remove(QStringLiteral("fWord.Text"));
    ASSERT_TRUE(store.save(controls));

    std::string expected = "[other]\r\nkeep=1\r\n\r\n\r\n[korvoForm]\r\n";
    for (const QString& key : velmora::app::settingsKeys()) {
        if (key == QLatin1String("fWord.Text"))
            continue;
        expected += key.toStdString() + (key == QLatin1String("path2.Text") ? "=" : "=v") + "\r\n";
    }
    EXPECT_EQ(readFile(dir / "backSettings.ini"), expected);
    EXPECT_EQ(velmora::app::settingsKeys().size(), 21);
    // Saving again gives the same file: nothing accumulates.
    ASSERT_TRUE(store.save(controls));
    EXPECT_EQ(readFile(dir / "backSettings.ini"), expected);
}

TEST(SettingsStore, LoadsInFileOrderSkippingEmptyUnknownAndDotlessKeys) {
    TempDir dir;
    writeFile(dir / "backSettings.ini", "[korvoForm]\r\n"
                                        "discCheck.Checked=False\r\n"
                                        "fWord.Text=\r\n"
                                        "nonsense=1\r\n"
                                        "Caption=Hello\r\n"
                                        "cOption.ItemIndex=2\r\n"
                                        "R2.CHECKED=True\r\n"
                                        "path1.Text=/srv/restore\r\n");
    SettingsStore store;
    store.setFileName(velmora::test::qpath(dir / "backSettings.ini"));
    Controls controls;
    ASSERT_TRUE(store.load(controls));
    EXPECT_EQ(controls.applied,
              (QStringList{QStringLiteral("discCheck.Checked=False"), QStringLiteral("r2.Checked=True"),
                           QStringLiteral("path1.Text=/srv/restore")}));
}

TEST(SettingsStore, ValuesAsTheFileHoldsThem) {
    using namespace velmora::app;
    EXPECT_EQ(formatBoolean(true), QStringLiteral("True"));
    EXPECT_EQ(formatBoolean(false), QStringLiteral("False"));
    EXPECT_EQ(parseBoolean(QStringLiteral("True")), true);
    EXPECT_EQ(parseBoolean(QStringLiteral("false")), false);
    EXPECT_EQ(parseBoolean(QStringLiteral("-1")), true);
    EXPECT_EQ(parseBoolean(QStringLiteral("yes please")), std::nullopt);
    EXPECT_EQ(parseInteger(QStringLiteral("-1")), -1);
    EXPECT_EQ(parseInteger(QStringLiteral("12abc")), std::nullopt);
    EXPECT_EQ(parseInteger(QStringLiteral("99999999999")), std::nullopt);
}
