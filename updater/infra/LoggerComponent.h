// A source of log lines; its name is also the registry value of its level mask.
#pragma once

#include <cstdint>
#include <string>

class LoggerComponent {
public:
    LoggerComponent(const char* name, std::uint32_t defaultMask) : name_(name), mask_(defaultMask) {}
    virtual ~LoggerComponent() = default;

    virtual std::string getName() const { return name_; }
    virtual void setMask(std::uint32_t mask) { mask_ = mask; }
    virtual std::uint32_t getMask() const { return mask_; }

private:
    std::string name_;
    std::uint32_t mask_;
};

namespace logcomponent {
extern LoggerComponent All;       // global mask, consulted for every line
extern LoggerComponent Updater;   // entry, orchestration, adapter, URLs, spooler
extern LoggerComponent RulesEng;  // printer enumeration, market codes
extern LoggerComponent JSW;       // settings installer and INI reader
extern LoggerComponent Catalog;   // defined for the product line, unused here
}  // namespace logcomponent

namespace loglevel {
constexpr std::uint32_t None = 0;
constexpr std::uint32_t Error = 1;  // exception handlers: always written
constexpr std::uint32_t Trace = 2;  // entry and exit of traced functions
constexpr std::uint32_t Info = 4;
constexpr std::uint32_t Detail = 8;  // messages inside a traced function
constexpr std::uint32_t Debug = 16;
constexpr std::uint32_t Everything = 0xFFFFFFFF;
}  // namespace loglevel
