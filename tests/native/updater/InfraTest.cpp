#include "Exception.h"
#include "IniValue.h"
#include "LogLine.h"
#include "LoggerComponent.h"
#include "OsVersion.h"
#include "Paths.h"

#include <gtest/gtest.h>

namespace {

TEST(Exception, DescribeJoinsOnlyThePartsThatArePresent)
{
    EXPECT_EQ(Exception("Settings::read()", 0, "", 0).describe(), "Settings::read()");
    EXPECT_EQ(Exception("Settings::read()", 5, "", 0).describe(), "Settings::read(): 5");
    EXPECT_EQ(Exception("m", 0, "RegistryKey", 10).describe(), "file:RegistryKey:10: m");
    EXPECT_EQ(Exception("m", -3, "Mutex", 7).describe(), "file:Mutex:7: m: -3");

    Win32Exception noCode("InterProcessLock has no name", 0, "InterProcessLock", 3);
    EXPECT_EQ(noCode.codeText(), "");
    EXPECT_EQ(noCode.describe(), "file:InterProcessLock:3: InterProcessLock has no name");

    // The digit runs straight into the system text, with no closing parenthesis.
    Win32Exception coded("RegistryKey::regOpenKeyEx()", 2, "RegistryKey", 10);
    // Off Windows the message lookup answers "not found" (317).
    EXPECT_EQ(coded.describe(),
              "file:RegistryKey:10: RegistryKey::regOpenKeyEx(): Win32(2Error getting message:317");
    const Exception& base = coded;
    EXPECT_EQ(base.codeText(), "Win32(2Error getting message:317");
    EXPECT_EQ(base.getCode(), 2);
    EXPECT_EQ(base.getMessage(), "RegistryKey::regOpenKeyEx()");
}

TEST(Paths, JoinAddsExactlyOneBackslash)
{
    struct Case {
        const char* left;
        const char* right;
        const char* joined;
    } const cases[] = {
        {"C:\\dir", "file.dll", "C:\\dir\\file.dll"},
        {"C:\\dir\\", "file.dll", "C:\\dir\\file.dll"},
        {"C:\\dir", "\\file.dll", "C:\\dir\\file.dll"},
        {"C:\\dir\\", "\\file.dll", "C:\\dir\\file.dll"},
        {"C:\\dir\\", "\\\\file.dll", "C:\\dir\\\\file.dll"},  // only one is dropped
        {"", "file.dll", "\\file.dll"},
        {"", "", "\\"},
        {"C:\\dir", "", "C:\\dir\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.left) + " + " + c.right);
        EXPECT_EQ(joinPath(c.left, c.right), c.joined);
    }
    EXPECT_EQ(directoryOf("C:\\a\\b.exe"), "C:\\a\\");
    EXPECT_EQ(directoryOf("b.exe"), "");
    EXPECT_EQ(fileNameOf("C:\\a\\b.log"), "b.log");
    EXPECT_EQ(fileNameOf("b.log"), "b.log");
}

TEST(Paths, PlainFolderNamesStayInTheFolderTheyAreJoinedTo)
{
    struct Case {
        std::string name;
        bool plain;
    } const cases[] = {
        {"Pelmora Inkjet Series 4", true},
        {"Job Status", true},
        {"a", true},
        {"v1.2", true},
        {"..data", true},  // dots inside a name go nowhere
        {"a..b", true},
        {" leading space", true},
        {"Pelmora (Series 4) #2 & co", true},
        {std::string(255, 'x'), true},
        {"\xC9tat", true},  // Latin-1 letters are ordinary
        {"CONSOLE", true},
        {"COM10", true},
        {"LPT0", true},
        {"", false},
        {std::string(256, 'x'), false},
        {".", false},
        {"..", false},
        {"...", false},
        {"..\\..\\Windows\\System32", false},
        {"../../Windows/System32", false},
        {"Job\\Status", false},
        {"Job/Status", false},
        {"\\Windows", false},
        {"C:\\Windows", false},
        {"C:", false},
        {"C:Windows", false},
        {"\\\\server\\share", false},
        {"\\\\?\\C:\\Windows", false},
        {"data:stream", false},
        {"name.", false},
        {"name ", false},
        {"name. ", false},
        {"a<b", false},
        {"a>b", false},
        {"a\"b", false},
        {"a|b", false},
        {"a?b", false},
        {"a*b", false},
        {std::string("a\tb"), false},
        {std::string("a\nb"), false},
        {std::string("a\x7F" "b"), false},
        {std::string("a\0b", 3), false},
        {"CON", false},
        {"con", false},
        {"Nul", false},
        {"PRN.txt", false},
        {"AUX .dat", false},
        {"COM1", false},
        {"lpt9", false},
        {"COM\xB9", false},
        {"CONIN$", false},
        {"CONOUT$", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.name + "'");
        EXPECT_EQ(isPlainFolderName(c.name), c.plain);
    }
}

OsVersionRecord record(std::uint32_t platform, std::uint32_t major, std::uint32_t minor)
{
    OsVersionRecord r;
    r.platformId = platform;
    r.major = major;
    r.minor = minor;
    return r;
}

TEST(OsVersion, ClassifiesEveryNamedVersion)
{
    struct Case {
        const char* name;
        std::uint32_t platform, major, minor;
        int code;
        bool nt, from2000, fromVista;
        const char* folder;
    } const cases[] = {
        {"Windows 95", 1, 4, 0, 1, false, false, false, ""},
        {"Windows 98", 1, 4, 10, 2, false, false, false, ""},
        {"Windows Me", 1, 4, 90, 3, false, false, false, ""},
        {"NT 4", 2, 4, 0, 4, true, false, false, "\\2"},
        {"2000", 2, 5, 0, 5, true, true, false, "\\3"},
        {"XP", 2, 5, 1, 6, true, true, false, "\\3"},
        {"Server 2003 / XP x64", 2, 5, 2, 7, true, true, false, "\\3"},
        {"Vista", 2, 6, 0, 8, true, true, true, "\\3"},
        {"7", 2, 6, 1, 0, true, true, true, ""},
        {"10", 2, 10, 0, 0, true, true, true, ""},
        {"unknown 9x", 1, 4, 1, 0, false, false, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OsVersion os(record(c.platform, c.major, c.minor), false);
        EXPECT_EQ(os.versionCode(), c.code);
        EXPECT_EQ(os.isNT(), c.nt);
        EXPECT_EQ(os.is2000OrLater(), c.from2000);
        EXPECT_EQ(os.isVistaOrLater(), c.fromVista);
        EXPECT_EQ(os.driverVersionFolder(), c.folder);
    }
    EXPECT_TRUE(OsVersion(record(2, 5, 2), true).isWow64());
    EXPECT_FALSE(OsVersion(record(2, 5, 1), false).isWow64());
}

TEST(LogLine, HeaderFieldsAppearOnlyWhenSwitchedOn)
{
    const LogTime t = {2008, 3, 14, 9, 5, 7, 42};
    const char* text = "+Trace::name() ";
    EXPECT_EQ(formatLogLine({true, false, false}, t, 0x1a4, 0x2b, "Updater", 15, 0, text),
              "2008/03/14-09:05:07.042 Updater         +Trace::name() ");
    EXPECT_EQ(formatLogLine({false, true, false}, t, 0x1a4, 0x2b, "JSW", 15, 0, "x"),
              "pid=01a4 JSW             x");
    EXPECT_EQ(formatLogLine({false, true, true}, t, 0x1a4bc, 0xABCDEF01, "JSW", 15, 0, "x"),
              "pid=1a4bc tid=abcdef01 JSW             x");
    EXPECT_EQ(formatLogLine({false, false, true}, t, 0, 0, "JSW", 15, 0, "x"),
              "tid=0000 JSW             x");
    EXPECT_EQ(formatLogLine({false, false, false}, t, 0, 0, "", 15, 0, ""),
              std::string(16, ' '));
}

TEST(LogLine, ComponentIsPaddedNeverCutAndDepthIndents)
{
    const LogTime t = {1999, 12, 31, 23, 59, 59, 999};
    EXPECT_EQ(formatLogLine({false, false, false}, t, 0, 0, "AComponentOfLength20", 15, 0, "m"),
              "AComponentOfLength20 m");
    EXPECT_EQ(formatLogLine({false, false, false}, t, 0, 0, "ExactlyFifteen!", 15, 0, "m"),
              "ExactlyFifteen! m");
    EXPECT_EQ(formatLogLine({false, false, false}, t, 0, 0, "RulesEng", 15, 2, "-f() rc=1"),
              "RulesEng          -f() rc=1");
    EXPECT_EQ(formatLogLine({true, false, false}, t, 0, 0, "Updater", 25, 1, "m"),
              "1999/12/31-23:59:59.999 Updater                    m");
}

// The names are registry value names of the level masks; each mask starts
// with every level on.
TEST(LoggerComponent, NamesAndDefaultMasks)
{
    const struct {
        const LoggerComponent* component;
        const char* name;
    } cases[] = {
        {&logcomponent::All, "All"},
        {&logcomponent::Updater, "Updater"},
        {&logcomponent::RulesEng, "RulesEng"},
        {&logcomponent::JSW, "JSW"},
        {&logcomponent::Catalog, "Catalog"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.component->getName(), c.name);
        EXPECT_EQ(c.component->getMask(), 0xFFFFFFFFu);
    }
}

TEST(FlagCache, AnswersOnlyWhileYoungerThanTheMaximumAge)
{
    FlagCache cache;
    std::uint32_t value = 7;
    EXPECT_FALSE(cache.lookup("startLog", 1000, 5000, value));
    EXPECT_EQ(value, 7u);

    cache.store("startLog", 1, 1000);
    struct Case {
        std::uint32_t now;
        bool cached;
    } const cases[] = {{1000, true}, {1001, true}, {5999, true}, {6000, false}, {90000, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.now);
        value = 0;
        EXPECT_EQ(cache.lookup("startLog", c.now, 5000, value), c.cached);
        EXPECT_EQ(value, c.cached ? 1u : 0u);
    }
    EXPECT_FALSE(cache.lookup("All", 1000, 5000, value));

    // Across the 49.7-day wrap of the tick count.
    cache.store("All", 0xFFFFFFFF, 0xFFFFF000u);
    EXPECT_TRUE(cache.lookup("All", 0x00000100u, 5000, value));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    EXPECT_FALSE(cache.lookup("All", 0x00001000u, 5000, value));
}

TEST(CachedAnswer, KeepsEitherAnswerForTheMaximumAgeOnly)
{
    CachedAnswer store;
    bool answer = true;
    EXPECT_FALSE(store.lookup(1000, 5000, answer));
    EXPECT_TRUE(answer);

    // A "missing" answer is kept as long as a "present" one.
    store.store(false, 1000);
    struct Case {
        std::uint32_t now;
        bool cached;
    } const cases[] = {{1000, true}, {5999, true}, {6000, false}, {999, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.now);
        answer = true;
        EXPECT_EQ(store.lookup(c.now, 5000, answer), c.cached);
        EXPECT_EQ(answer, !c.cached);
    }

    store.store(true, 0xFFFFF000u);
    EXPECT_TRUE(store.lookup(0x00000100u, 5000, answer));
    EXPECT_TRUE(answer);
    EXPECT_FALSE(store.lookup(0x00001000u, 5000, answer));
    store.clear();
    EXPECT_FALSE(store.lookup(0xFFFFF000u, 5000, answer));
}

TEST(IniValue, TypeWordBeforeTheFirstColon)
{
    struct Case {
        const char* typed;
        IniValueType type;
        bool hasTypeWord;
        const char* data;  // starting from "old"
    } const cases[] = {
        {"string:abc", kIniString, true, "abc"},
        {"dword:42", kIniDword, true, "42"},
        {"string:a:b", kIniString, true, "a:b"},
        {"string:", kIniString, true, "old"},
        {"dword:", kIniDword, true, "old"},
        {"String:abc", kIniUnknownType, true, "abc"},
        {"DWORD:1", kIniUnknownType, true, "1"},
        {"binary:0101", kIniUnknownType, true, "0101"},
        {":abc", kIniUnknownType, false, "old"},
        {"abc", kIniUnknownType, false, "old"},
        {"", kIniUnknownType, false, "old"},
        {" string:x", kIniUnknownType, true, "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string data = "old";
        bool hasTypeWord = !c.hasTypeWord;
        EXPECT_EQ(parseTypedValue(c.typed, data, hasTypeWord), c.type);
        EXPECT_EQ(hasTypeWord, c.hasTypeWord);
        EXPECT_EQ(data, c.data);
    }
}

TEST(IniValue, DwordConversionBehavesLikeStrtolOnA32BitLong)
{
    struct Case {
        const char* text;
        std::uint32_t value;
    } const cases[] = {
        {"42", 42},
        {"0x10", 0},
        {"-1", 0xFFFFFFFF},
        {"+7", 7},
        {"  12abc", 12},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"2147483647", 2147483647u},
        {"2147483648", 2147483647u},
        {"4294967295", 2147483647u},
        {"99999999999999999999999", 2147483647u},
        {"-2147483648", 0x80000000u},
        {"-99999999999", 0x80000000u},
        {"\t-5", 0xFFFFFFFB},
        {"\r5", 5},
        {"\n6", 6},
        {"\v7", 7},
        {"\f8", 8},
        {" \r\n\v\f\t-9", 0xFFFFFFF7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(dwordFromText(c.text), c.value);
    }
}

TEST(IniValue, ZeroListsSplitWithoutReadingPastTheirLength)
{
    const char list[] = "first\0second\0\0third";
    EXPECT_EQ(splitZeroList(list, 13), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(splitZeroList(list, 19), (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(splitZeroList(list, 3), (std::vector<std::string>{"fir"}));
    EXPECT_TRUE(splitZeroList(list, 0).empty());
    EXPECT_TRUE(splitZeroList("\0\0\0", 3).empty());
}

}  // namespace
