#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace velmora::platform {

namespace {

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

} // namespace

bool readFileBytes(const QString& path, QByteArray* bytes, QString* error, qint64 maxBytes) {
    bytes->clear();
    if (QFileInfo(path).isDir()) {
        setError(error, QStringLiteral("%1 is a folder").arg(path));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
        return false;
    }
    // Read one byte past the limit: the size a file system reports is not always true.
    QByteArray data = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        setError(error, QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    if (data.size() > maxBytes) {
        setError(error, QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(maxBytes));
        return false;
    }
    *bytes = std::move(data);
    return true;
}

QString decodeText(const QByteArray& bytes, bool* valid) {
    const auto marked = QStringConverter::encodingForData(bytes);
    // Stateless: a sequence cut off at the end counts as an error too.
    QStringDecoder decoder(marked ? *marked : QStringConverter::System, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (valid) {
        // Qt lets a UTF-16 text cut off after an odd byte pass without an error.
        const bool cutOff = marked &&
                            (*marked == QStringConverter::Utf16LE || *marked == QStringConverter::Utf16BE) &&
                            bytes.size() % 2 != 0;
        *valid = !decoder.hasError() && !cutOff;
    }
    return text;
}

TextFileResult readTextFile(const QString& path, qint64 maxBytes) {
    TextFileResult result;
    QByteArray bytes;
    if (!readFileBytes(path, &bytes, &result.error, maxBytes))
        return result;
    result.text = decodeText(bytes);
    result.ok = true;
    return result;
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

TextLinesResult readUtf8Lines(const QString& path, qint64 maxBytes) {
    TextLinesResult result;
    QByteArray bytes;
    if (!readFileBytes(path, &bytes, &result.error, maxBytes))
        return result;
    // The decoder drops a leading byte-order mark; bad bytes become replacement characters.
    QStringDecoder decoder(QStringConverter::Utf8);
    result.lines = splitLines(decoder.decode(bytes));
    result.ok = true;
    return result;
}

QByteArray encodeAnsi(const QString& text) {
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        setError(error, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
        file.cancelWriting();
        return false;
    }
    return true;
}

bool writeAnsiLines(const QString& path, const QStringList& lines, QString* error) {
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return writeFileAtomically(path, encodeAnsi(text), error);
}

} // namespace velmora::platform
