#include "SafeNames.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SafeNames, DeviceNames)
{
    for (const char* name : {"CON", "con", "Nul.txt", "aux.tar.gz", "COM1", "lpt9.x", "PRN ",
                             "CONIN$", "CONOUT$", "conout$.txt", "Conin$.log"})
        EXPECT_TRUE(isReservedDeviceName(name)) << name;
    for (const char* name : {"CONSOLE", "COM0", "COM10", "LPT", "nullable.txt", "acon"})
        EXPECT_FALSE(isReservedDeviceName(name)) << name;
}

TEST(SafeNames, ArchiveComponents)
{
    for (const char* name : {"readme.txt", "a b", "Job Status", "...x", "x..y", "\xC3\xA9t\xC3\xA9"})
        EXPECT_TRUE(isSafeArchiveComponent(name)) << name;
    const std::string refused[] = {
        "", ".", "..", "a:b", "C:", "a\\b", "a/b", "a*b", "a?b", "a<b", "a>b", "a|b", "a\"b",
        std::string("a\x01", 2), std::string("a\x7f", 2), "trailing.", "trailing ", ".. ",
        "nul", "com3.dll", "CONOUT$", "conout$.txt", "CONIN$", std::string(256, 'x'),
    };
    for (const std::string& name : refused)
        EXPECT_FALSE(isSafeArchiveComponent(name)) << name;
    EXPECT_TRUE(isSafeArchiveComponent(std::string(255, 'x')));
}

TEST(SafeNames, PackageFileNames)
{
    for (const char* name : {"p.tar", "prog-1.2.3.4.tar", "DATA_7", "a"})
        EXPECT_TRUE(isSafePackageFileName(name)) << name;
    const std::string refused[] = {
        "", ".hidden", "..", "a b", "a/b", "a\\b", "a:b", "a%20b", "con.tar", "lpt1",
        std::string(241, 'x'), "\xC3\xA9",
    };
    for (const std::string& name : refused)
        EXPECT_FALSE(isSafePackageFileName(name)) << name;
    EXPECT_TRUE(isSafePackageFileName(std::string(240, 'x')));
}

}  // namespace
