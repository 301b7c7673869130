#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

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

// The text of UTF-8 bytes of a file, a U+FEFF at their start kept as a character:
// QString::fromUtf8 would drop it as a byte order mark, and a value or name that
// begins with one would not read back as written.
QString utf8Text(const QByteArray &bytes);

// How a file's dialect compares names: each maps a raw section or key name to a
// text in which two names that match are the same text.
struct Names {
    QString (*section)(const QByteArray &raw);
    QString (*key)(const QByteArray &raw);
};

class Document;

// Where the keys of a document are, by name, found in one pass over its lines. Only
// valid while the document is unchanged. A section's keys are gathered on the first
// look into that section, so a large file costs little beyond its sections' headers.
class Index {
public:
    Index(const Document &doc, Names names);

    // The first key line of the first matching section that has it; -1 when none.
    // Both names in their matched form (Names).
    qsizetype find(const QString &section, const QString &key) const;

    // The header of the first section of that name and the last key line in it
    // (-1 when the section has no key); header -1 when there is no such section.
    struct Place {
        qsizetype header = -1;
        qsizetype lastKey = -1;
    };
    Place place(const QString &section) const;

private:
    struct Section {
        QList<std::pair<qsizetype, qsizetype>> spans; // [first line, end) of each header's lines
        Place place;
        bool keysKnown = false;
        QHash<QString, qsizetype> keys; // first line of each key
    };
    const Section *section(const QString &name) const;

    const Document &doc_;
    Names names_;
    mutable QHash<QString, Section> sections_;
};

class Document {
public:
    // The lines refer to data's bytes; data is kept with the document.
    static Document fromBytes(const QByteArray &data);
    QByteArray toBytes() const;

    // The line end for lines we add: the one the file uses first, else "\n".
    QByteArray newline() const;

    struct Change {
        QString key;         // in its matched form (Names)
        QByteArray keyText;  // as a new key line writes it
        QByteArray value;    // as the file holds it
    };
    // Sets every key of one section in a single pass. A key found (as Index::find
    // finds it) gets its value replaced in place, the text up to the value kept; the
    // others go, in their order, after the last key of the first matching section, or
    // into a new section "[sectionText]" appended at the end of the file. A key
    // named twice takes the last value.
    void setValues(Names names, const QString &section, const QByteArray &sectionText,
                   const QList<Change> &changes);

    QList<Line> lines;

private:
    QByteArray source_;
};

// Writes data to path through a temporary file that replaces it by rename, after the
// data and then the folder have been flushed to disk. False when it could not, with
// the reason as the system gives it in *error.
bool writeAtomically(const QString &path, const QByteArray &data, QString *error = nullptr);

} // namespace tavrik::core::inifile
