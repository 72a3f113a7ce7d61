#include "AppException.h"

// Off Windows there is no system message table to consult.
bool systemMessageText(std::uint32_t, std::string&)
{
    return false;
}
