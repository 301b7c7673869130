#include "shared/core/inifile.h"

#include "shared/core/failure.h"

#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace tavrik::core::inifile {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

namespace {

QByteArray trimmedBlanks(const QByteArray &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

} // namespace

LineInfo classify(const QByteArray &text, bool firstLine)
{
    LineInfo info;
    qsizetype p = 0;
    if (firstLine && text.startsWith("\xEF\xBB\xBF"))
        p = 3;
    while (p < text.size() && isBlank(text[p]))
        ++p;
    if (p == text.size()) {
        info.kind = LineKind::Blank;
        return info;
    }
    if (text[p] == ';') {
        info.kind = LineKind::Comment;
        return info;
    }
    if (text[p] == '[') {
        const qsizetype close = text.indexOf(']', p + 1);
        if (close < 0)
            return info; // not a header: neither starts nor ends a section
        info.kind = LineKind::Section;
        info.name = trimmedBlanks(text.mid(p + 1, close - p - 1));
        return info;
    }
    const qsizetype eq = text.indexOf('=', p);
    if (eq < 0)
        return info;
    info.kind = LineKind::Key;
    info.name = trimmedBlanks(text.mid(p, eq - p));
    qsizetype v = eq + 1;
    while (v < text.size() && isBlank(text[v]))
        ++v;
    info.valueStart = v;
    return info;
}

Document Document::fromBytes(const QByteArray &data)
{
    Document doc;
    qsizetype start = 0;
    while (start < data.size()) {
        const qsizetype nl = data.indexOf('\n', start);
        Line line;
        if (nl < 0) {
            line.text = data.mid(start);
            start = data.size();
        } else {
            qsizetype end = nl;
            if (end > start && data[end - 1] == '\r')
                --end;
            line.text = data.mid(start, end - start);
            line.eol = data.mid(end, nl + 1 - end);
            start = nl + 1;
        }
        doc.lines.append(std::move(line));
    }
    return doc;
}

QByteArray Document::toBytes() const
{
    QByteArray out;
    for (const Line &l : lines) {
        out += l.text;
        out += l.eol;
    }
    return out;
}

QByteArray Document::newline() const
{
    for (const Line &l : lines)
        if (!l.eol.isEmpty())
            return l.eol;
    return QByteArrayLiteral("\n");
}

qsizetype Document::findKey(const NameMatch &section, const NameMatch &key) const
{
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const LineInfo info = classify(lines[i].text, i == 0);
        if (info.kind == LineKind::Section)
            inSection = section(info.name);
        else if (inSection && info.kind == LineKind::Key && key(info.name))
            return i;
    }
    return -1;
}

void Document::setValue(const NameMatch &section, const NameMatch &key,
                        const QByteArray &sectionText, const QByteArray &keyText,
                        const QByteArray &value)
{
    const qsizetype found = findKey(section, key);
    if (found >= 0) {
        Line &l = lines[found];
        l.text = l.text.left(classify(l.text, found == 0).valueStart) + value;
        return;
    }

    const QByteArray nl = newline();
    auto insertAt = [&](qsizetype pos, const QByteArray &text) {
        if (pos > 0 && lines[pos - 1].eol.isEmpty())
            lines[pos - 1].eol = nl;
        lines.insert(pos, Line{text, nl});
    };
    const QByteArray keyLine = keyText + '=' + value;

    // A new key goes after the last key of the first matching section, so that blank
    // lines and comments before the next section stay where they are.
    qsizetype header = -1;
    qsizetype lastKey = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const LineInfo info = classify(lines[i].text, i == 0);
        if (info.kind == LineKind::Section) {
            if (header >= 0)
                break;
            if (section(info.name))
                header = i;
        } else if (header >= 0 && info.kind == LineKind::Key) {
            lastKey = i;
        }
    }
    if (header >= 0) {
        insertAt((lastKey >= 0 ? lastKey : header) + 1, keyLine);
        return;
    }
    insertAt(lines.size(), '[' + sectionText + ']');
    insertAt(lines.size(), keyLine);
}

bool writeAtomically(const QString &path, const QByteArray &data, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, file.errorString());
    if (file.write(data) != data.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, reason);
    }
    // commit() flushes the data to disk (fdatasync) before it renames.
    if (!file.commit())
        return fail(error, file.errorString());
    // The rename itself is on disk only once the folder is.
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return true;
}

} // namespace tavrik::core::inifile
