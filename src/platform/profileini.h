// A Windows-style profile (ini) file: sections of key=value lines, keys kept in
// file order, written in the locale's character set with CR LF line ends.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace velmora::platform {

class ProfileIni {
public:
    // Settings files are a few hundred bytes; larger ones are refused as damaged.
    static constexpr qint64 maxFileSize = 1024 * 1024;

    explicit ProfileIni(const QString& fileName);
    ~ProfileIni();
    ProfileIni(const ProfileIni&) = delete;
    ProfileIni& operator=(const ProfileIni&) = delete;

    const QString& fileName() const { return fileName_; }

    // Reads the file. A missing file is an empty profile (true). A file that cannot be
    // read, is larger than maxFileSize, holds bytes that are not text in its
    // character set or does not parse leaves the profile empty and returns false.
    bool load();

    // The key names of a section in file order (keys set since in the order set).
    QStringList keys(const QString& section) const;
    QString value(const QString& section, const QString& key, const QString& def = {}) const;
    // Removes a whole section with all its keys.
    void eraseSection(const QString& section);
    // Sets a value, adding the section and key when missing. Line breaks in a value
    // cannot be stored in a line-based file and are written as spaces.
    void setValue(const QString& section, const QString& key, const QString& value);

    // Writes the file: "[section]" headers and key=value lines, CR LF line ends, in
    // the locale's character set without a byte-order mark. The old file is replaced
    // through a temporary file, so a failed save leaves it as it was.
    bool save();

    // The reason of the last failed load() or save().
    QString errorString() const { return error_; }

private:
    struct Store;
    QString fileName_;
    std::unique_ptr<Store> store_;
    QString error_;
};

} // namespace velmora::platform
