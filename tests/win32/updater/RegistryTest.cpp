#include "Exception.h"
#include "RegistryKey.h"
#include "TestSupport.h"

#include <aclapi.h>

#include <algorithm>
#include <list>

using namespace testsupport;

namespace {

const std::string kScratch = "Software\\PelmoraTest\\Registry";

class Registry : public ::testing::Test {
protected:
    void SetUp() override { deleteTree(kScratch); }
    void TearDown() override { deleteTree(kScratch); }
};

// Runs f and returns the Win32Exception it raised (message empty when none).
template <class F>
Win32Exception raisedBy(F f)
{
    try {
        f();
    } catch (const Win32Exception& e) {
        return e;
    }
    return Win32Exception("", -1, "", 0);
}

TEST_F(Registry, OpeningAMissingKeyRaisesUnlessCreating)
{
    Win32Exception e = raisedBy([] { RegistryKey key(kScratch + "\\a\\b", false, HKEY_LOCAL_MACHINE); });
    EXPECT_EQ(e.getMessage(), "RegistryKey::regOpenKeyEx()");
    EXPECT_EQ(e.getCode(), 2);
    EXPECT_FALSE(keyExists(kScratch));

    { RegistryKey key(kScratch + "\\a\\b\\c", true, HKEY_LOCAL_MACHINE); }
    EXPECT_TRUE(keyExists(kScratch + "\\a\\b\\c"));
    { RegistryKey again(kScratch + "\\a\\b\\c\\", true, HKEY_LOCAL_MACHINE); }
}

TEST_F(Registry, CreatedKeysGrantEveryoneFullAccess)
{
    RegistryKey key(kScratch + "\\secured", true, HKEY_LOCAL_MACHINE);
    ACL* dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(GetSecurityInfo(key.handle(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, &descriptor),
              ERROR_SUCCESS);
    ASSERT_NE(dacl, nullptr);
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0,
                                         &everyone));
    bool granted = false;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        ASSERT_TRUE(GetAce(dacl, i, reinterpret_cast<void**>(&ace)));
        if (ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE ||
            !EqualSid(reinterpret_cast<PSID>(&ace->SidStart), everyone))
            continue;
        // Generic-all, possibly mapped to the key's specific rights.
        granted = (ace->Mask & GENERIC_ALL) != 0 || (ace->Mask & KEY_ALL_ACCESS) == KEY_ALL_ACCESS;
        EXPECT_NE(ace->Header.AceFlags & CONTAINER_INHERIT_ACE, 0);
    }
    EXPECT_TRUE(granted);
    FreeSid(everyone);
    LocalFree(descriptor);
}

