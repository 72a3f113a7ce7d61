// The text of one log line and the freshness rule of the logging flag cache:
// the portable halves of the logger.
#pragma once

#include <cstdint>
#include <map>
#include <string>

struct LogTime {
    int year, month, day, hour, minute, second, milliseconds;
};

struct LogHeader {
    bool clock;
    bool processId;
    bool threadId;
};

// [yyyy/mm/dd-hh:mm:ss.mmm ][pid=xxxx ][tid=xxxx ]<component padded to
// width, never cut> <one space per depth><text>, without the line end.
std::string formatLogLine(const LogHeader& header, const LogTime& time, std::uint32_t processId,
                          std::uint32_t threadId, const std::string& component, int width,
                          int depth, const char* text);

// Tick arithmetic is modular, so freshness survives the 49.7-day wrap.
inline bool isFresh(std::uint32_t readAt, std::uint32_t now, std::uint32_t maxAge)
{
    return static_cast<std::uint32_t>(now - readAt) < maxAge;
}

// One yes/no answer with the tick at which it was found out.
class CachedAnswer {
public:
    bool lookup(std::uint32_t now, std::uint32_t maxAge, bool& answer) const
    {
        if (!known_ || !isFresh(readAt_, now, maxAge))
            return false;
        answer = answer_;
        return true;
    }
    void store(bool answer, std::uint32_t now)
    {
        answer_ = answer;
        readAt_ = now;
        known_ = true;
    }
    void clear() { known_ = false; }

private:
    bool answer_ = false;
    bool known_ = false;
    std::uint32_t readAt_ = 0;
};

// Flag values with the tick at which each was read from the registry.
class FlagCache {
public:
    // True, with the value, when the name was read less than maxAge ms ago.
    bool lookup(const std::string& name, std::uint32_t now, std::uint32_t maxAge,
                std::uint32_t& value) const;
    void store(const std::string& name, std::uint32_t value, std::uint32_t now);
    void clear() { entries_.clear(); }

private:
    std::map<std::string, std::pair<std::uint32_t, std::uint32_t>> entries_;
};
