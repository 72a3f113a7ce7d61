#include "CommandLineParser.h"

#include "AppException.h"

CCommandLineParser::CCommandLineParser(const std::string& commandLine)
    : commandLine_(commandLine)
{
    if (commandLine_.empty())
        throw CAppException("Invalid no of arguments");
    tokenise();
    findLibraryOption();
}

CCommandLineParser::~CCommandLineParser() = default;

// A token runs to the next space, or, when it opens with a double quote, to
// the closing quote, which stays part of it. A leading space therefore makes
// an empty first token, and a quote left open at the end drops that token.
void CCommandLineParser::tokenise()
{
    std::size_t size = commandLine_.find_last_not_of(' ');
    size = (size == std::string::npos) ? 0 : size + 1;
    commandLine_.resize(size);

    std::size_t start = 0;
    while (start < size) {
        std::size_t next;
        if (commandLine_[start] == '"') {
            std::size_t close = commandLine_.find('"', start + 1);
            if (close == std::string::npos)
                break;
            tokens_.push_back({start, close - start + 1});
            next = close + 1;
        } else {
            std::size_t space = commandLine_.find(' ', start);
            if (space == std::string::npos) {
                tokens_.push_back({start, size - start});
                break;
            }
            tokens_.push_back({start, space - start});
            next = space + 1;
        }
        while (next < size && commandLine_[next] == ' ')
            ++next;
        start = next;
    }
}

void CCommandLineParser::findLibraryOption()
{
    std::string first;
    if (!token(1, first))
        throw CAppException("No arguments");
    if (first != "/L")
        return;
    libraryOption_ = 1;
    if (!token(2, libraryPath_))
        throw CAppException("Dll path is not given");
}

bool CCommandLineParser::token(std::size_t number, std::string& text) const
{
    if (number == 0 || number > tokens_.size())
        return false;
    const Token& t = tokens_[number - 1];
    text.assign(commandLine_, t.start, t.length);
    return true;
}

void CCommandLineParser::joinUploadArguments(std::string& out) const
{
    for (std::size_t i = 2; i < tokens_.size(); ++i) {
        if (i > 2)
            out += ' ';
        out.append(commandLine_, tokens_[i].start, tokens_[i].length);
    }
}
