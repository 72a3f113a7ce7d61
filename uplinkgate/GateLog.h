// The gateway's own log: "%ALLUSERSPROFILE%\UplinkGateLog.log", written only
// while HKLM\SOFTWARE\Pelmora "catslog" holds the number 1. The switch is read
// again for every line, so it can be flipped during a run.
#pragma once

#include <string>

// "MM/DD/YYYY hh:mm:ss: ", the prefix of every line.
std::string gateLogStamp(int month, int day, int year, int hour, int minute, int second);

// Appends one line. Lines are written whole, however long; a line that cannot
// be written is lost without a word, as a log must never stop the upload.
void gateLog(const std::string& message);
