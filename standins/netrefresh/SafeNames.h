// What a name coming from a server or an archive may look like before it
// becomes part of a local path.
#pragma once

#include <string>

// CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension, any case:
// Windows opens the device instead of a file of that name.
bool isReservedDeviceName(const std::string& component);

// One path component written by an archive: 1 to 255 characters, no control
// characters, none of <>:"/\|?*, not "." or "..", no trailing dot or space
// (Windows strips them, so ".. " would become ".."), not a device name.
bool isSafeArchiveComponent(const std::string& component);

// The local file name of a downloaded package: 1 to 240 characters of
// letters, digits, '.', '_' and '-', not starting with '.', not a device name.
bool isSafePackageFileName(const std::string& name);
