#include "Exception.h"

// Off Windows there is no message table; the lookup reports "not found" (317).
std::string systemMessage(std::uint32_t)
{
    return "Error getting message:317";
}
