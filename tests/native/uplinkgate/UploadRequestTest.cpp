#include "GateLog.h"
#include "UploadRequest.h"

#include <gtest/gtest.h>

namespace {

TEST(UploadRequest, StripsEnclosingQuotesOnly)
{
    struct Case {
        const char* path;
        const char* unquoted;
    } const cases[] = {
        {"\"C:\\a b\\up.dll\"", "C:\\a b\\up.dll"},
        {"C:\\up.dll", "C:\\up.dll"},
        {"\"\"", ""},
        {"\"", ""},
        {"\"open", "open"},
        {"up\".dll\"", "up\".dll\""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(unquotedLibraryPath(c.path), c.unquoted);
    }
}

TEST(UploadRequest, RefusesOnlyWhatExceedsTheLimits)
{
    const std::string path767(767, 'p');
    const std::string args511(511, 'a');
    EXPECT_EQ(uploadRefusal(path767, args511), "");
    EXPECT_EQ(uploadRefusal("", ""), "");
    EXPECT_EQ(uploadRefusal(path767 + "p", ""),
              " Upload library path too long: 768 characters, at most 767");
    EXPECT_EQ(uploadRefusal("lib.dll", args511 + "a"),
              " Upload arguments too long: 512 characters, at most 511");
    EXPECT_EQ(uploadRefusal(std::string(9000, 'p'), std::string(9000, 'a')),
              " Upload library path too long: 9000 characters, at most 767");
}

TEST(GateLog, StampIsMonthDayYearAndZeroFilledTime)
{
    EXPECT_EQ(gateLogStamp(3, 14, 2008, 9, 5, 7), "03/14/2008 09:05:07: ");
    EXPECT_EQ(gateLogStamp(12, 31, 1999, 23, 59, 59), "12/31/1999 23:59:59: ");
    EXPECT_EQ(gateLogStamp(1, 1, 30827, 0, 0, 0), "01/01/30827 00:00:00: ");
}

}  // namespace
