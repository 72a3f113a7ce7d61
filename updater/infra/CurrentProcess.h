// The full path of the running program, created on first use.
#pragma once

#include <string>

class CurrentProcess {
public:
    static CurrentProcess& instance();
    static void destroy();

    const std::string& path() const { return path_; }
    // Up to and including the last backslash; empty for an empty path.
    std::string directory() const;

private:
    CurrentProcess();
    std::string path_;
};
