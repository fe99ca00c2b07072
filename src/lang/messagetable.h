// The message table: the lines of the current language file, numbered from 0.
// Message N is line N, read at the moment it is shown. The table is replaced
// as a whole when a language is loaded; the copy worker may read it meanwhile,
// so reads and replacement take a lock.
#pragma once

#include <QString>
#include <QStringList>
#include <mutex>
#include <optional>

namespace velmora::lang {

// A complete language file has lines 0 to 310.
inline constexpr int completeLineCount = 311;

class MessageTable {
public:
    // Reads a language file (UTF-8, with or without byte-order mark) and, when
    // it can be read, replaces the table with its lines. False with error when
    // the file cannot be read; the table then keeps its lines.
    bool load(const QString& path, QString* error = nullptr);
    void setLines(const QStringList& lines);
    QStringList lines() const;
    qsizetype size() const;
    QString fileName() const;

    // Line n, if the table has it.
    std::optional<QString> line(int n) const;
    // Line n; a line the table lacks raises a Failure that names the line and
    // the file, ending the action that asked for it.
    QString message(int n) const;

private:
    mutable std::mutex mutex_;
    QStringList lines_;
    QString fileName_;
};

} // namespace velmora::lang
