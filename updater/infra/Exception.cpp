#include "Exception.h"

Exception::Exception(const std::string& message, std::int32_t code, const std::string& sourceFile,
                     std::int32_t line)
    : message_(message), code_(code), sourceFile_(sourceFile), line_(line)
{
}

Exception::~Exception() = default;

std::string Exception::codeText() const
{
    return code_ != 0 ? std::to_string(code_) : std::string();
}

std::string Exception::describe() const
{
    std::string text;
    if (!sourceFile_.empty())
        text = "file:" + sourceFile_ + ":" + std::to_string(line_) + ": ";
    text += message_;
    std::string code = codeText();
    if (!code.empty())
        text += ": " + code;
    return text;
}

std::string Win32Exception::codeText() const
{
    if (code_ == 0)
        return std::string();
    return "Win32(" + std::to_string(code_) + systemMessage(static_cast<std::uint32_t>(code_));
}
