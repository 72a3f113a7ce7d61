// The Updater's command line, kept for the one question asked of it: is this
// the copy started again through the elevation verb ("-UAC")?
#pragma once

#include <string>

constexpr const char* kElevationToken = "-UAC";

// True when text contains the token anywhere, letter case ignored.
bool containsElevationToken(const std::string& text);

class CommandLineParams {
public:
    // The first call fixes the text; later callers pass "" and get that object.
    static CommandLineParams& instance(const std::string& commandLine);
    static void destroy();

    bool containsUacParams() const;
    const std::string& commandLine() const { return commandLine_; }

private:
    explicit CommandLineParams(const std::string& commandLine);
    ~CommandLineParams();

    std::string commandLine_;
};
