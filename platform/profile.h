#pragma once

#include <QString>

// The profile (INI) file with the semantics the programs were written against:
// sections and keys compared without regard to case, leading blanks of a value
// removed, values kept verbatim (commas and backslashes are data), at most 255 bytes
// of value, text in UTF-8.
namespace platform {

// One key of a profile file; a missing file, section or key gives the default, any
// other failure the empty text.
QString ReadIni(const QString &section, const QString &key, const QString &defaultValue,
                const QString &file);

// Writes one key, creating the file or the section when needed and keeping every
// other line as it was; the file is replaced atomically. Returns the empty text on
// success, else the reason.
QString writeProfileString(const QString &section, const QString &key, const QString &value,
                           const QString &file);

// writeProfileString that tells the user: "写入失败：" and the reason, titled "错误".
bool WriteIni(const QString &section, const QString &key, const QString &value,
              const QString &file);

// The n-th field (1-based) of text split at delimiter; empty when there are fewer.
QString GetField(const QString &text, int n, const QString &delimiter);

} // namespace platform
