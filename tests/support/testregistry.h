#pragma once

// The registered tests, for the executables' main functions.

#include "tests/support/testmain.h"

#include <QByteArray>
#include <optional>

namespace testing {

struct RegisteredTest {
    QByteArray name;
    QByteArray sourceFile;
    AppKind kind = AppKind::None;
    MakeTest make = nullptr;
};

// The test a command line names (argv[1]); without one, or with an unknown name, the
// names are listed on standard error.
std::optional<RegisteredTest> testNamed(int argc, char **argv);

// Runs the test with the rest of the command line (argv[0], then argv[2]...), once its
// application object exists (none for AppKind::None).
int runTest(const RegisteredTest &test, int argc, char **argv);

} // namespace testing
