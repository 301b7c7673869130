// The main function of the executables of tests with widgets: an application object
// as QTEST_MAIN makes it.
#include "tests/support/screens.h"
#include "tests/support/testregistry.h"

#include <QApplication>

int main(int argc, char **argv)
{
    const std::optional<testing::RegisteredTest> test = testing::testNamed(argc, argv);
    if (!test)
        return 2;
    switch (test->kind) {
    case testing::AppKind::None:
        return testing::runTest(*test, argc, argv);
    case testing::AppKind::Core: {
        QCoreApplication app(argc, argv);
        return testing::runTest(*test, argc, argv);
    }
    case testing::AppKind::TwoScreens: {
        QTemporaryFile config;
        if (!testing::configureTwoScreens(config))
            qFatal("cannot write the screen set-up");
        QApplication app(argc, argv);
        if (QGuiApplication::screens().size() != 2)
            qFatal("the offscreen platform gave %d screens", int(QGuiApplication::screens().size()));
        return testing::runTest(*test, argc, argv);
    }
    case testing::AppKind::Gui:
        break;
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    return testing::runTest(*test, argc, argv);
}
