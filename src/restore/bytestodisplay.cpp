#include "restore/bytestodisplay.h"

#include <QLocale>
#include <cmath>

namespace velmora::restore {

namespace {

// A number in the locale's style with thousands separators and exactly this
// many decimals, keeping at most 15 significant digits.
QString number(double value, int decimals) {
    constexpr int maxDigits = 15;
    const double magnitude = std::fabs(value);
    if (magnitude >= 1) {
        const int integerDigits = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
        if (integerDigits > maxDigits) {
            const double scale = std::pow(10.0, integerDigits - maxDigits);
            value = std::round(value / scale) * scale;
            decimals = 0;
        } else {
            decimals = std::min(decimals, maxDigits - integerDigits);
        }
    }
    return QLocale().toString(value, 'f', decimals);
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
           number(b, 0) + QStringLiteral(" bytes)");
}

} // namespace velmora::restore
