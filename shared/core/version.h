#pragma once

#include <QString>

namespace tavrik::core {

// A program's version, four numbers as the build gives them (3.2.0.74).
struct Version {
    int major;
    int minor;
    int patch;
    int revision;
};

// How the programs write their version: major.minor.revision, the revision plain
// (3.2.74) or with four digits (3.2.0074).
enum class Revision { Plain, FourDigits };
QString versionText(const Version &v, Revision style);

} // namespace tavrik::core
