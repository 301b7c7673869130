// The settings store's reader and writer on any file, and the running state restored
// from it: the reading and every action on it end, without overflow.
#include "bench/fuzz/fuzzinput.h"
#include "shared/core/settingsstore.h"
#include "vexo3/engine/engine.h"
#include "vexo3/engine/persistence.h"

using namespace tavrik::core;
using tavrik::fuzz::check;

namespace {

// The file's bytes as a read-only store.
class BytesStore final : public SettingsStore {
public:
    explicit BytesStore(const QByteArray &data) : data_(data) {}
    QString read(const QString &, const QString &section, const QString &key, const QString &def) override
    {
        return storefile::value(data_, section, key).value_or(def);
    }
    bool save(const QString &, const QString &, const QString &, const QString &, QString *) override { return false; }
    bool saveAll(const QString &, const QString &, const KeyValues &, QString *) override { return false; }

private:
    QByteArray data_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const tavrik::fuzz::FileInput in = tavrik::fuzz::splitInput(data, size);
    storefile::value(in.file, in.section, in.key);

    // Whatever the file holds, a key saved reads back as saved, and a second key of
    // the same section does not disturb it.
    const QByteArray once = storefile::withValues(in.file, in.section, {{in.key, in.value}});
    check(storefile::value(once, in.section, in.key) == in.value, "the value saved is read back");
    const QString other = in.key + QStringLiteral("2");
    const QByteArray twice = storefile::withValues(once, in.section, {{other, in.section}});
    check(storefile::value(twice, in.section, in.key) == in.value, "a second key leaves the first");
    check(storefile::value(twice, in.section, other) == in.section, "the second value is read back");

    // The running state as the program restores it, then every action and a tick.
    BytesStore store(in.file);
    const qint32 today = 45000 + qint32(size % 20000);
    vexo3::SavedState s = vexo3::readState(store, vexo3::SavedState{}, today);
    vexo3::Stopwatch sw;
    sw.clock = s.clock;
    for (const vexo3::Now now : {vexo3::Now{today, 100.5f}, vexo3::Now{today + 1, 86399.99f}}) {
        sw.tick(now);
        sw.ActContinue(now);
        sw.tick(now);
        sw.ActPause(now);
        sw.ActStop(now);
        sw.ActStart(now);
        sw.tick(now);
    }
    return 0;
}
