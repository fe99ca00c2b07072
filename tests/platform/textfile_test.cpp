#include "platform/textfile.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

using test::qpath;
using test::readFile;
using test::TempDir;
using test::writeFile;

std::string utf16(const QString& text, bool littleEndian) {
    std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t c : text.toStdU16String()) {
        const char low = static_cast<char>(c & 0xff), high = static_cast<char>(c >> 8);
        bytes += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

TEST(TextFile, ByteOrderMarkSelectsTheEncoding) {
    TempDir dir;
    const QString text = QStringLiteral("English\r\n繁體中文\r\n");
    const std::string utf8 = text.toStdString();
    const std::pair<const char*, std::string> cases[] = {
        {"utf-8 mark", "\xEF\xBB\xBF" + utf8},
        {"utf-16 le", utf16(text, true)},
        {"utf-16 be", utf16(text, false)},
        {"no mark, locale character set", utf8},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        writeFile(dir / "Language.txt", bytes);
        const TextFileResult result = readTextFile(qpath(dir / "Language.txt"));
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(result.text, text);
        EXPECT_EQ(splitLines(result.text), QStringList({"English", "繁體中文"}));
    }
}

TEST(TextFile, BadBytesDecodeToReplacementCharacters) {
    TempDir dir;
    const std::pair<const char*, std::string> cases[] = {
        {"bad utf-8", "ok\xC3\x28\xFF\xFE\xFDok"},
        {"odd utf-16", std::string("\xFF\xFEo\0k\0\x01", 7)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        writeFile(dir / "bad.txt", bytes);
        const TextFileResult text = readTextFile(qpath(dir / "bad.txt"));
        ASSERT_TRUE(text.ok);
        EXPECT_TRUE(text.text.contains(QChar::ReplacementCharacter));
        const TextLinesResult lines = readUtf8Lines(qpath(dir / "bad.txt"));
        ASSERT_TRUE(lines.ok);
    }
}

TEST(TextFile, Utf8LinesSplitAtEveryKindOfLineEnd) {
    TempDir dir;
    const std::pair<std::string, QStringList> cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\n\nb\n\n", {"a", "", "b", ""}},
        {"\r\n", {""}},
        {"\xEF\xBB\xBF"
         "開始\r\n取消",
         {"開始", "取消"}},
    };
    for (const auto& [bytes, lines] : cases) {
        SCOPED_TRACE(bytes);
        writeFile(dir / "Chinese.txt", bytes);
        const TextLinesResult result = readUtf8Lines(qpath(dir / "Chinese.txt"));
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(result.lines, lines);
    }
}

TEST(TextFile, MissingLargeOrFolderFilesAreErrors) {
    TempDir dir;
    writeFile(dir / "big.txt", std::string(1000, 'x'));
    std::filesystem::create_directory(dir / "folder");
    for (const auto& [name, limit] :
         {std::pair{"missing.txt", defaultTextFileLimit}, std::pair{"big.txt", qint64(999)},
          std::pair{"folder", defaultTextFileLimit}}) {
        SCOPED_TRACE(name);
        const TextFileResult text = readTextFile(qpath(dir / name), limit);
        EXPECT_FALSE(text.ok);
        EXPECT_FALSE(text.error.isEmpty());
        const TextLinesResult lines = readUtf8Lines(qpath(dir / name), limit);
        EXPECT_FALSE(lines.ok);
        EXPECT_FALSE(lines.error.isEmpty());
    }
    EXPECT_TRUE(readTextFile(qpath(dir / "big.txt"), 1000).ok);
}

TEST(TextFile, AnsiLinesEndInCrLfWithoutMark) {
    TempDir dir;
    const auto file = dir / "report.txt";
    writeFile(file, "an older, longer report that must go away entirely");
    QString error;
    ASSERT_TRUE(
        writeAnsiLines(qpath(file), {"Start Time: 2024/01/02 03:04:05", "Volume Label: 光碟", ""}, &error))
        << error.toStdString();
    EXPECT_EQ(readFile(file), "Start Time: 2024/01/02 03:04:05\r\nVolume Label: 光碟\r\n\r\n");

    ASSERT_TRUE(writeAnsiLines(qpath(file), {}, &error));
    EXPECT_EQ(readFile(file), "");

    EXPECT_FALSE(writeAnsiLines(qpath(dir / "missing" / "report.txt"), {"x"}, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(TextFile, EncodeAnsiReplacesWhatCannotBeWritten) {
    EXPECT_EQ(encodeAnsi(QStringLiteral("abc")), QByteArray("abc"));
    const QString loneSurrogate = QString("a") + QChar(0xD800) + QString("b");
    const QByteArray bytes = encodeAnsi(loneSurrogate);
    EXPECT_TRUE(bytes.startsWith('a'));
    EXPECT_TRUE(bytes.endsWith('b'));
    EXPECT_GT(bytes.size(), 2);
}

} // namespace
} // namespace velmora::platform
