// The list of languages, "Language.txt" in the program folder: one language
// name per line, each also the base name of its language file.
#pragma once

#include <QString>
#include <QStringList>

namespace velmora::lang {

struct LanguageList {
    bool ok = false;
    QStringList names;
    QString error;
};

// Reads the list: a byte-order mark selects UTF-8 or UTF-16, without one the
// locale's character set applies. Blank lines are left out.
LanguageList readLanguageList(const QString& programFolder);

// The language file of a name: program folder + name + ".txt".
QString languageFile(const QString& programFolder, const QString& name);

// The list position chosen on a first start: the first language on a system
// whose default language identifier is 1028, otherwise the third.
int defaultLanguagePosition(int systemLanguageId);

} // namespace velmora::lang
