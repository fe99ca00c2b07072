#include "report/reportlist.h"

#include "platform/textfile.h"

namespace velmora::report {

void ReportList::append(const QString& line) {
    std::lock_guard lock(mutex_);
    lines_.append(line);
}

QStringList ReportList::lines() const {
    std::lock_guard lock(mutex_);
    QStringList copy = lines_;
    // Detach inside the lock: the copy must not share storage a later append changes.
    copy.detach();
    return copy;
}

qsizetype ReportList::size() const {
    std::lock_guard lock(mutex_);
    return lines_.size();
}

bool ReportList::writeFile(const QString& path, QString* error) const {
    std::lock_guard lock(mutex_);
    return platform::writeAnsiLines(path, lines_, error);
}

} // namespace velmora::report
