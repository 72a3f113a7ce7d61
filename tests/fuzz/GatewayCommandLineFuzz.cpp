// The gateway's raw command line: tokens, the library option and the request
// handed to the upload library.
#include "AppException.h"
#include "CommandLineParser.h"
#include "UploadRequest.h"

#include "FuzzCheck.h"

#include <cstdint>

namespace {

// A line without tokens: only spaces, or a first quote that never closes.
bool hasNoTokens(const std::string& line)
{
    std::size_t last = line.find_last_not_of(' ');
    if (last == std::string::npos)
        return true;
    return line[0] == '"' && line.find('"', 1) > last;
}

bool opensWithLibraryOption(const std::string& line)
{
    return line.compare(0, 2, "/L") == 0 && (line.size() == 2 || line[2] == ' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string line = FuzzText(data, size);
    try {
        CCommandLineParser parser(line);
        FUZZ_CHECK(parser.tokenCount() >= 1);
        std::string text;
        FUZZ_CHECK(!parser.token(0, text));
        FUZZ_CHECK(!parser.token(parser.tokenCount() + 1, text));
        std::string expectedArguments;
        for (std::size_t i = 1; i <= parser.tokenCount(); ++i) {
            FUZZ_CHECK(parser.token(i, text));
            FUZZ_CHECK(line.find(text) != std::string::npos);
            if (!text.empty() && text[0] == '"')
                FUZZ_CHECK(text.size() >= 2 && text.back() == '"' && text.find('"', 1) == text.size() - 1);
            else
                FUZZ_CHECK(text.find(' ') == std::string::npos && (i == 1 || !text.empty()));
            if (i >= 3)
                expectedArguments += (i > 3 ? " " : "") + text;
        }
        std::string first;
        parser.token(1, first);
        FUZZ_CHECK(parser.libraryOption() == (first == "/L"));
        if (parser.libraryOption()) {
            FUZZ_CHECK(parser.token(2, text) && text == parser.libraryPath());
        } else {
            FUZZ_CHECK(parser.libraryPath().empty());
        }

        std::string arguments;
        parser.joinUploadArguments(arguments);
        FUZZ_CHECK(arguments == expectedArguments);

        const std::string& path = parser.libraryPath();
        const std::string unquoted = unquotedLibraryPath(path);
        if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
            FUZZ_CHECK(unquoted == path.substr(1, path.size() - 2));
        else if (path.empty() || path.front() != '"')
            FUZZ_CHECK(unquoted == path);

        // A request is refused whole or passed whole: never cut.
        const std::string refusal = uploadRefusal(path, arguments);
        FUZZ_CHECK(refusal.empty() == (path.size() <= kMaxLibraryPath && arguments.size() <= kMaxUploadArguments));
    } catch (const CAppException&) {
        FUZZ_CHECK(hasNoTokens(line) || opensWithLibraryOption(line));
    }
    return 0;
}
