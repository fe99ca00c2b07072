#include "restore/bytestodisplay.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace velmora::restore {

namespace {

constexpr int maxDigits = 15;

// A number in the locale's style with thousands separators and exactly this
// many decimals (fewer where more would pass 15 significant digits). Unit
// values stay far below 15 integer digits.
QString number(double value, int decimals) {
    const double magnitude = std::fabs(value);
    if (magnitude >= 1) {
        const int integerDigits = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
        decimals = std::clamp(maxDigits - integerDigits, 0, decimals);
    }
    return QLocale().toString(value, 'f', decimals);
}

// A byte count in the locale's style, rounded to 15 significant digits.
QString count(std::int64_t bytes) {
    std::uint64_t magnitude =
        bytes < 0 ? 0 - static_cast<std::uint64_t>(bytes) : static_cast<std::uint64_t>(bytes);
    int digits = 1;
    for (std::uint64_t rest = magnitude; rest >= 10; rest /= 10)
        ++digits;
    if (digits > maxDigits) {
        std::uint64_t scale = 1;
        for (int i = maxDigits; i < digits; ++i)
            scale *= 10;
        magnitude = (magnitude / scale + (magnitude % scale >= scale / 2 ? 1 : 0)) * scale;
    }
    const QString text = QLocale().toString(static_cast<qulonglong>(magnitude));
    return bytes < 0 ? QLocale().negativeSign() + text : text;
}

} // namespace

QString BytesToDisplay(std::int64_t bytes) {
    const double b = static_cast<double>(bytes);
    const double kb = b / 1024;
    const double mb = kb / 1024;
    const double gb = mb / 1024;
    struct Row {
        double value;
        int decimals;
        const char* unit;
    };
    const Row row = kb < 1     ? Row{b, 0, " bytes"}
                    : kb < 10  ? Row{kb, 2, " KB"}
                    : kb < 100 ? Row{kb, 1, " KB"}
                    : mb < 1   ? Row{kb, 0, " KB"}
                    : mb < 10  ? Row{mb, 2, " MB"}
                    : mb < 100 ? Row{mb, 1, " MB"}
                    : gb < 1   ? Row{mb, 0, " MB"}
                    : gb < 10  ? Row{gb, 2, " GB"}
                    : gb < 100 ? Row{gb, 1, " GB"}
                               : Row{gb, 0, " GB"};
    return number(row.value, row.decimals) + QString::fromLatin1(row.unit) + QStringLiteral(" (") +
           count(bytes) + QStringLiteral(" bytes)");
}

} // namespace velmora::restore
