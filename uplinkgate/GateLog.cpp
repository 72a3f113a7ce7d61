#include "GateLog.h"

#include <cstdio>

std::string gateLogStamp(int month, int day, int year, int hour, int minute, int second)
{
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%02d/%02d/%d %02d:%02d:%02d: ", month, day, year, hour,
                  minute, second);
    return stamp;
}
