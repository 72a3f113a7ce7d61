#include "Exception.h"
#include "Localize.h"
#include "Settings.h"
#include "TestSupport.h"

using namespace testsupport;

namespace {

// This program is updater_infra_tests.exe: prefix "upda", no brand row.
const std::string kProduct = "Software\\Pelmora Tools";
const std::string kBase = kProduct + "\\JSW\\";
const std::string kLocal = kBase + "Local\\upda\\";

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Localize::getInstance().getModulePrefix(), "upda");
        deleteTree(kProduct);
    }
    void TearDown() override { deleteTree(kProduct); }
};

TEST_F(SettingsStore, ReadsWithDefaultNeedTheStoreBase)
{
    Settings settings;
    EXPECT_FALSE(settings.isValid());
    unsigned long interval = 12345;
    EXPECT_FALSE(settings.readWithDefault(setting::kPrinterPollInterval, interval));
    EXPECT_EQ(interval, 12345u);
    std::string name = "unchanged";
    EXPECT_FALSE(settings.readWithDefault(setting::kDataUpdatesDirectoryName, name));
    EXPECT_EQ(name, "unchanged");
    EXPECT_FALSE(keyExists(kProduct));
}

TEST_F(SettingsStore, ReadsWithDefaultWriteTheDefaultBack)
{
    createKey(kBase);
    Settings settings;
    unsigned long interval = 0;
    EXPECT_TRUE(settings.readWithDefault(setting::kPrinterPollInterval, interval));
    EXPECT_EQ(interval, 30000u);
    DWORD stored = 0;
    EXPECT_TRUE(queryDword(kLocal + "Settings\\Updater", "PrinterPollInterval", stored));
    EXPECT_EQ(stored, 30000u);

    std::string directoryName;
    EXPECT_TRUE(settings.readWithDefault(setting::kDataUpdatesDirectoryName, directoryName));
    EXPECT_EQ(directoryName, "Job Status");
    std::string dllPath;
    EXPECT_TRUE(settings.readWithDefault(setting::kDllPath, dllPath));
    EXPECT_EQ(dllPath, ".");

    // An existing value is read, not overwritten.
    setDword(kLocal + "Settings\\Updater", "DownloadUpdateTimeOut", 99);
    unsigned long timeout = 0;
    EXPECT_TRUE(settings.readWithDefault(setting::kDownloadUpdateTimeOut, timeout));
    EXPECT_EQ(timeout, 99u);
}

TEST_F(SettingsStore, PlainReadsCreateNothing)
{
    createKey(kBase);
    Settings settings;
    std::string url = "preset";
    EXPECT_FALSE(settings.read(setting::kWebServerUrl, url));
    EXPECT_EQ(url, "preset");
    EXPECT_FALSE(keyExists(kLocal + "Settings\\Updater"));
    setRaw(kLocal + "Settings\\Updater", "WebServerUrl", REG_SZ, std::string("http://x/\0", 10));
    EXPECT_TRUE(settings.read(setting::kWebServerUrl, url));
    EXPECT_EQ(url, "http://x/");
}

TEST_F(SettingsStore, WrongTypesAnswerFalseWithTheCodeInLastError)
{
    createKey(kBase);
    setRaw(kLocal + "Logger", "startLog", REG_SZ, std::string("1\0", 2));
    Settings settings;
    unsigned long value = 77;
    SetLastError(12345);
    EXPECT_FALSE(settings.getULongValue("Logger", "startLog", value, 0));
    EXPECT_EQ(GetLastError(), 0u);  // a type mismatch carries code 0
    EXPECT_EQ(value, 77u);
    EXPECT_FALSE(settings.getULongValue("Logger", "startLog", value, 5, 0));
    EXPECT_EQ(value, 77u);
}

TEST_F(SettingsStore, WritesCreateTheirKeys)
{
    Settings settings;
    EXPECT_TRUE(settings.setULongValue("Settings\\Updater", "DataUpdated", 1, 0));
    EXPECT_TRUE(settings.setStringValue("Settings\\", "DriverName", "Pelmora Photo 100", 0));
    EXPECT_TRUE(Settings().isValid());
    unsigned long flag = 0;
    EXPECT_TRUE(settings.read(setting::kDataUpdated, flag));
    EXPECT_EQ(flag, 1u);
    std::string driver;
    EXPECT_TRUE(settings.read(setting::kDriverName, driver));
    EXPECT_EQ(driver, "Pelmora Photo 100");

    std::list<std::string> names;
    EXPECT_FALSE(settings.getValueNames("", names, 0));
    EXPECT_TRUE(settings.getValueNames("Settings\\", names, 0));
    EXPECT_EQ(names, std::list<std::string>{"DriverName"});
    EXPECT_EQ(settings.deleteValue("Settings\\", "DriverName", 0), 0);
    EXPECT_EQ(settings.deleteValue("Settings\\", "DriverName", 0), 2);
    EXPECT_EQ(GetLastError(), 2u);
}

