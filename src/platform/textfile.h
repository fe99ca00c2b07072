// Text files: the language list and language files read at start-up, the report
// written in the locale's character set ("ANSI") with CR LF line ends.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace velmora::platform {

// Text files are small; anything larger is refused rather than read into memory.
inline constexpr qint64 defaultTextFileLimit = 64 * 1024 * 1024;

struct TextFileResult {
    bool ok = false;
    QString text;
    QString error;
};

struct TextLinesResult {
    bool ok = false;
    QStringList lines;
    QString error;
};

// Reads a whole file of at most maxBytes bytes. False with error when it is missing,
// a folder, unreadable or larger.
bool readFileBytes(const QString& path, QByteArray* bytes, QString* error,
                   qint64 maxBytes = defaultTextFileLimit);

// Decodes text by its byte-order mark (UTF-8, UTF-16 in either byte order), without
// one in the locale's character set; the mark itself is dropped. Bytes that do not
// decode become replacement characters and set *valid (if given) to false.
QString decodeText(const QByteArray& bytes, bool* valid = nullptr);

// A text file decoded as decodeText() does. Undecodable bytes do not fail the read.
TextFileResult readTextFile(const QString& path, qint64 maxBytes = defaultTextFileLimit);

// Splits text into lines at CR LF, LF or CR. A line end at the very end of the text
// does not start another line, so "a\r\nb\r\n" gives "a" and "b".
QStringList splitLines(const QString& text);

// A UTF-8 file (with or without a byte-order mark) split into lines, as the
// language files are read.
TextLinesResult readUtf8Lines(const QString& path, qint64 maxBytes = defaultTextFileLimit);

// Text in the locale's character set, with replacement characters where a
// character cannot be written; no byte-order mark.
QByteArray encodeAnsi(const QString& text);

// Replaces the file at path with bytes, through a temporary file renamed over it,
// so that a failed write leaves the old file as it was.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

// Writes every line in the locale's character set followed by CR LF, replacing the file.
bool writeAnsiLines(const QString& path, const QStringList& lines, QString* error);

} // namespace velmora::platform
