#pragma once

#include <QString>

// The precision menu of both programs: index ("Speed", shared in the settings store)
// to the interval of the stopwatch's tick.
namespace tavrik::core {

constexpr int kPrecisionCount = 6;
constexpr int kDefaultSpeed = 2;

// The tick interval in ms for precision index `speed`; -1 when it is no index.
int precisionInterval(int speed);
// The menu caption of precision index `speed` ("最高(毫秒)" … "最低(秒)"); empty when none.
QString precisionCaption(int speed);

} // namespace tavrik::core
