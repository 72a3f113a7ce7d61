#include "IniReader.h"
#include "Logger.h"
#include "SettingsInstaller.h"
#include "TestSupport.h"

#include <algorithm>

using namespace testsupport;

namespace {

const std::string kProduct = "Software\\Pelmora Tools";
const std::string kLoggerKey = kProduct + "\\JSW\\Local\\upda\\Logger";
const std::string kTarget = "Software\\PelmoraTest\\Ini";

class Installer : public ::testing::Test {
protected:
    void SetUp() override
    {
        deleteTree(kProduct);
        deleteTree(kTarget);
        // Logging on, without clock, so the installer's messages can be read back.
        setDword(kLoggerKey, "startLog", 1);
        setDword(kLoggerKey, "Clocktime_In_Header", 0);
        destroyLogger();
        createLogger();
        logFile_ = expand("%ALLUSERSPROFILE%") + "\\updaJSW.log";
        DeleteFileA(logFile_.c_str());
        file_ = expand("%TEMP%") + "\\pelmora-settings-test.loc";
    }
    void TearDown() override
    {
        destroyLogger();
        deleteTree(kProduct);
        deleteTree(kTarget);
        DeleteFileA(file_.c_str());
        DeleteFileA(logFile_.c_str());
    }

    bool install(const std::string& content)
    {
        writeFile(file_, content);
        SettingsInstaller installer(file_);
        return installer.installSettings();
    }

    // The message part of every log line, header and indentation removed.
    std::vector<std::string> messages() const
    {
        std::vector<std::string> result;
        for (const std::string& line : splitLines(readFile(logFile_))) {
            std::string rest = line.substr(16);
            result.push_back(rest.substr(rest.find_first_not_of(' ')));
        }
        return result;
    }
    bool logged(const std::string& message) const
    {
        std::vector<std::string> all = messages();
        return std::any_of(all.begin(), all.end(), [&](const std::string& m) {
            return m.find(message) != std::string::npos;
        });
    }

