#pragma once

#include <QString>
#include <QStringList>

// Vexo3's command line: the options, and the commands they hand to the running copy
// (or to this one, once it has started).
namespace vexo3 {

// The commands as they travel to the running copy, one per option.
inline const QString kCmdShow = QStringLiteral("show");
inline const QString kCmdStartPause = QStringLiteral("start-pause");
inline const QString kCmdLap = QStringLiteral("lap");
inline const QString kCmdReset = QStringLiteral("reset");
inline const QString kCmdStatus = QStringLiteral("status");
// Every command the running copy takes.
QStringList knownCommands();
// The key a command acts as (Enter, Space, F3); 0 for one that is not a key's.
int commandKey(const QString &command);

// How a command started from the command line ends.
constexpr int kExitOk = 0;
constexpr int kExitRefused = 1; // the running copy would not (locked, wrong state)
constexpr int kExitUsage = 2;   // an option that is not there, an argument
constexpr int kExitNoAnswer = 3; // a copy runs but did not answer in time
constexpr int kExitUnchecked = 4; // no private folder for the socket: whether a copy runs is unknown

struct CommandLine {
    enum class Outcome { Run, Help, Version, Error };
    Outcome outcome = Outcome::Run;
    // The commands in the order the options were given (repeats kept).
    QStringList commands;
    // For Error: what standard error shows.
    QString message;
};

// arguments[0] is the program, as QCoreApplication::arguments() gives it. Options are
// also taken with one dash ("-lap").
CommandLine parseCommandLine(const QStringList &arguments);

// The text of --help; `command` is how the program was called.
QString helpText(const QString &command);

} // namespace vexo3
