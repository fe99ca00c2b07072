// The run report: lines appended by the run, the robot steps and the split-file
// check, shown in the report viewer and written to report.txt. Appends come
// from the user-interface thread and from the copy worker, so every operation
// takes one lock for its whole duration and every line stays whole.
#pragma once

#include <QString>
#include <QStringList>
#include <mutex>

namespace velmora::report {

class ReportList {
public:
    void append(const QString& line);
    // A copy of all lines, in order.
    QStringList lines() const;
    qsizetype size() const;
    // Writes all lines to the file, replacing it: the locale's character set,
    // no byte-order mark, CR LF after every line. False with error on failure.
    bool writeFile(const QString& path, QString* error = nullptr) const;

private:
    mutable std::mutex mutex_;
    QStringList lines_;
};

} // namespace velmora::report
