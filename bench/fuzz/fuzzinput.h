#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The input of the file fuzzers: a section name, a key, a value and the file's bytes,
// the first three each on a line of their own, so that seeds stay readable.
namespace tavrik::fuzz {

struct FileInput {
    QString section;
    QString key;
    QString value;
    QByteArray file;
};

inline FileInput splitInput(const uint8_t *data, size_t size)
{
    const QByteArray all = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    FileInput in;
    qsizetype at = 0;
    QString *fields[] = {&in.section, &in.key, &in.value};
    for (QString *field : fields) {
        const qsizetype nl = all.indexOf('\n', at);
        if (nl < 0) {
            *field = QString::fromUtf8(all.mid(at));
            at = all.size();
            break;
        }
        *field = QString::fromUtf8(all.mid(at, nl - at));
        at = nl + 1;
    }
    in.file = all.mid(at);
    return in;
}

// A broken promise of the code under test: abort, so libFuzzer keeps the input.
inline void check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

} // namespace tavrik::fuzz
