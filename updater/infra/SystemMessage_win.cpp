#include "Exception.h"

#include <windows.h>

std::string systemMessage(std::uint32_t code)
{
    // Allocated rather than a fixed buffer: a long system text is cut to 255
    // characters instead of failing the lookup.
    char* text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 1033, reinterpret_cast<char*>(&text), 0, nullptr);
    if (length == 0 || text == nullptr)
        return "Error getting message:" + std::to_string(GetLastError());
    std::string message;
    for (DWORD i = 0; i < length && i < 255; ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            message += text[i];
    }
    LocalFree(text);
    return message;
}
