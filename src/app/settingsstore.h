// The settings store: the main window's options in "backSettings.ini", one
// section "korvoForm" whose keys are a control's name, "." and a property.
// The store reads and writes texts; the window (a SettingsTarget) turns them
// into control states, so the rules here work without any window.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace velmora::app {

// The keys written, in this order.
const QStringList& settingsKeys();
inline constexpr const char* settingsSection = "korvoForm";

class SettingsTarget {
public:
    virtual ~SettingsTarget() = default;
    // The property's value as text; nothing when it cannot be read.
    virtual std::optional<QString> readProperty(const QString& control, const QString& property) const = 0;
    // Sets the property from its text; false when it cannot be applied.
    virtual bool applyProperty(const QString& control, const QString& property, const QString& value) = 0;
};

class SettingsStore {
public:
    void setFileName(const QString& fileName) { fileName_ = fileName; }
    const QString& fileName() const { return fileName_; }

    // Applies the saved keys in file order. Keys outside the list, keys without
    // a control, empty values and values that cannot be applied are skipped.
    // False (with error) when the file cannot be read at all; nothing is applied then.
    bool load(SettingsTarget& target, QString* error = nullptr) const;
    // Erases the section and writes every key of the list that can be read.
    bool save(const SettingsTarget& target, QString* error = nullptr) const;

private:
    QString fileName_;
};

// Values as the settings file holds them.
QString formatBoolean(bool value);
std::optional<bool> parseBoolean(const QString& text);
std::optional<int> parseInteger(const QString& text);

} // namespace velmora::app
