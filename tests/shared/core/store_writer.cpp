// A second process for the settings store tests.
//   store_writer keys <folder> <prefix> <count>
//       saves <count> keys "<prefix><n>", one save each; exit 0 when every save reached
//       the file (at once, or later when the other process let go of the lock).
//   store_writer states <folder> <first generation>
//       saves the running state of generation after generation until killed (or a
//       million of them); prints "ready" once the first one is saved.
#include "shared/core/settingsstore.h"
#include "tests/shared/core/generations.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QLatin1String("keys")) {
        tavrik::core::IniSettingsStore store(args[2]);
        const int count = args[4].toInt();
        for (int n = 0; n < count; ++n) {
            const QString key = args[3] + QString::number(n);
            if (!store.save(tavrik::core::kSettingsApp, QStringLiteral("Race"), key,
                            key + QStringLiteral("=value,") + QString::number(n)) &&
                !store.pending())
                return 1;
        }
        return store.flush(60000) ? 0 : 1;
    }
    if (args.size() == 4 && args[1] == QLatin1String("states")) {
        tavrik::core::IniSettingsStore store(args[2]);
        const qint32 first = args[3].toInt();
        for (qint32 g = first; g < first + 1000000; ++g) {
            if (!testing::saveGeneration(store, g) && !store.pending())
                return 2;
            if (g == first) {
                if (!store.flush(15000))
                    return 2;
                std::puts("ready");
                std::fflush(stdout);
            }
        }
        return 0;
    }
    std::fprintf(stderr, "usage: store_writer keys FOLDER PREFIX COUNT | states FOLDER FIRST\n");
    return 64;
}
