#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// The line model shared by the profile file and the settings store: a file is kept as
// its lines with their original bytes, so that a write changes one line (or adds some)
// and leaves every other byte as it was, whatever the encoding of the rest.
namespace tavrik::core::inifile {

struct Line {
    QByteArray text; // without the line end
    QByteArray eol;  // "\n", "\r\n" or empty for a last line without one
};

enum class LineKind { Blank, Comment, Section, Key, Other };

struct LineInfo {
    LineKind kind = LineKind::Other;
    QByteArray name;           // section or key name, blanks trimmed
    qsizetype valueStart = -1; // Key: index of the value in the text, leading blanks skipped
};

// ';' starts a comment, '[' a section header, and a line with '=' is a key; names
// are trimmed of blanks. A UTF-8 byte order mark on the first line is skipped.
LineInfo classify(const QByteArray &text, bool firstLine);

bool isBlank(char c);

class Document {
public:
    static Document fromBytes(const QByteArray &data);
    QByteArray toBytes() const;

    // The line end for lines we add: the one the file uses first, else "\n".
    QByteArray newline() const;

    using NameMatch = std::function<bool(const QByteArray &rawName)>;

    // The first key line of the first matching section that has it; -1 when none.
    qsizetype findKey(const NameMatch &section, const NameMatch &key) const;

    // Replaces the value of the key in place (the text up to the value stays), or
    // adds "keyText=value" after the last key of the first matching section, or
    // appends a new section "[sectionText]" with the key at the end of the file.
    void setValue(const NameMatch &section, const NameMatch &key, const QByteArray &sectionText,
                  const QByteArray &keyText, const QByteArray &value);

    QList<Line> lines;
};

// Writes data to path through a temporary file that replaces it by rename, after the
// data and then the folder have been flushed to disk. False when it could not, with
// the reason as the system gives it in *error.
bool writeAtomically(const QString &path, const QByteArray &data, QString *error = nullptr);

} // namespace tavrik::core::inifile
