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
