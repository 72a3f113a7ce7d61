// The Updater's error objects. Every failing Win32 call travels as a
// Win32Exception; handlers log describe() or turn the code into the thread's
// last-error value.
#pragma once

#include <cstdint>
#include <string>

class Exception {
public:
    Exception(const std::string& message, std::int32_t code, const std::string& sourceFile,
              std::int32_t line);
    virtual ~Exception();

    // The decimal code, or empty for code 0.
    virtual std::string codeText() const;
    virtual std::int32_t getCode() const { return code_; }
    virtual std::string getMessage() const { return message_; }

    // "file:<file>:<line>: <message>: <codeText>", each part only when present.
    std::string describe() const;

protected:
    std::string message_;
    std::int32_t code_;
    std::string sourceFile_;
    std::int32_t line_;
};

class Win32Exception : public Exception {
public:
    using Exception::Exception;

    // "Win32(<code><system text>" - no closing parenthesis, as logs have
    // always shown it.
    std::string codeText() const override;
};

// The system's English (1033) text for a Win32 code, at most 255 characters,
// without line breaks; "Error getting message:<error>" when there is none.
std::string systemMessage(std::uint32_t code);
