// Line files: every project file is Windows-1252 text with CR LF after every line, the last one
// included. Reading accepts LF alone as well.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Walks the lines of a file for a reader and collects its errors, each with its line number,
// so that the reader can report them all in one message and go on or stop as it needs.
class LineReader {
public:
    explicit LineReader(QStringList lines);
    // Reads and decodes a whole file; nullopt with a German error when it cannot be read.
    static std::optional<LineReader> open(const QString& path, QString* error);
    // All lines of a file; nullopt with a German error when it cannot be read.
    static std::optional<QStringList> ReadLines(const QString& path, QString* error);
    // Like ReadLines, but a missing file (and its folder) is first created with `whenMissing`.
    static std::optional<QStringList> ReadLinesCreating(const QString& path, const QStringList& whenMissing,
                                                        QString* error);
    // Decodes and splits at CR LF or LF. A line end after the last line adds no empty line.
    static QStringList SplitLines(QByteArrayView bytes);

    bool atEnd() const { return next_ >= lines_.size(); }
    // The next line. Past the end it records "Unerwartetes Dateiende" and returns "".
    QString next();
    // 1-based number of the line last returned by next().
    int lineNumber() const { return static_cast<int>(next_); }
    int lineCount() const { return static_cast<int>(lines_.size()); }
    const QStringList& lines() const { return lines_; }

    // The integer in `text`. When it is none, records "Zeile n: <what> ist keine Zahl: »text«"
    // and returns `fallback`.
    int number(const QString& text, const QString& what, int fallback = 0);
    // Records an error for the current line.
    void fail(const QString& message);

    bool ok() const { return errors_.isEmpty(); }
    QStringList errors() const { return errors_; }
    QString errorText() const { return errors_.join(u'\n'); }

private:
    QStringList lines_;
    qsizetype next_ = 0;
    QStringList errors_;
};

// Collects the lines of a file and writes them in one atomic save.
class LineWriter {
public:
    LineWriter& operator<<(const QString& line)
    {
        lines_ << line;
        return *this;
    }
    const QStringList& lines() const { return lines_; }
    // Windows-1252 with CR LF after every line.
    QByteArray bytes() const;
    static QByteArray JoinLines(const QStringList& lines);
    bool save(const QString& path, QString* error) const;

private:
    QStringList lines_;
};
