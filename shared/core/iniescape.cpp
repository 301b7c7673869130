#include "shared/core/iniescape.h"

#include "shared/core/inifile.h"

#include <cstring>

namespace tavrik::core {

namespace inistore {

namespace {

bool isHex(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

uint hexValue(char c)
{
    return c <= '9' ? uint(c - '0') : uint((c | 0x20) - 'a' + 10);
}

QByteArray hex(uint v, int width)
{
    return QByteArray::number(v, 16).toUpper().rightJustified(width, '0');
}

} // namespace

QByteArray escapedName(const QString &name)
{
    QByteArray out;
    for (QChar qc : name) {
        const char16_t c = qc.unicode();
        if (c == u'/') {
            out += '\\'; // QSettings' group separator
        } else if (c > 0x20 && c < 0x7F && !std::strchr("%=;\"\\[],#", char(c))) {
            out += char(c);
        } else if (c <= 0xFF) {
            out += '%' + hex(c, 2);
        } else {
            out += "%U" + hex(c, 4);
        }
    }
    return out;
}

QString unescapedName(const QByteArray &raw)
{
    const QString s = inifile::utf8Text(raw);
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size();) {
        const QChar c = s[i];
        if (c == u'\\') {
            out += u'/';
            ++i;
            continue;
        }
        if (c == u'%' && i + 1 < s.size()) {
            const bool wide = s[i + 1] == u'U';
            const qsizetype first = i + (wide ? 2 : 1);
            const int digits = wide ? 4 : 2;
            bool ok = first + digits <= s.size();
            for (qsizetype j = first; ok && j < first + digits; ++j)
                ok = isHex(s[j].unicode());
            if (ok) {
                out += QChar(s.mid(first, digits).toUShort(nullptr, 16));
                i = first + digits;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

QByteArray escapedValue(const QString &value)
{
    // A leading '@' marks a typed value for QSettings; a text one doubles it.
    const QString s = value.startsWith(u'@') ? u'@' + value : value;
    QByteArray out;
    QString plain; // characters written as UTF-8, collected so that pairs stay whole
    auto flush = [&] {
        out += plain.toUtf8();
        plain.clear();
    };
    bool needsQuotes = false;
    bool escapeNextIfHex = false;
    for (QChar qc : s) {
        const char16_t c = qc.unicode();
        if (c == u';' || c == u',' || c == u'=')
            needsQuotes = true;
        // After a numeric escape a hex digit would be read as part of it.
        if (escapeNextIfHex && isHex(c)) {
            flush();
            out += "\\x" + QByteArray::number(uint(c), 16);
            continue;
        }
        escapeNextIfHex = false;
        const char *named = nullptr;
        switch (c) {
        case u'\a': named = "\\a"; break;
        case u'\b': named = "\\b"; break;
        case u'\f': named = "\\f"; break;
        case u'\n': named = "\\n"; break;
        case u'\r': named = "\\r"; break;
        case u'\t': named = "\\t"; break;
        case u'\v': named = "\\v"; break;
        case u'"': named = "\\\""; break;
        case u'\\': named = "\\\\"; break;
        default: break;
        }
        if (named) {
            flush();
            out += named;
        } else if (c <= 0x1F || c == 0xFEFF) {
            // U+FEFF too: a reader that takes it for a byte order mark drops it.
            flush();
            out += "\\x" + QByteArray::number(uint(c), 16);
            escapeNextIfHex = true;
        } else {
            plain += qc;
        }
    }
    flush();
    if (needsQuotes || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

QString unescapedValue(const QByteArray &raw)
{
    QString out;
    QByteArray bytes;  // plain bytes not yet decoded
    QByteArray blanks; // unquoted blanks, kept only when something follows
    auto flush = [&] {
        out += inifile::utf8Text(bytes);
        bytes.clear();
    };
    auto takeBlanks = [&] {
        bytes += blanks;
        blanks.clear();
    };
    auto appendChar = [&](char16_t c) {
        takeBlanks();
        flush();
        out += QChar(c);
    };

    bool quoted = false;
    qsizetype i = 0;
    while (i < raw.size() && inifile::isBlank(raw[i]))
        ++i;
    while (i < raw.size()) {
        const char c = raw[i++];
        if (c == '"') {
            takeBlanks();
            quoted = !quoted;
        } else if (c == ';' && !quoted) {
            break; // the rest of the line is a comment
        } else if (!quoted && inifile::isBlank(c)) {
            blanks += c;
        } else if (c != '\\') {
            takeBlanks();
            bytes += c;
        } else if (i < raw.size()) {
            const char e = raw[i++];
            switch (e) {
            case 'a': appendChar(u'\a'); break;
            case 'b': appendChar(u'\b'); break;
            case 'f': appendChar(u'\f'); break;
            case 'n': appendChar(u'\n'); break;
            case 'r': appendChar(u'\r'); break;
            case 't': appendChar(u'\t'); break;
            case 'v': appendChar(u'\v'); break;
            case 'x': {
                uint v = 0;
                while (i < raw.size() && isHex(uchar(raw[i])))
                    v = (v * 16 + hexValue(raw[i++])) & 0xFFFF;
                appendChar(char16_t(v));
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    uint v = uint(e - '0');
                    while (i < raw.size() && raw[i] >= '0' && raw[i] <= '7')
                        v = (v * 8 + uint(raw[i++] - '0')) & 0xFFFF;
                    appendChar(char16_t(v));
                } else {
                    takeBlanks();
                    bytes += e; // \" \\ \' \? and anything else: the character itself
                }
            }
        }
    }
    flush();

    if (out.startsWith(QLatin1String("@@")))
        out.remove(0, 1);
    else if (out.endsWith(u')')) {
        for (QLatin1String typed : {QLatin1String("@String("), QLatin1String("@ByteArray(")})
            if (out.startsWith(typed))
                return out.mid(typed.size(), out.size() - typed.size() - 1);
    }
    return out;
}

} // namespace inistore

} // namespace tavrik::core
