#include "core/LineFile.h"

#include "core/FileSave.h"
#include "core/TextFields.h"
#include "core/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

LineReader::LineReader(QStringList lines) : lines_(std::move(lines)) {}

std::optional<LineReader> LineReader::open(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = QStringLiteral("Die Datei %1 kann nicht gelesen werden.").arg(path);
        }
        return std::nullopt;
    }
    return LineReader(SplitLines(file.readAll()));
}

std::optional<QStringList> LineReader::ReadLines(const QString& path, QString* error)
{
    const auto reader = open(path, error);
    return reader ? std::optional<QStringList>(reader->lines()) : std::nullopt;
}

std::optional<QStringList> LineReader::ReadLinesCreating(const QString& path, const QStringList& whenMissing,
                                                         QString* error)
{
    if (!QFileInfo::exists(path)
        && !(QDir().mkpath(QFileInfo(path).absolutePath())
             && SaveFileAtomically(path, LineWriter::JoinLines(whenMissing), error))) {
        return std::nullopt;
    }
    return ReadLines(path, error);
}

QStringList LineReader::SplitLines(QByteArrayView bytes)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const bool lastWithoutEnd = end < 0;
        if (lastWithoutEnd) {
            end = bytes.size();
        }
        qsizetype stop = end;
        if (!lastWithoutEnd && stop > start && bytes[stop - 1] == '\r') {
            --stop;
        }
        lines << FromWindows1252(bytes.sliced(start, stop - start));
        start = end + 1;
    }
    return lines;
}

QString LineReader::next()
{
    if (atEnd()) {
        next_ = lines_.size() + 1;
        errors_ << QStringLiteral("Unerwartetes Dateiende nach Zeile %1").arg(lines_.size());
        return {};
    }
    return lines_[next_++];
}

int LineReader::number(const QString& text, const QString& what, int fallback)
{
    if (const auto value = ParseInt(text)) {
        return *value;
    }
    fail(QStringLiteral("%1 ist keine Zahl: »%2«").arg(what, text));
    return fallback;
}

void LineReader::fail(const QString& message)
{
    errors_ << QStringLiteral("Zeile %1: %2").arg(lineNumber()).arg(message);
}

QByteArray LineWriter::JoinLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += ToWindows1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

QByteArray LineWriter::bytes() const
{
    return JoinLines(lines_);
}

bool LineWriter::save(const QString& path, QString* error) const
{
    return SaveFileAtomically(path, bytes(), error);
}
