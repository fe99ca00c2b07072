// Byte counts as the operator reads them, under an English locale.
#include "restore/bytestodisplay.h"

#include <QLocale>
#include <gtest/gtest.h>

using velmora::restore::BytesToDisplay;

TEST(BytesToDisplay, EnglishLocale) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0 bytes (0 bytes)"},
        {512, "512 bytes (512 bytes)"},
        {1023, "1,023 bytes (1,023 bytes)"},
        {1024, "1.00 KB (1,024 bytes)"},
        {1536, "1.50 KB (1,536 bytes)"},
        {10240, "10.0 KB (10,240 bytes)"},
        {102400, "100 KB (102,400 bytes)"},
        {1048575, "1,024 KB (1,048,575 bytes)"},
        {1048576, "1.00 MB (1,048,576 bytes)"},
        {700000000, "668 MB (700,000,000 bytes)"},
        {5000000000, "4.66 GB (5,000,000,000 bytes)"},
        {25025314816, "23.3 GB (25,025,314,816 bytes)"},
        {200LL * 1024 * 1024 * 1024, "200 GB (214,748,364,800 bytes)"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(BytesToDisplay(bytes).toStdString(), text) << bytes;
}

TEST(BytesToDisplay, FollowsTheLocalesNumberStyle) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(BytesToDisplay(1536).toStdString(), "1,50 KB (1.536 bytes)");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

TEST(BytesToDisplay, KeepsAtMostFifteenSignificantDigits) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // 2^62 bytes: the count in parentheses is rounded to 15 significant digits.
    EXPECT_EQ(BytesToDisplay(4611686018427387904LL).toStdString(),
              "4,294,967,296 GB (4,611,686,018,427,390,000 bytes)");
}
