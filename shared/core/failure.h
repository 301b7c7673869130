#pragma once

#include <QString>

#include <cstring>

namespace tavrik::core {

// Every operation on files reports failure the same way: it returns false and, when
// the caller asks (a non-null error), says why in words fit for the user's box:
//     bool f(..., QString *error = nullptr);
// Only windows show boxes; everything below them just reports.
inline bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

// The system's own words for an errno value.
inline QString systemErrorText(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

} // namespace tavrik::core
