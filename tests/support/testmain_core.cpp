// The main function of the executables of tests that need Qt Core alone.
#include "tests/support/testregistry.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    const std::optional<testing::RegisteredTest> test = testing::testNamed(argc, argv);
    if (!test)
        return 2;
    if (test->kind == testing::AppKind::None)
        return testing::runTest(*test, argc, argv);
    QCoreApplication app(argc, argv);
    return testing::runTest(*test, argc, argv);
}
