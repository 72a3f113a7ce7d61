// What one run hands to the upload library.
//
// Upload libraries have always been given a library path of at most 767
// characters and argument text of at most 511. Longer input is refused whole,
// with a logged reason, so that no library ever receives a cut request.
#pragma once

#include <cstddef>
#include <string>

constexpr std::size_t kMaxLibraryPath = 767;
constexpr std::size_t kMaxUploadArguments = 511;

// The path as the loader wants it: without enclosing double quotes.
std::string unquotedLibraryPath(const std::string& path);

// Empty when the request fits; otherwise the log line that says why it is
// refused. The path is measured as written on the command line.
std::string uploadRefusal(const std::string& libraryPath, const std::string& arguments);
