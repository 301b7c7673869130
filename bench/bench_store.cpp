// The settings store on a large file (junk from elsewhere around the program's own
// sections): what a start-up's reads and one action's save cost.
//   bench_store [megabytes=50]
#include "shared/core/settingsstore.h"
#include "vexo3/engine/persistence.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 50;
    QTemporaryDir dir;
    tavrik::core::IniSettingsStore store(dir.path());
    {
        QFile f(store.filePath(tavrik::core::kSettingsApp));
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        const QByteArray line = "some key from another program=a value of some length, as they come\n";
        QByteArray block;
        for (int i = 0; i < 1000; ++i)
            block += "[Other" + QByteArray::number(i % 50) + "]\n" + line + line + line;
        while (f.size() < qint64(megabytes) * 1024 * 1024)
            f.write(block);
    }
    vexo3::SavedState s;
    s.clock = {45000, 45296.13f, 0, 0.0f};
    s.timerEnabled = true;
    if (!vexo3::saveState(store, s))
        return 1;

    QElapsedTimer t;
    t.start();
    const vexo3::SavedState back = vexo3::readState(store, vexo3::SavedState{}, 45000);
    const qint64 readMs = t.elapsed();
    t.restart();
    const bool saved = vexo3::saveState(store, back);
    const qint64 saveMs = t.elapsed();
    t.restart();
    store.read(tavrik::core::kSettingsApp, vexo3::kDisplaySection, QStringLiteral("Speed"), QStringLiteral("2"));
    const qint64 rereadMs = t.elapsed();
    std::printf("file %d MB: the whole state read (%d keys) %lld ms, one save %lld ms%s, a read after it %lld ms\n",
                megabytes, int(vexo3::stateKeyValues(back).size()), readMs, saveMs, saved ? "" : " (failed)", rereadMs);
    return saved ? 0 : 1;
}