TEST_F(SettingsStore, DeletingAMissingKeyRaises)
{
    Settings settings;
    try {
        settings.deleteKey("Settings\\Nothing", 0);
        ADD_FAILURE() << "no exception";
    } catch (const Win32Exception& e) {
        EXPECT_EQ(e.getMessage(), "RegistryKey::regOpenKeyEx()");
        EXPECT_EQ(e.getCode(), 2);
    }
    createKey(kLocal + "Settings\\Gone\\deeper");
    EXPECT_TRUE(settings.deleteKey("Settings\\Gone", 0));
    EXPECT_FALSE(keyExists(kLocal + "Settings\\Gone"));
}

TEST_F(SettingsStore, BranchPaths)
{
    Settings settings;
    EXPECT_EQ(settings.branchPath(0), kLocal);
    EXPECT_EQ(settings.branchPath(1), kBase + "Shared\\");
    EXPECT_EQ(settings.branchPath(3), "Software\\PelmoraTemp\\temp");

    BasicSettings basic("Software\\X\\JSW", "pmab");
    EXPECT_EQ(basic.branchPath(0), "Software\\X\\JSW\\Local\\pmab\\");
    EXPECT_EQ(basic.branchPath(1), "Software\\X\\JSW\\Shared\\");
    EXPECT_EQ(basic.branchPath(5), "Software\\X\\JSW\\Shared\\");
    BasicSettings flat("Software\\X\\JSW\\", "");
    EXPECT_EQ(flat.branchPath(0), "Software\\X\\JSW\\");
    EXPECT_EQ(flat.branchPath(1), "Software\\X\\JSW\\");
}

TEST_F(SettingsStore, UninstallLeavesOtherProgramsAlone)
{
    createKey(kLocal + "Settings\\Updater");
    createKey(kBase + "Local\\pmab\\Settings");
    createKey(kBase + "Shared\\Settings");
    Settings settings;
    EXPECT_FALSE(settings.uninstall());
    EXPECT_FALSE(settings.isValid());
    EXPECT_FALSE(keyExists(kLocal));
    EXPECT_TRUE(keyExists(kBase + "Local\\pmab\\Settings"));
    EXPECT_TRUE(keyExists(kBase + "Shared\\Settings"));
}

TEST_F(SettingsStore, LastUninstallDeletesTheProductUnlessToldNotTo)
{
    {
        SCOPED_TRACE("DeleteStoreOnUninstall missing counts as 1");
        createKey(kLocal + "Settings\\Updater");
        createKey(kProduct + "\\Other");
        EXPECT_TRUE(Settings().uninstall());
        EXPECT_FALSE(keyExists(kProduct));
    }
    {
        SCOPED_TRACE("DeleteStoreOnUninstall 0");
        setDword(kLocal + "Settings", "DeleteStoreOnUninstall", 0);
        createKey(kProduct + "\\Other");
        EXPECT_TRUE(Settings().uninstall());
        EXPECT_FALSE(keyExists(kLocal));
        EXPECT_TRUE(keyExists(kProduct + "\\Other"));
    }
}

TEST_F(SettingsStore, BasicUninstallRemovesTheStoreWithItsLastBranch)
{
    createKey(kBase + "Local\\pmab\\x");
    createKey(kBase + "Local\\qcab\\x");
    BasicSettings pmab(kBase, "pmab");
    EXPECT_TRUE(pmab.uninstall());
    EXPECT_TRUE(keyExists(kBase + "Local\\qcab"));
    BasicSettings qcab(kBase, "qcab");
    EXPECT_TRUE(qcab.uninstall());
    EXPECT_FALSE(keyExists(kBase));
    EXPECT_TRUE(keyExists(kProduct));
}

TEST_F(SettingsStore, InstallReadsTheSettingsFileBesideTheProgram)
{
    std::string file = thisDirectory() + "updajsw.loc";
    writeFile(file, "[" + kLocal + "Settings\\Updater]\r\nWebServerUrl=string:http://127.0.0.1/u\r\n"
                    "PrinterPollInterval=dword:1000\r\n");
    Settings settings;
    EXPECT_EQ(settings.install(), 0);
    EXPECT_TRUE(settings.isValid());
    std::string url;
    EXPECT_TRUE(settings.read(setting::kWebServerUrl, url));
    EXPECT_EQ(url, "http://127.0.0.1/u");
    unsigned long interval = 0;
    EXPECT_TRUE(settings.read(setting::kPrinterPollInterval, interval));
    EXPECT_EQ(interval, 1000u);

    DeleteFileA(file.c_str());
    Settings missing;
    EXPECT_EQ(missing.install(), 1359);
    EXPECT_FALSE(missing.isValid());
    EXPECT_TRUE(keyExists(kLocal));  // the branch itself is created first
}

}  // namespace
