// Splits the gateway's whole command line into tokens and finds the upload
// library option. The system does not split the line for us: the program
// reads it raw, so these rules are the whole of its syntax.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CCommandLineParser {
public:
    // Raises CAppException for an empty text, a text without tokens, and
    // "/L" without a library path.
    explicit CCommandLineParser(const std::string& commandLine);
    virtual ~CCommandLineParser();

    std::size_t tokenCount() const { return tokens_.size(); }

    // Token numbers start at 1, as the option syntax counts them.
    bool token(std::size_t number, std::string& text) const;

    // Appends tokens 3 and later, separated by single spaces, quotes kept.
    void joinUploadArguments(std::string& out) const;

    bool libraryOption() const { return libraryOption_ == 1; }
    const std::string& libraryPath() const { return libraryPath_; }

private:
    struct Token {
        std::size_t start;
        std::size_t length;
    };

    void tokenise();
    void findLibraryOption();

    std::vector<Token> tokens_;
    std::string commandLine_;
    std::string libraryPath_;
    int libraryOption_ = 0;
};
