#include "lang/languagelist.h"

#include "platform/textfile.h"

#include <QDir>

namespace velmora::lang {

LanguageList readLanguageList(const QString& programFolder) {
    const platform::TextFileResult read =
        platform::readTextFile(QDir(programFolder).filePath(QStringLiteral("Language.txt")));
    if (!read.ok)
        return {false, {}, read.error};
    LanguageList list{true, {}, {}};
    for (const QString& line : platform::splitLines(read.text)) {
        if (!line.trimmed().isEmpty())
            list.names.append(line.trimmed());
    }
    return list;
}

QString languageFile(const QString& programFolder, const QString& name) {
    // A name is a plain file name in the program folder, never a path.
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name == QStringLiteral("..") ||
        name == QStringLiteral("."))
        return {};
    return QDir(programFolder).filePath(name + QStringLiteral(".txt"));
}

int defaultLanguagePosition(int systemLanguageId) {
    return systemLanguageId == 1028 ? 0 : 2;
}

} // namespace velmora::lang
