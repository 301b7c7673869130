#include "shared/core/inifile.h"

#include "shared/core/failure.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace tavrik::core::inifile {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

QString utf8Text(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

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

namespace {

// The first character that counts on a line: after blanks, and after a UTF-8 byte
// order mark on the first line.
qsizetype firstSignificant(const QByteArray &text, bool firstLine)
{
    qsizetype p = firstLine && text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (p < text.size() && isBlank(text[p]))
        ++p;
    return p;
}

bool isSectionLine(const QByteArray &text, bool firstLine)
{
    const qsizetype p = firstSignificant(text, firstLine);
    return p < text.size() && text[p] == '[' && text.indexOf(']', p + 1) >= 0;
}

} // namespace

Index::Index(const Document &doc, Names names) : doc_(doc), names_(names)
{
    QString current;
    qsizetype spanStart = -1;
    auto close = [&](qsizetype end) {
        if (spanStart >= 0)
            sections_[current].spans.append({spanStart, end});
    };
    for (qsizetype i = 0; i < doc.lines.size(); ++i) {
        const QByteArray &text = doc.lines[i].text;
        if (!isSectionLine(text, i == 0))
            continue;
        close(i);
        current = names_.section(classify(text, i == 0).name);
        spanStart = i + 1;
    }
    close(doc.lines.size());
}

const Index::Section *Index::section(const QString &name) const
{
    auto it = sections_.find(name);
    if (it == sections_.end())
        return nullptr;
    Section &s = *it;
    if (!s.keysKnown) {
        s.keysKnown = true;
        s.place.header = s.spans.first().first - 1;
        for (qsizetype n = 0; n < s.spans.size(); ++n) {
            for (qsizetype i = s.spans[n].first; i < s.spans[n].second; ++i) {
                const LineInfo info = classify(doc_.lines[i].text, i == 0);
                if (info.kind != LineKind::Key)
                    continue;
                if (n == 0)
                    s.place.lastKey = i;
                const QString name = names_.key(info.name);
                if (!s.keys.contains(name)) // the first one counts
                    s.keys.insert(name, i);
            }
        }
    }
    return &s;
}

qsizetype Index::find(const QString &section, const QString &key) const
{
    const Section *s = this->section(section);
    return s ? s->keys.value(key, -1) : -1;
}

Index::Place Index::place(const QString &section) const
{
    const Section *s = this->section(section);
    return s ? s->place : Place{};
}

Document Document::fromBytes(const QByteArray &data)
{
    static const QByteArray kLf = QByteArrayLiteral("\n");
    static const QByteArray kCrLf = QByteArrayLiteral("\r\n");
    Document doc;
    doc.source_ = data;
    const char *base = doc.source_.constData();
    qsizetype start = 0;
    const qsizetype size = doc.source_.size();
    while (start < size) {
        const qsizetype nl = doc.source_.indexOf('\n', start);
        Line line;
        if (nl < 0) {
            line.text = QByteArray::fromRawData(base + start, size - start);
            start = size;
        } else {
            qsizetype end = nl;
            const bool cr = end > start && base[end - 1] == '\r';
            if (cr)
                --end;
            line.text = QByteArray::fromRawData(base + start, end - start);
            line.eol = cr ? kCrLf : kLf;
            start = nl + 1;
        }
        doc.lines.append(std::move(line));
    }
    return doc;
}

QByteArray Document::toBytes() const
{
    qsizetype total = 0;
    for (const Line &l : lines)
        total += l.text.size() + l.eol.size();
    QByteArray out;
    out.reserve(total);
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

void Document::setValues(Names names, const QString &section, const QByteArray &sectionText,
                         const QList<Change> &changes)
{
    QList<Change> added;
    {
        const Index index(*this, names);
        for (const Change &c : changes) {
            const qsizetype found = index.find(section, c.key);
            if (found >= 0) {
                Line &l = lines[found];
                l.text = l.text.left(classify(l.text, found == 0).valueStart) + c.value;
                continue;
            }
            auto same = std::find_if(added.begin(), added.end(), [&](const Change &a) { return a.key == c.key; });
            if (same != added.end())
                same->value = c.value;
            else
                added.append(c);
        }
        if (added.isEmpty())
            return;
        const Index::Place place = index.place(section);
        QList<Line> fresh;
        const QByteArray nl = newline();
        qsizetype at = lines.size();
        if (place.header >= 0)
            at = (place.lastKey >= 0 ? place.lastKey : place.header) + 1;
        else
            fresh.append(Line{'[' + sectionText + ']', nl});
        for (const Change &c : added)
            fresh.append(Line{c.keyText + '=' + c.value, nl});
        if (at > 0 && lines[at - 1].eol.isEmpty())
            lines[at - 1].eol = nl;
        lines.insert(at, fresh.size(), Line{});
        std::move(fresh.begin(), fresh.end(), lines.begin() + at);
    }
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
