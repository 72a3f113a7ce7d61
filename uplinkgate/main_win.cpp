// uplinkgate: loads the upload library named on the command line and hands
// it the upload arguments. It reports nothing through its exit code.
#include "AppException.h"
#include "CommandLineParser.h"
#include "GateLog.h"
#include "PelUploader.h"

#include <windows.h>

namespace {

void run(const char* argumentText)
{
    gateLog("+PelmoraWebGateway Exe is called with arg:");
    gateLog(argumentText != nullptr ? argumentText : "");
    try {
        // The whole line, not the CRT's split: callers start the gateway with
        // "/L" first, and a line that begins with the program name uploads nothing.
        CCommandLineParser parser(GetCommandLineA());
        if (parser.libraryOption()) {
            std::string arguments;
            parser.joinUploadArguments(arguments);
            CPelUploader().upload(parser.libraryPath(), arguments);
        }
    } catch (const std::exception&) {
        // CAppException, whose cause the log already tells, or lack of
        // memory; either way the run ends here and still says so.
    }
    gateLog("Pelmora WebGateway Exe ends");
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR argumentText, int)
{
    try {
        run(argumentText);
    } catch (...) {
        // Not even the closing line could be written; the exit code stays 0.
    }
    return 0;
}
