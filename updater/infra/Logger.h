// The Updater's shared log. One file per module prefix, written by every
// process of the product: each line is built and appended under the named
// mutex "PMLOG_<file name>", with the file opened and closed per line so that
// others can append and anyone can delete it at any time.
#pragma once

#include "CriticalSection.h"
#include "LogLine.h"
#include "LoggerComponent.h"
#include "Mutex.h"
#include "Security.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

class BasicLogger {
public:
    // Flags are re-read from the registry at most this often per name.
    static constexpr DWORD kFlagMaxAge = 5000;

    BasicLogger(const std::string& path, int componentWidth);
    virtual ~BasicLogger();
    BasicLogger(const BasicLogger&) = delete;
    BasicLogger& operator=(const BasicLogger&) = delete;

    // Raises Win32Exception "BasicLogger::getInstance()", code 1, without one.
    static BasicLogger& getInstance();

    virtual void log(const LoggerComponent& component, std::uint32_t level,
                     const std::string& text);
    virtual void log(const LoggerComponent& component, std::uint32_t level, const char* text);
    virtual void deleteLogFile();
    virtual void readFlag(const std::string& name, std::uint32_t& out, std::uint32_t defaultValue);
    virtual void onLogFileMissing() {}
    virtual std::string linePrefix(const LoggerComponent&, std::uint32_t, const char*)
    {
        return std::string();
    }
    virtual std::string lineSuffix(const LoggerComponent&, std::uint32_t, const char*)
    {
        return std::string();
    }

    // 87 (and the old width kept) for width 0.
    long setComponentWidth(int width);
    bool isEnabled(const LoggerComponent& component, std::uint32_t level);
    void enterScope();
    void leaveScope();
    int depthOf(DWORD threadId);
    void readCachedFlag(const std::string& name, std::uint32_t& out, std::uint32_t defaultValue,
                        DWORD maxAge);

    // Whether the program's settings store is there, asked of `check` at most
    // once per kFlagMaxAge like the flags, so that a traced call with logging
    // off touches no registry key.
    bool isStoreValid(bool (*check)());

    const std::string& path() const { return path_; }

    // Tests replace the tick source to age the flag cache without waiting.
    typedef DWORD(WINAPI* TickSource)();
    void setTickSource(TickSource source);

private:
    void appendLine(const std::string& line);

    std::unique_ptr<Mutex> mutex_;
    std::string path_;
    int componentWidth_;
    CriticalSection depthLock_;
    std::map<DWORD, int> depths_;
    SecurityEveryone security_;
    CriticalSection flagLock_;
    FlagCache flags_;
    CachedAnswer store_;
    TickSource ticks_;
};

// Reads its flags from the "Logger" key of the program's settings store.
class Logger : public BasicLogger {
public:
    using BasicLogger::BasicLogger;
    void readFlag(const std::string& name, std::uint32_t& out, std::uint32_t defaultValue) override;
};

// "%ALLUSERSPROFILE%\" + module prefix + "JSW.log".
std::string defaultLogFilePath();

void createLogger();
void destroyLogger();
bool isLoggingEnabled(const LoggerComponent& component, std::uint32_t level);

// An exception handler's line (level 1): written whenever a logger exists.
void logError(const LoggerComponent& component, const std::string& text);

// One traced function: "+name" on entry, "-name rc=<result>" on exit, and
// the nesting shown by indentation.
class FunctionTrace {
public:
    FunctionTrace(BasicLogger* logger, const LoggerComponent& component, const std::string& name,
                  std::uint32_t level, bool active);
    ~FunctionTrace();
    FunctionTrace(const FunctionTrace&) = delete;
    FunctionTrace& operator=(const FunctionTrace&) = delete;

    bool enabled() const { return enabled_; }
    void setResult(long result) { result_ = std::to_string(result); }
    void setResult(const std::string& result) { result_ = result; }
    void log(const std::string& text);

    // The tracing idiom: the name is built only when the trace will be written.
    template <class NameFunction>
    static FunctionTrace begin(const LoggerComponent& component, NameFunction name)
    {
        bool on = isLoggingEnabled(component, loglevel::Trace);
        return FunctionTrace(on ? &BasicLogger::getInstance() : nullptr, component,
                             on ? std::string(name()) : std::string(), loglevel::Trace, on);
    }

private:
    std::string name_;
    const LoggerComponent& component_;
    std::string result_;
    bool enabled_ = false;
    BasicLogger* logger_;
    std::uint32_t level_;
};
