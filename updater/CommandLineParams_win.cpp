#include "CommandLineParams.h"

#include "CriticalSection.h"
#include "Logger.h"

namespace {

const LoggerComponent& updater = logcomponent::Updater;
CriticalSection lock;
CommandLineParams* singleton = nullptr;

}  // namespace

CommandLineParams& CommandLineParams::instance(const std::string& commandLine)
{
    ScopedLock guard(&lock);
    if (singleton == nullptr)
        singleton = new CommandLineParams(commandLine);
    return *singleton;
}

void CommandLineParams::destroy()
{
    ScopedLock guard(&lock);
    delete singleton;
    singleton = nullptr;
}

CommandLineParams::CommandLineParams(const std::string& commandLine) : commandLine_(commandLine)
{
    auto trace = FunctionTrace::begin(updater, [&] {
        return "CommandLineParams::CommandLineParams(" + commandLine + ") ";
    });
}

CommandLineParams::~CommandLineParams()
{
    auto trace = FunctionTrace::begin(
        updater, [] { return "CommandLineParams::~CommandLineParams() "; });
    commandLine_.clear();
}

bool CommandLineParams::containsUacParams() const
{
    auto trace = FunctionTrace::begin(
        updater, [] { return "CommandLineParams::containsUacParams() "; });
    bool result = containsElevationToken(commandLine_);
    trace.setResult(result ? 1 : 0);
    return result;
}
