#include "LogLine.h"

#include <cstdio>

std::string formatLogLine(const LogHeader& header, const LogTime& time, std::uint32_t processId,
                          std::uint32_t threadId, const std::string& component, int width,
                          int depth, const char* text)
{
    std::string line;
    char field[64];
    if (header.clock) {
        std::snprintf(field, sizeof field, "%04d/%02d/%02d-%02d:%02d:%02d.%03d ", time.year,
                      time.month, time.day, time.hour, time.minute, time.second,
                      time.milliseconds);
        line += field;
    }
    if (header.processId) {
        std::snprintf(field, sizeof field, "pid=%04lx ", static_cast<unsigned long>(processId));
        line += field;
    }
    if (header.threadId) {
        std::snprintf(field, sizeof field, "tid=%04lx ", static_cast<unsigned long>(threadId));
        line += field;
    }
    line += component;
    if (width > 0 && component.size() < static_cast<std::size_t>(width))
        line.append(static_cast<std::size_t>(width) - component.size(), ' ');
    line += ' ';
    if (depth > 0)
        line.append(static_cast<std::size_t>(depth), ' ');
    if (text != nullptr)
        line += text;
    return line;
}

bool FlagCache::lookup(const std::string& name, std::uint32_t now, std::uint32_t maxAge,
                       std::uint32_t& value) const
{
    auto found = entries_.find(name);
    if (found == entries_.end())
        return false;
    if (!isFresh(found->second.second, now, maxAge))
        return false;
    value = found->second.first;
    return true;
}

void FlagCache::store(const std::string& name, std::uint32_t value, std::uint32_t now)
{
    entries_[name] = {value, now};
}
