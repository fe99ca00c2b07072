#include "lang/messagetable.h"

#include "platform/failure.h"
#include "platform/textfile.h"

#include <QFileInfo>

namespace velmora::lang {

bool MessageTable::load(const QString& path, QString* error) {
    const platform::TextLinesResult read = platform::readUtf8Lines(path);
    if (!read.ok) {
        if (error)
            *error = read.error;
        return false;
    }
    std::lock_guard lock(mutex_);
    lines_ = read.lines;
    fileName_ = path;
    return true;
}

void MessageTable::setLines(const QStringList& lines) {
    std::lock_guard lock(mutex_);
    lines_ = lines;
    fileName_.clear();
}

QStringList MessageTable::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

qsizetype MessageTable::size() const {
    std::lock_guard lock(mutex_);
    return lines_.size();
}

QString MessageTable::fileName() const {
    std::lock_guard lock(mutex_);
    return fileName_;
}

std::optional<QString> MessageTable::line(int n) const {
    std::lock_guard lock(mutex_);
    if (n < 0 || n >= lines_.size())
        return std::nullopt;
    return lines_.at(n);
}

QString MessageTable::message(int n) const {
    if (std::optional<QString> text = line(n))
        return *text;
    const QString file = fileName();
    throw Failure(file.isEmpty() ? QStringLiteral("Message %1 is missing: no language file is loaded.").arg(n)
                                 : QStringLiteral("Message %1 is missing from the language file %2.")
                                       .arg(n)
                                       .arg(QFileInfo(file).fileName()));
}

} // namespace velmora::lang