TEST_F(Registry, NumbersReadOnlyFromDwordValues)
{
    setDword(kScratch, "Count", 42);
    setRaw(kScratch, "Text", REG_SZ, std::string("12\0", 3));
    RegistryKey key(kScratch, false, HKEY_LOCAL_MACHINE);
    unsigned long number = 7;
    EXPECT_FALSE(key.getValue("Missing", number));
    EXPECT_EQ(number, 7u);
    EXPECT_TRUE(key.getValue("Count", number));
    EXPECT_EQ(number, 42u);

    Win32Exception e = raisedBy([&] { key.getValue("Text", number); });
    EXPECT_EQ(e.getMessage(), "RegistryKey::getValue(ulong)Text : incorrect value type");
    EXPECT_EQ(e.getCode(), 0);

    // Too big for the number's buffer: the code is the query's, the wrong type
    // is still named.
    struct Case {
        const char* name;
        DWORD type;
        std::string data;
        const char* message;
        LONG code;
    } const cases[] = {
        {"Wide", REG_BINARY, std::string(8, '\1'),
         "RegistryKey::getValue(ulong)Wide : incorrect value type", ERROR_MORE_DATA},
        {"LongText", REG_SZ, std::string("123456789\0", 10),
         "RegistryKey::getValue(ulong)LongText : incorrect value type", ERROR_MORE_DATA},
        {"Short", REG_BINARY, std::string(2, '\1'),
         "RegistryKey::getValue(ulong)Short : incorrect value type", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setRaw(kScratch, c.name, c.type, c.data);
        e = raisedBy([&] { key.getValue(c.name, number); });
        EXPECT_EQ(e.getMessage(), c.message);
        EXPECT_EQ(e.getCode(), c.code);
    }
    EXPECT_EQ(number, 42u);
}

TEST_F(Registry, TextComesBackUnexpandedAndSafelyTerminated)
{
    setRaw(kScratch, "Plain", REG_SZ, std::string("abc\0", 4));
    setRaw(kScratch, "Expand", REG_EXPAND_SZ, std::string("%SystemRoot%\\x\0", 15));
    setRaw(kScratch, "NoZero", REG_SZ, "unterminated");
    setRaw(kScratch, "Embedded", REG_SZ, std::string("left\0right\0", 11));
    setRaw(kScratch, "Empty", REG_SZ, std::string());
    setDword(kScratch, "Number", 1);
    RegistryKey key(kScratch, false, HKEY_LOCAL_MACHINE);
    struct Case {
        const char* name;
        const char* text;
    } const cases[] = {{"Plain", "abc"},          {"Expand", "%SystemRoot%\\x"},
                       {"NoZero", "unterminated"}, {"Embedded", "left"},
                       {"Empty", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = "old";
        EXPECT_TRUE(key.getValue(c.name, text));
        EXPECT_EQ(text, c.text);
    }
    std::string text = "old";
    EXPECT_FALSE(key.getValue(std::string("Missing"), text));
    EXPECT_EQ(text, "old");
    Win32Exception e = raisedBy([&] { key.getValue(std::string("Number"), text); });
    EXPECT_EQ(e.getMessage(), "RegistryKey::getValue(string) Number : incorrect value type");
    EXPECT_EQ(e.getCode(), 0);
}

TEST_F(Registry, BytesRoundTripAndTypeIsChecked)
{
    std::vector<std::uint8_t> data = {0, 1, 2, 0xFF, 0};
    {
        RegistryKey key(kScratch, true, HKEY_LOCAL_MACHINE);
        key.setValue("Blob", data);
        key.setValue("EmptyBlob", std::vector<std::uint8_t>());
        key.setValue("Number", 5ul);
        key.setValue("Text", std::string("hello"));
    }
    DWORD type = 0;
    std::string raw;
    ASSERT_TRUE(queryRaw(kScratch, "Text", type, raw));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(raw, std::string("hello\0", 6));
    ASSERT_TRUE(queryRaw(kScratch, "Number", type, raw));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

    RegistryKey key(kScratch, false, HKEY_LOCAL_MACHINE);
    std::vector<std::uint8_t> read = {9};
    EXPECT_TRUE(key.getValue("Blob", read));
    EXPECT_EQ(read, data);
    EXPECT_TRUE(key.getValue("EmptyBlob", read));
    EXPECT_TRUE(read.empty());
    read = {9};
    EXPECT_FALSE(key.getValue("Missing", read));
    EXPECT_EQ(read, std::vector<std::uint8_t>{9});
    Win32Exception e = raisedBy([&] { key.getValue("Number", read); });
    EXPECT_EQ(e.getMessage(), "RegistryKey::getValue(binary)Number : incorrect value type");
}

TEST_F(Registry, DeletingAMissingValueRaises)
{
    createKey(kScratch);
    RegistryKey key(kScratch, false, HKEY_LOCAL_MACHINE);
    Win32Exception e = raisedBy([&] { key.deleteValue("Nothing"); });
    EXPECT_EQ(e.getMessage(), "RegistryKey::deleteValue()");
    EXPECT_EQ(e.getCode(), 2);
    key.setValue("Some", 1ul);
    key.deleteValue("Some");
    unsigned long number = 0;
    EXPECT_FALSE(key.getValue("Some", number));
}

TEST_F(Registry, ChildrenAreListedUpToTheMaximumInEnumerationOrder)
{
    for (int i = 0; i < 150; ++i)
        createKey(kScratch + "\\child" + std::to_string(i));
    std::list<std::string> expected;
    HKEY raw;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kScratch.c_str(), 0, KEY_READ, &raw), ERROR_SUCCESS);
    for (DWORD i = 0; i < 100; ++i) {
        char name[256];
        DWORD length = sizeof name;
        ASSERT_EQ(RegEnumKeyExA(raw, i, name, &length, nullptr, nullptr, nullptr, nullptr),
                  ERROR_SUCCESS);
        expected.push_back(name);
    }
    RegCloseKey(raw);

    RegistryKey key(kScratch, false, HKEY_LOCAL_MACHINE);
    std::list<std::string> names = {"already there"};
    key.getChildrenNames(names, 100);
    ASSERT_EQ(names.size(), 101u);
    EXPECT_EQ(names.front(), "already there");
    names.pop_front();
    EXPECT_EQ(names, expected);

    key.setValue("b", 1ul);
    key.setValue("a", std::string("x"));
    std::list<std::string> enumerated;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumValueA(key.handle(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        enumerated.push_back(name);
    }
    std::list<std::string> values;
    key.getValueNames(values);
    EXPECT_EQ(values.size(), 2u);
    EXPECT_EQ(values, enumerated);
}

TEST_F(Registry, RecursiveDeleteSparesKeysNamedSoftware)
{
    EXPECT_EQ(recurseDeleteKey(kScratch + "\\missing", HKEY_LOCAL_MACHINE), 2);

    createKey(kScratch + "\\tree\\a\\b");
    createKey(kScratch + "\\tree\\c");
    EXPECT_EQ(recurseDeleteKey(kScratch + "\\tree", HKEY_LOCAL_MACHINE), 0);
    EXPECT_FALSE(keyExists(kScratch + "\\tree"));

    // A key named "software", in any case, is emptied but kept...
    createKey(kScratch + "\\soft\\SoftWare\\x\\y");
    createKey(kScratch + "\\soft\\SoftWare\\z");
    HKEY parent;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kScratch + "\\soft").c_str(), 0, KEY_ALL_ACCESS,
                            &parent),
              ERROR_SUCCESS);
    EXPECT_EQ(recurseDeleteKey("SoftWare", parent), 0);
    RegCloseKey(parent);
    EXPECT_TRUE(keyExists(kScratch + "\\soft\\SoftWare"));
    EXPECT_FALSE(keyExists(kScratch + "\\soft\\SoftWare\\x"));
    EXPECT_FALSE(keyExists(kScratch + "\\soft\\SoftWare\\z"));

    // ...so deleting its parent fails on the surviving child instead of
    // enumerating it for ever.
    createKey(kScratch + "\\soft\\other");
    Win32Exception e = raisedBy([] { recurseDeleteKey(kScratch + "\\soft", HKEY_LOCAL_MACHINE); });
    EXPECT_EQ(e.getMessage(), "RegistryKey::recurseDeleteKey() RegDeleteKey()");
    EXPECT_NE(e.getCode(), 0);
    EXPECT_FALSE(keyExists(kScratch + "\\soft\\other"));
    EXPECT_TRUE(keyExists(kScratch + "\\soft\\SoftWare"));
}

}  // namespace
