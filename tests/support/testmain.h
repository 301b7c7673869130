#pragma once

// The tests of a folder are built into one executable, which CTest runs once for each
// test, naming it: "tests_vexo3_main tst_flist [QTest's options]". A test file
// registers its test object in place of QTEST_MAIN and its kin; the name is its file's
// (tst_flist.cpp: "tst_flist").

#include <QObject>

namespace testing {

// What the test needs before its object is made: no application, QCoreApplication,
// QApplication, or QApplication on two offscreen screens of different ratios
// (tests/support/screens.h).
enum class AppKind { None, Core, Gui, TwoScreens };
using MakeTest = QObject *(*)();

int registerTest(const char *sourceFile, AppKind kind, MakeTest make);

} // namespace testing

#define TAVRIK_TEST_REGISTER(TestObject, kind)                                                                       \
    [[maybe_unused]] static const int tavrik_registered_##TestObject =                                              \
        ::testing::registerTest(__FILE__, kind, []() -> QObject * { return new TestObject; });

#define TAVRIK_TEST_MAIN(TestObject) TAVRIK_TEST_REGISTER(TestObject, ::testing::AppKind::Gui)
#define TAVRIK_TEST_GUILESS_MAIN(TestObject) TAVRIK_TEST_REGISTER(TestObject, ::testing::AppKind::Core)
#define TAVRIK_TEST_APPLESS_MAIN(TestObject) TAVRIK_TEST_REGISTER(TestObject, ::testing::AppKind::None)
#define TAVRIK_TWO_SCREENS_MAIN(TestObject) TAVRIK_TEST_REGISTER(TestObject, ::testing::AppKind::TwoScreens)
