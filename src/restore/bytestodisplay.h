// Byte counts as the operator reads them: "1.50 KB (1,536 bytes)", in the
// number style of the current locale (QLocale's default).
#pragma once

#include <QString>
#include <cstdint>

namespace velmora::restore {

QString BytesToDisplay(std::int64_t bytes);

} // namespace velmora::restore
