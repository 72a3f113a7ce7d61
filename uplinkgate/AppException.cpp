#include "AppException.h"

CAppException::CAppException(const std::string& message, std::uint32_t code)
    : code_(code), message_(message)
{
    if (code != 0) {
        std::string systemText;
        message_ += '\n';
        message_ += systemMessageText(code, systemText) ? systemText
                                                        : "Win32 ERROR could not be retrieved";
    }
    if (message_.size() > kMaxMessage)
        message_.resize(kMaxMessage);
}

CAppException::~CAppException() = default;