    std::string file_;
    std::string logFile_;
};

DWORD dwordAt(const std::string& name)
{
    DWORD value = 0xDEADBEEF;
    EXPECT_TRUE(queryDword(kTarget, name, value)) << name;
    return value;
}

std::string textAt(const std::string& name)
{
    DWORD type = 0;
    std::string bytes;
    EXPECT_TRUE(queryRaw(kTarget, name, type, bytes)) << name;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << name;
    EXPECT_FALSE(bytes.empty());
    return bytes.empty() ? bytes : bytes.substr(0, bytes.size() - 1);
}

TEST_F(Installer, WritesTypedValuesIntoTheNamedKeys)
{
    EXPECT_TRUE(install("[" + kTarget + "]\r\n"
                        "Count=dword:42\r\n"
                        "Name=string:abc\r\n"
                        "Hex=dword:0x10\r\n"
                        "Minus=dword:-1\r\n"
                        "EmptyText=string:\r\n"
                        "EmptyNumber=dword:\r\n"
                        "Colons=string:a:b:c\r\n"
                        "Empty=\r\n"));
    EXPECT_EQ(dwordAt("Count"), 42u);
    EXPECT_EQ(textAt("Name"), "abc");
    EXPECT_EQ(dwordAt("Hex"), 0u);
    EXPECT_EQ(dwordAt("Minus"), 0xFFFFFFFFu);
    EXPECT_EQ(textAt("EmptyText"), "");
    EXPECT_EQ(dwordAt("EmptyNumber"), 0u);
    EXPECT_EQ(textAt("Colons"), "a:b:c");
    DWORD type;
    std::string bytes;
    EXPECT_FALSE(queryRaw(kTarget, "Empty", type, bytes));

    EXPECT_TRUE(logged("Return Code for writing sectionName='" + kTarget +
                       "',key='Minus',value='4294967295' is = 0"));
    EXPECT_TRUE(logged("Could not retrieve value for key='Empty' under section='" + kTarget + "'"));
    EXPECT_TRUE(logged("Parsed value for value='string:abc' is ='abc'"));
    EXPECT_TRUE(logged("SettingsInstaller::installSettings(): rc=1"));
}

TEST_F(Installer, UnknownTypesAreSkippedButTheRestIsWritten)
{
    EXPECT_FALSE(install("[" + kTarget + "]\r\n"
                         "Before=dword:1\r\n"
                         "Bad=String:abc\r\n"
                         "NoType=plain\r\n"
                         "After=string:x\r\n"));
    EXPECT_EQ(dwordAt("Before"), 1u);
    EXPECT_EQ(textAt("After"), "x");
    DWORD type;
    std::string bytes;
    EXPECT_FALSE(queryRaw(kTarget, "Bad", type, bytes));
    EXPECT_TRUE(logged("Could not retrieve the type information for value='String:abc' skipping...."));
    EXPECT_TRUE(logged("Could not find the type information for value=plain"));
}

TEST_F(Installer, SectionsWithoutEntriesFailTheInstall)
{
    EXPECT_FALSE(install("[" + kTarget + "\\Empty]\r\n[" + kTarget + "]\r\nA=dword:5\r\n"));
    EXPECT_EQ(dwordAt("A"), 5u);
    EXPECT_TRUE(logged("Empty Section found. Skipping.."));
}

TEST_F(Installer, UnreadableFilesFailWithTheirReason)
{
    {
        SCOPED_TRACE("missing file");
        DeleteFileA(file_.c_str());
        SettingsInstaller installer(file_);
        EXPECT_FALSE(installer.installSettings());
        EXPECT_TRUE(logged("Could not open the settings file.errorCode =2"));
        EXPECT_TRUE(logged("Settings file could not be parsed properly."));
    }
    {
        SCOPED_TRACE("no sections");
        EXPECT_FALSE(install("; only a comment\r\nkey=string:x\r\n"));
    }
    {
        SCOPED_TRACE("empty file name");
        SettingsInstaller installer("");
        EXPECT_FALSE(installer.installSettings());
    }
}

#ifndef _WIN64
// A file too big for any buffer of the reader (3 GiB, sparse) fails the
// install; nothing is raised out of it. The Updater ships as a 32-bit
// program; a 64-bit build could hold the file and would only be slow.
TEST_F(Installer, AFileTooBigForABufferFailsWithoutRaising)
{
    writeFile(file_, "[" + kTarget + "]\r\nA=dword:5\r\n");
    HANDLE file = CreateFileA(file_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LONG high = 0;
    SetFilePointer(file, static_cast<LONG>(0xC0000000u), &high, FILE_BEGIN);
    bool sized = SetEndOfFile(file) != FALSE;
    CloseHandle(file);
    ASSERT_TRUE(sized);
    bool installed = true;
    try {
        SettingsInstaller installer(file_);
        installed = installer.installSettings();
    } catch (...) {
        ADD_FAILURE() << "the installer raised";
    }
    EXPECT_FALSE(installed);
    EXPECT_TRUE(logged("Settings file could not be parsed properly."));
    DWORD value = 0;
    EXPECT_FALSE(queryDword(kTarget, "A", value));
}
#endif

// Files of 64 KiB and more are read whole: no size loses a setting.
TEST_F(Installer, LargeFilesAreReadCompletely)
{
    for (std::size_t target : {std::size_t(65536), std::size_t(70000)}) {
        SCOPED_TRACE(target);
        deleteTree(kTarget);
        std::string content = "[" + kTarget + "]\r\n";
        int entries = 0;
        while (content.size() < target - 300) {
            content += "Entry" + std::to_string(entries) + "=string:" + std::string(150, 'v') +
                       std::to_string(entries) + "\r\n";
            ++entries;
        }
        std::string tail = "Last=string:";
        tail += std::string(target - content.size() - tail.size() - 2, 'z') + "\r\n";
        content += tail;
        ASSERT_EQ(content.size(), target);
        EXPECT_TRUE(install(content));
        EXPECT_EQ(textAt("Entry0"), std::string(150, 'v') + "0");
        EXPECT_EQ(textAt("Entry" + std::to_string(entries - 1)),
                  std::string(150, 'v') + std::to_string(entries - 1));
        EXPECT_EQ(textAt("Last").size(), tail.size() - 14);
    }
}

TEST_F(Installer, ReaderKeepsSectionsInFileOrderAndLastValueWins)
{
    writeFile(file_, "[B]\r\nx=string:1\r\n[A]\r\ny=string:2\r\nx=string:3\r\n");
    IniReader reader(file_);
    ASSERT_TRUE(reader.isBuilt());
    EXPECT_EQ(reader.sectionNames(), (std::list<std::string>{"B", "A"}));
    EXPECT_EQ(reader.getSectionData("A"),
              (KeyValPairs{{"y", "string:2"}, {"x", "string:3"}}));
    EXPECT_TRUE(reader.getSectionData("C").empty());
    std::string data = "untouched";
    EXPECT_EQ(reader.getValueType("dword:", data), 2);
    EXPECT_EQ(data, "untouched");
}

}  // namespace
