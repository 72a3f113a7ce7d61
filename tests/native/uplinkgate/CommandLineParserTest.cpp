#include "AppException.h"
#include "CommandLineParser.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> tokensOf(const CCommandLineParser& parser)
{
    std::vector<std::string> tokens;
    std::string text;
    for (std::size_t n = 1; parser.token(n, text); ++n)
        tokens.push_back(text);
    EXPECT_EQ(tokens.size(), parser.tokenCount());
    return tokens;
}

std::string joined(const CCommandLineParser& parser)
{
    std::string out;
    parser.joinUploadArguments(out);
    return out;
}

struct TokenCase {
    const char* name;
    const char* commandLine;
    std::vector<std::string> tokens;
};

TEST(CommandLineParser, Tokenises)
{
    const TokenCase cases[] = {
        {"plain words", "/L lib.dll a b", {"/L", "lib.dll", "a", "b"}},
        {"quoted path keeps its quotes", "/L \"C:\\dir x\\up.dll\" a",
         {"/L", "\"C:\\dir x\\up.dll\"", "a"}},
        {"runs of spaces separate once", "/L   lib.dll    a", {"/L", "lib.dll", "a"}},
        {"trailing spaces make no token", "/L lib.dll a   ", {"/L", "lib.dll", "a"}},
        {"leading space makes an empty first token", " /L lib.dll", {"", "/L", "lib.dll"}},
        {"two leading spaces still one empty token", "  /L lib.dll", {"", "/L", "lib.dll"}},
        {"line that opens with a quote", "\"my prog.exe\" /L x", {"\"my prog.exe\"", "/L", "x"}},
        {"unterminated final quote is dropped", "/L lib.dll a \"b c", {"/L", "lib.dll", "a"}},
        {"unterminated quote swallows the rest", "up \"lib.dll a b", {"up"}},
        {"empty quoted token", "/L \"\" a", {"/L", "\"\"", "a"}},
        {"quote ends a token without a space after it", "/L \"a b\"c d",
         {"/L", "\"a b\"", "c", "d"}},
        {"quote inside a word is ordinary", "/L ab\"c d\"", {"/L", "ab\"c", "d\""}},
        {"tab is not a separator", "/L\tlib.dll", {"/L\tlib.dll"}},
        {"single token", "upload", {"upload"}},
    };
    for (const TokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        CCommandLineParser parser(c.commandLine);
        EXPECT_EQ(tokensOf(parser), c.tokens);
    }
}

struct OptionCase {
    const char* commandLine;
    bool libraryOption;
    const char* libraryPath;
    const char* arguments;
};

TEST(CommandLineParser, FindsTheLibraryOptionAndJoinsArguments)
{
    const OptionCase cases[] = {
        {"/L \"C:\\Program Files\\x\\up.dll\" a b \"two words\"", true,
         "\"C:\\Program Files\\x\\up.dll\"", "a b \"two words\""},
        {"/L lib.dll", true, "lib.dll", ""},
        {"/L lib.dll a", true, "lib.dll", "a"},
        {"/L lib.dll   a    b   ", true, "lib.dll", "a b"},
        {"/L lib.dll \"x  y\"  \"\" z", true, "lib.dll", "\"x  y\" \"\" z"},
        {"/l lib.dll a", false, "", "a"},
        {"uplinkgate.exe /L lib.dll a", false, "", "lib.dll a"},
        {"\"C:\\x\\uplinkgate.exe\" /L lib.dll", false, "", "lib.dll"},
        {" /L lib.dll a", false, "", "lib.dll a"},
        {"/LL lib.dll", false, "", ""},
        {"/L/ lib.dll", false, "", ""},
    };
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.commandLine);
        CCommandLineParser parser(c.commandLine);
        EXPECT_EQ(parser.libraryOption(), c.libraryOption);
        EXPECT_EQ(parser.libraryPath(), c.libraryPath);
        EXPECT_EQ(joined(parser), c.arguments);
    }
}

TEST(CommandLineParser, JoiningAppendsToWhatTheBufferHolds)
{
    CCommandLineParser parser("/L lib.dll a b");
    std::string out = "prefix:";
    parser.joinUploadArguments(out);
    EXPECT_EQ(out, "prefix:a b");
}

TEST(CommandLineParser, TokenAccessOutsideTheListFails)
{
    CCommandLineParser parser("/L lib.dll");
    std::string text = "unchanged";
    EXPECT_FALSE(parser.token(0, text));
    EXPECT_FALSE(parser.token(3, text));
    EXPECT_EQ(text, "unchanged");
    EXPECT_TRUE(parser.token(2, text));
    EXPECT_EQ(text, "lib.dll");
}

