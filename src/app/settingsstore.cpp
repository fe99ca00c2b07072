#include "app/settingsstore.h"

#include "platform/profileini.h"

namespace velmora::app {

const QStringList& settingsKeys() {
    static const QStringList keys{
        QStringLiteral("deviceCombo.ItemIndex"),
        QStringLiteral("path1.Text"),
        QStringLiteral("path2.Text"),
        QStringLiteral("path3.Text"),
        QStringLiteral("path4.Text"),
        QStringLiteral("path5.Text"),
        QStringLiteral("op1.Checked"),
        QStringLiteral("op2.Checked"),
        QStringLiteral("op3.Checked"),
        QStringLiteral("fWord.Text"),
        QStringLiteral("fNumber.Text"),
        QStringLiteral("lanCombo.ItemIndex"),
        QStringLiteral("r1.Checked"),
        QStringLiteral("r2.Checked"),
        QStringLiteral("r3.Checked"),
        QStringLiteral("btn1.Enabled"),
        QStringLiteral("btn2.Enabled"),
        QStringLiteral("btn3.Enabled"),
        QStringLiteral("btn4.Enabled"),
        QStringLiteral("btn5.Enabled"),
        QStringLiteral("discCheck.Checked"),
    };
    return keys;
}

bool SettingsStore::load(SettingsTarget& target, QString* error) const {
    platform::ProfileIni ini(fileName_);
    if (!ini.load()) {
        if (error)
            *error = ini.errorString();
        return false;
    }
    const QString section = QString::fromLatin1(settingsSection);
    for (const QString& key : ini.keys(section)) {
        // Key names, like control and property names, are matched without regard to case.
        qsizetype position = -1;
        for (qsizetype i = 0; i < settingsKeys().size() && position < 0; ++i) {
            if (settingsKeys().at(i).compare(key, Qt::CaseInsensitive) == 0)
                position = i;
        }
        if (position < 0)
            continue;
        const QString value = ini.value(section, key);
        if (value.isEmpty())
            continue;
        const QString& canonical = settingsKeys().at(position);
        const qsizetype dot = canonical.indexOf(u'.');
        target.applyProperty(canonical.left(dot), canonical.mid(dot + 1), value);
    }
    return true;
}

bool SettingsStore::save(const SettingsTarget& target, QString* error) const {
    platform::ProfileIni ini(fileName_);
    // Other sections of the file stay as they were; a file that cannot be read is replaced.
    ini.load();
    const QString section = QString::fromLatin1(settingsSection);
    ini.eraseSection(section);
    for (const QString& key : settingsKeys()) {
        const qsizetype dot = key.indexOf(u'.');
        if (const std::optional<QString> value = target.readProperty(key.left(dot), key.mid(dot + 1)))
            ini.setValue(section, key, *value);
    }
    if (!ini.save()) {
        if (error)
            *error = ini.errorString();
        return false;
    }
    return true;
}

QString formatBoolean(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<bool> parseBoolean(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const int n = t.toInt(&ok);
    if (ok)
        return n != 0;
    return std::nullopt;
}

std::optional<int> parseInteger(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(n) : std::nullopt;
}

} // namespace velmora::app
