// Path texts as the Updater builds them.
#pragma once

#include <string>

// left, one backslash unless left is non-empty and already ends in one, then
// right without one leading backslash.
std::string joinPath(const std::string& left, const std::string& right);

// Up to and including the last backslash; empty when there is none.
std::string directoryOf(const std::string& path);

// After the last backslash; the whole text when there is none.
std::string fileNameOf(const std::string& path);

// One folder name that stays where it is joined: 1 to 255 characters, no
// control characters, none of <>:"/\|?* (so no separator, drive or stream),
// not "." or "..", no trailing dot or space (Windows strips them), not a
// device name such as CON, NUL, COM1 or LPT1, with or without an extension.
bool isPlainFolderName(const std::string& name);
