// The profile file reader (Vexo.ini): any bytes, any names. What a write sets, a read
// gives back.
#include "bench/fuzz/fuzzinput.h"
#include "shared/core/profile.h"

using namespace tavrik::core;
using tavrik::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const tavrik::fuzz::FileInput in = tavrik::fuzz::splitInput(data, size);
    // No value holds a line break: this default is never a value.
    const QString def = QStringLiteral("\n");
    const QString read = profileValue(in.file, in.section, in.key, def);
    for (int n = 0; n < 4; ++n)
        GetField(read, n, QStringLiteral(","));

    QByteArray written = in.file;
    if (!setProfileValue(&written, in.section, in.key, in.value))
        return 0;
    const QString back = profileValue(written, in.section, in.key, def);
    const QByteArray bytes = in.value.toUtf8();
    const bool plain = bytes.size() <= 255 && (bytes.isEmpty() || !QByteArray(" \t\v\f").contains(bytes[0]));
    if (plain)
        check(back == in.value, "the value written is read back");
    else
        check(back != def, "a key written is found");
    return 0;
}
