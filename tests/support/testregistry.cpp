#include "tests/support/testregistry.h"

#include <QFileInfo>
#include <QList>
#include <QtTest>

#include <cstdio>
#include <memory>

namespace testing {

namespace {

QList<RegisteredTest> &registry()
{
    static QList<RegisteredTest> tests;
    return tests;
}

} // namespace

int registerTest(const char *sourceFile, AppKind kind, MakeTest make)
{
    const QByteArray file(sourceFile);
    registry().append({QFileInfo(QString::fromLocal8Bit(file)).completeBaseName().toLocal8Bit(), file, kind, make});
    return int(registry().size());
}

std::optional<RegisteredTest> testNamed(int argc, char **argv)
{
    if (argc >= 2)
        for (const RegisteredTest &t : registry())
            if (t.name == argv[1])
                return t;
    std::fprintf(stderr, "usage: %s TEST [QTest options]; the tests:\n", argc > 0 ? argv[0] : "tests");
    for (const RegisteredTest &t : registry())
        std::fprintf(stderr, "  %s\n", t.name.constData());
    return std::nullopt;
}

int runTest(const RegisteredTest &test, int argc, char **argv)
{
    // QTest sees the executable and the options, as if it were the test's own.
    QList<char *> args{argv[0]};
    for (int i = 2; i < argc; ++i)
        args.append(argv[i]);
    const std::unique_ptr<QObject> object(test.make());
    QTest::setMainSourcePath(test.sourceFile.constData());
    return QTest::qExec(object.get(), int(args.size()), args.data());
}

} // namespace testing
