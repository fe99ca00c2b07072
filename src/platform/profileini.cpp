#include "platform/profileini.h"

#include "platform/textfile.h"

#include <QFileInfo>

// SimpleIni is used header-only; the text is kept in UTF-8 and converted from and
// to the file's character set with Qt.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <algorithm>
#include <string>

namespace velmora::platform {

struct ProfileIni::Store {
    CSimpleIniA ini{/*isUtf8=*/true, /*multiKey=*/false, /*multiLine=*/false};
    Store() { ini.SetSpaces(false); }
};

namespace {

// An embedded NUL would cut a key or value short.
std::string utf8(const QString& text) {
    return QString(text).replace(QChar(u'\0'), QLatin1Char(' ')).toStdString();
}

} // namespace

ProfileIni::ProfileIni(const QString& fileName) : fileName_(fileName), store_(std::make_unique<Store>()) {}

ProfileIni::~ProfileIni() = default;

bool ProfileIni::load() {
    store_ = std::make_unique<Store>();
    error_.clear();
    if (!QFileInfo::exists(fileName_))
        return true;

    QByteArray bytes;
    if (!readFileBytes(fileName_, &bytes, &error_, maxFileSize))
        return false;
    bool valid = true;
    const QString text = decodeText(bytes, &valid);
    if (!valid || text.contains(QChar(u'\0'))) {
        error_ = QStringLiteral("%1 is damaged: it is not a text file").arg(fileName_);
        return false;
    }
    const QByteArray data = text.toUtf8();
    if (store_->ini.LoadData(data.constData(), static_cast<size_t>(data.size())) < 0) {
        store_ = std::make_unique<Store>();
        error_ = QStringLiteral("%1 is damaged: it cannot be read as a profile").arg(fileName_);
        return false;
    }
    return true;
}

QStringList ProfileIni::keys(const QString& section) const {
    CSimpleIniA::TNamesDepend names;
    store_->ini.GetAllKeys(utf8(section).c_str(), names);
    names.sort(CSimpleIniA::Entry::LoadOrder());
    QStringList result;
    for (const auto& name : names)
        result.append(QString::fromUtf8(name.pItem));
    return result;
}

QString ProfileIni::value(const QString& section, const QString& key, const QString& def) const {
    const char* found = store_->ini.GetValue(utf8(section).c_str(), utf8(key).c_str(), nullptr);
    return found ? QString::fromUtf8(found) : def;
}

void ProfileIni::eraseSection(const QString& section) {
    store_->ini.Delete(utf8(section).c_str(), nullptr);
}

void ProfileIni::setValue(const QString& section, const QString& key, const QString& value) {
    QString line = value;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    store_->ini.SetValue(utf8(section).c_str(), utf8(key).c_str(), utf8(line).c_str());
}

bool ProfileIni::save() {
    error_.clear();
    std::string data;
    if (store_->ini.Save(data, /*addSignature=*/false) < 0) {
        error_ = QStringLiteral("Cannot write %1").arg(fileName_);
        return false;
    }
    // SimpleIni ends lines with LF here; the file takes CR LF.
    QString text = QString::fromStdString(data);
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return writeFileAtomically(fileName_, encodeAnsi(text), &error_);
}

} // namespace velmora::platform