TEST(CommandLineParser, RefusesWhatCannotBeRun)
{
    struct Case {
        const char* commandLine;
        const char* message;
    } const cases[] = {
        {"", "Invalid no of arguments"},
        {"    ", "No arguments"},
        {"\"never closed", "No arguments"},
        {"/L", "Dll path is not given"},
        {"/L   ", "Dll path is not given"},
        {"/L \"open path", "Dll path is not given"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("[") + c.commandLine + "]");
        try {
            CCommandLineParser parser(c.commandLine);
            ADD_FAILURE() << "no exception";
        } catch (const CAppException& e) {
            EXPECT_EQ(e.message(), c.message);
            EXPECT_EQ(e.code(), 0u);
        }
    }
}

TEST(CommandLineParser, HostileInputStaysInBounds)
{
    {
        std::string line = "/L " + std::string(5000, 'p') + " " + std::string(6000, 'a');
        CCommandLineParser parser(line);
        EXPECT_EQ(parser.libraryPath().size(), 5000u);
        EXPECT_EQ(joined(parser).size(), 6000u);
    }
    {
        std::string line = "/L lib.dll";
        for (int i = 0; i < 3000; ++i)
            line += " \"\"";
        CCommandLineParser parser(line);
        EXPECT_EQ(parser.tokenCount(), 3002u);
        EXPECT_EQ(joined(parser).size(), 3000u * 3 - 1);
    }
    {
        std::string quotes(4001, '"');
        CCommandLineParser parser("/L x " + quotes);
        // 2000 empty quoted pairs run together, then one quote left open.
        EXPECT_EQ(parser.tokenCount(), 2u + 2000u);
    }
}

TEST(AppException, AppendsTheSystemTextOrSaysItHasNone)
{
    CAppException plain("Dll path is not given");
    EXPECT_EQ(plain.message(), "Dll path is not given");
    EXPECT_EQ(plain.code(), 0u);

    CAppException coded("Dll not found", 126);
    EXPECT_EQ(coded.code(), 126u);
    std::string text;
    if (systemMessageText(126, text))
        EXPECT_EQ(coded.message(), "Dll not found\n" + text.substr(0, 1000 - 14));
    else
        EXPECT_EQ(coded.message(), "Dll not found\nWin32 ERROR could not be retrieved");
}

TEST(AppException, MessageHoldsAtMostAThousandCharacters)
{
    CAppException e(std::string(1500, 'm'), 5);
    EXPECT_EQ(e.message().size(), 1000u);
    EXPECT_EQ(e.message(), std::string(1000, 'm'));
}

}  // namespace

namespace {

// Random command lines over the characters that matter to the syntax: every
// one is either refused with one of the three messages or split into tokens
// that keep the syntax's promises.
TEST(CommandLineParser, RandomLinesKeepTheTokenRules)
{
    const char alphabet[] = {' ', ' ', '"', '/', 'L', 'l', 'a', '\\', '\t'};
    std::mt19937 random(5);
    for (int round = 0; round < 20000; ++round) {
        std::string line;
        std::size_t length = random() % 24;
        for (std::size_t i = 0; i < length; ++i)
            line += alphabet[random() % sizeof alphabet];
        SCOPED_TRACE("[" + line + "]");
        try {
            CCommandLineParser parser(line);
            std::vector<std::string> tokens = tokensOf(parser);
            ASSERT_FALSE(tokens.empty());
            std::size_t searchFrom = 0;
            for (std::size_t i = 0; i < tokens.size(); ++i) {
                const std::string& t = tokens[i];
                if (!t.empty() && t[0] == '"') {
                    ASSERT_GE(t.size(), 2u);
                    EXPECT_EQ(t.back(), '"');
                    EXPECT_EQ(t.find('"', 1), t.size() - 1);
                } else {
                    EXPECT_EQ(t.find(' '), std::string::npos);
                    // Only a line that starts with a space has an empty token, and only first.
                    if (t.empty()) {
                        EXPECT_TRUE(i == 0 && line[0] == ' ');
                    }
                }
                std::size_t at = line.find(t, searchFrom);
                ASSERT_NE(at, std::string::npos);  // in order, never overlapping
                searchFrom = at + t.size();
            }
            std::string expected;
            for (std::size_t i = 2; i < tokens.size(); ++i)
                expected += (i > 2 ? " " : "") + tokens[i];
            EXPECT_EQ(joined(parser), expected);
            EXPECT_EQ(parser.libraryOption(), tokens[0] == "/L");
            if (parser.libraryOption()) {
                EXPECT_EQ(parser.libraryPath(), tokens[1]);
            }
        } catch (const CAppException& e) {
            EXPECT_TRUE(e.message() == "Invalid no of arguments" ||
                        e.message() == "No arguments" || e.message() == "Dll path is not given")
                << e.message();
            EXPECT_TRUE(!line.empty() || e.message() == "Invalid no of arguments");
        }
    }
}

}  // namespace
