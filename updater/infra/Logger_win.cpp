#include "Logger.h"

#include "Exception.h"
#include "Localize.h"
#include "Paths.h"
#include "Settings.h"

namespace {

CriticalSection singletonLock;
BasicLogger* singleton = nullptr;
// Set when the logger could not get its mutex or path: nothing is written.
bool loggingBroken = false;

// A path without a directory goes to the root of the Windows drive.
std::string resolvePath(const std::string& path)
{
    if (path.find('\\') != std::string::npos)
        return path;
    char windows[261];
    UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    std::string root = (length == 0 || length > 260) ? std::string("c:\\")
                                                     : std::string(windows, length).substr(0, 3);
    return root + path;
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle()
    {
        if (valid())
            CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

bool settingsStoreValid()
{
    try {
        return Settings().isValid();
    } catch (...) {
        return false;
    }
}

}  // namespace

BasicLogger::BasicLogger(const std::string& path, int componentWidth)
    : componentWidth_(componentWidth), security_(false), ticks_(&GetTickCount)
{
    try {
        mutex_.reset(new Mutex(false, "PMLOG_" + fileNameOf(path), true));
        path_ = resolvePath(path);
    } catch (const Win32Exception&) {
        loggingBroken = true;
    }
}

BasicLogger::~BasicLogger() = default;

BasicLogger& BasicLogger::getInstance()
{
    ScopedLock guard(&singletonLock);
    if (singleton == nullptr)
        throw Win32Exception("BasicLogger::getInstance()", 1, "", 0);
    return *singleton;
}

void BasicLogger::setTickSource(TickSource source)
{
    ScopedLock guard(&flagLock_);
    ticks_ = source;
    flags_.clear();
    store_.clear();
}

bool BasicLogger::isStoreValid(bool (*check)())
{
    ScopedLock guard(&flagLock_);
    DWORD now = ticks_();
    bool valid = false;
    if (store_.lookup(now, kFlagMaxAge, valid))
        return valid;
    valid = check();
    store_.store(valid, now);
    return valid;
}

long BasicLogger::setComponentWidth(int width)
{
    if (width == 0)
        return ERROR_INVALID_PARAMETER;
    componentWidth_ = width;
    return 0;
}

void BasicLogger::enterScope()
{
    ScopedLock guard(&depthLock_);
    ++depths_[GetCurrentThreadId()];
}

void BasicLogger::leaveScope()
{
    ScopedLock guard(&depthLock_);
    --depths_[GetCurrentThreadId()];
}

int BasicLogger::depthOf(DWORD threadId)
{
    ScopedLock guard(&depthLock_);
    return depths_[threadId];
}

void BasicLogger::readCachedFlag(const std::string& name, std::uint32_t& out,
                                 std::uint32_t defaultValue, DWORD maxAge)
{
    // Every writing thread comes through here; the registry read happens
    // under the lock too, so a name is never read twice at once.
    ScopedLock guard(&flagLock_);
    DWORD now = ticks_();
    if (flags_.lookup(name, now, maxAge, out))
        return;
    readFlag(name, out, defaultValue);
    flags_.store(name, out, now);
}

void BasicLogger::readFlag(const std::string& name, std::uint32_t& out, std::uint32_t defaultValue)
{
    out = defaultValue;
    if (name == "startLog") {
        FileHandle file(CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        out = file.valid() ? 0xFFFFFFFF : 0;
    }
}

bool BasicLogger::isEnabled(const LoggerComponent& component, std::uint32_t level)
{
    if (loggingBroken)
        return false;
    if (level & loglevel::Error)
        return true;
    // All three are read even while logging is off, so that a fresh store
    // shows every switch with its default for whoever wants to turn it on.
    std::uint32_t start = 0;
    readCachedFlag(setting::kStartLog.name, start, setting::kStartLog.defaultValue, kFlagMaxAge);
    std::uint32_t global = 0;
    readCachedFlag(logcomponent::All.getName(), global, logcomponent::All.getMask(), kFlagMaxAge);
    std::uint32_t own = 0;
    readCachedFlag(component.getName(), own, component.getMask(), kFlagMaxAge);
    if (start == 0)
        return false;
    return (level & (global | own)) != 0;
}

void BasicLogger::log(const LoggerComponent& component, std::uint32_t level,
                      const std::string& text)
{
    log(component, level, text.c_str());
}

void BasicLogger::log(const LoggerComponent& component, std::uint32_t level, const char* text)
{
    if (loggingBroken || !mutex_)
        return;
    std::uint32_t clock = 0;
    std::uint32_t processId = 0;
    std::uint32_t threadId = 0;
    readCachedFlag(setting::kClockInHeader.name, clock, setting::kClockInHeader.defaultValue,
                   kFlagMaxAge);
    readCachedFlag(setting::kProcessIdInHeader.name, processId,
                   setting::kProcessIdInHeader.defaultValue, kFlagMaxAge);
    readCachedFlag(setting::kThreadIdInHeader.name, threadId,
                   setting::kThreadIdInHeader.defaultValue, kFlagMaxAge);

    InterProcessLock lock(mutex_.get());
    SYSTEMTIME now;
    GetLocalTime(&now);
    LogTime time = {now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                    now.wMinute, now.wSecond, now.wMilliseconds};
    LogHeader header = {clock != 0, processId != 0, threadId != 0};
    std::string line = linePrefix(component, level, text);
    line += formatLogLine(header, time, GetCurrentProcessId(), GetCurrentThreadId(),
                          component.getName(), componentWidth_, depthOf(GetCurrentThreadId()),
                          text);
    line += lineSuffix(component, level, text);
    line += "\r\n";
    appendLine(line);
}

void BasicLogger::appendLine(const std::string& line)
{
    // The handle that finds the file present is the one written through: one
    // open per line. Only a missing file costs the hook and a second open.
    HANDLE opened = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, security_.securityAttributes(),
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        onLogFileMissing();
        opened = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, security_.securityAttributes(),
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    FileHandle file(opened);
    if (!file.valid())
        return;
    LONG high = 0;
    SetFilePointer(file.get(), 0, &high, FILE_END);
    DWORD written = 0;
    WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void BasicLogger::deleteLogFile()
{
    if (!mutex_)
        return;
    InterProcessLock lock(mutex_.get());
    DeleteFileA(path_.c_str());
}

void Logger::readFlag(const std::string& name, std::uint32_t& out, std::uint32_t defaultValue)
{
    try {
        Settings settings;
        // Reading with a default creates the key; without the program's own
        // branch that would bring back a store that was removed.
        if (!settings.isValid())
            return;
        unsigned long value = out;
        if (settings.getULongValue(setting::kLoggerKey, name, value, defaultValue, 0))
            out = static_cast<std::uint32_t>(value);
    } catch (...) {
        // No module identity: keep what the caller preset.
    }
}

std::string defaultLogFilePath()
{
    char folder[MAX_PATH];
    DWORD length = ExpandEnvironmentStringsA("%ALLUSERSPROFILE%\\", folder, MAX_PATH);
    std::string directory = (length == 0 || length > MAX_PATH) ? std::string()
                                                                : std::string(folder, length - 1);
    return directory + Localize::getInstance().getModulePrefix() + "JSW.log";
}

void createLogger()
{
    ScopedLock guard(&singletonLock);
    if (singleton != nullptr)
        return;
    loggingBroken = false;
    singleton = new Logger(defaultLogFilePath(), 25);
    singleton->setComponentWidth(15);
}

void destroyLogger()
{
    ScopedLock guard(&singletonLock);
    delete singleton;
    singleton = nullptr;
}

bool isLoggingEnabled(const LoggerComponent& component, std::uint32_t level)
{
    BasicLogger* logger;
    {
        ScopedLock guard(&singletonLock);
        logger = singleton;
    }
    if (logger == nullptr)
        return false;
    if (!logger->isStoreValid(&settingsStoreValid))
        return false;
    return logger->isEnabled(component, level);
}

void logError(const LoggerComponent& component, const std::string& text)
{
    try {
        BasicLogger::getInstance().log(component, loglevel::Error, text);
    } catch (...) {
        // No logger, no line.
    }
}

FunctionTrace::FunctionTrace(BasicLogger* logger, const LoggerComponent& component,
                             const std::string& name, std::uint32_t level, bool active)
    : component_(component), logger_(logger), level_(level)
{
    if (!active || logger_ == nullptr)
        return;
    if (!logger_->isEnabled(component_, level_))
        return;
    enabled_ = true;
    name_ = name;
    logger_->log(component_, level_, "+" + name_);
    logger_->enterScope();
}

FunctionTrace::~FunctionTrace()
{
    if (!enabled_)
        return;
    try {
        logger_->leaveScope();
        std::string line = "-" + name_;
        if (!result_.empty())
            line += " rc=" + result_;
        logger_->log(component_, level_, line);
    } catch (...) {
        // The exit line is best effort; a destructor must not throw.
    }
}

void FunctionTrace::log(const std::string& text)
{
    if (!enabled_)
        return;
    if (logger_->isEnabled(component_, loglevel::Detail))
        logger_->log(component_, level_, name_ + text);
}
