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

// The lock of both main windows: the menu item's caption (both keep the mnemonic, so
// L in the open menu locks and unlocks alike), and the window's title while locked.
QString lockMenuCaption(bool locked);
QString lockedTitle(const Version &v);

} // namespace tavrik::core
