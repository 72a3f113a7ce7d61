// The gateway's one error type. Its message is never shown or logged: a run
// that raises it simply ends, and the log already says why.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

class CAppException : public std::exception {
public:
    static constexpr std::size_t kMaxMessage = 1000;

    // A nonzero code appends a line feed and the system's text for it.
    explicit CAppException(const std::string& message, std::uint32_t code = 0);
    ~CAppException() override;

    std::uint32_t code() const { return code_; }
    const std::string& message() const { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::uint32_t code_;
    std::string message_;
};

// The system's message text for a Win32 error code (language neutral), or
// false when the system has none. Provided per platform.
bool systemMessageText(std::uint32_t code, std::string& text);
