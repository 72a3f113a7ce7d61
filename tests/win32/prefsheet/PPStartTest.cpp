// PPStart through the real prefsheet.dll under Wine: the driver's call opens
// the main window modally over the real registry; a stand-in user acts in
// it from a timer of the same thread and closes it.
#include "LcDevMode.h"
#include "PrefSheetExports.h"
#include "ResourceIds.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

using namespace testsupport;
using namespace windowtest;

namespace {

const char kPrinter[] = "Pelmora PhotoJet Start";
const std::string kRoot = "Software\\Pelmora\\PrinterSettings\\Pelmora PhotoJet Start";

template <typename F>
F exported(HMODULE module, const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The control `id` of whichever page shows it, as a user reaches it.
Controls pageOf(HWND main, int id)
{
    HWND control = visibleDescendant(main, id);
    return Controls{control != nullptr ? GetParent(control) : nullptr};
}

HWND tabStrip(HWND main)
{
    HWND sheet = GetDlgItem(main, IDC_MAIN_SHEET + 1);
    return sheet != nullptr ? FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr) : nullptr;
}

void chooseTab(HWND main, int index)
{
    HWND tabs = tabStrip(main);
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    NMHDR header{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(GetParent(tabs), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    pump();
}

int activeTab(HWND main)
{
    return static_cast<int>(SendMessageA(tabStrip(main), TCM_GETCURSEL, 0, 0));
}

std::vector<BYTE> value(const std::string& subKey, const char* name)
{
    DWORD type = 0;
    return rawValue(HKEY_CURRENT_USER, subKey.empty() ? kRoot : kRoot + "\\" + subKey, name, type);
}

void setNumber(const std::string& subKey, const char* name, DWORD number)
{
    HKEY key;
    const std::string path = subKey.empty() ? kRoot : kRoot + "\\" + subKey;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
}

// One PPInit .. PPTerminate of the real library, and the driver's records.
struct Driver {
    HMODULE module = LoadLibraryA((thisDirectory() + "prefsheet.dll").c_str());
    PPInitFunction init = exported<PPInitFunction>(module, "PPInit");
    PPTerminateFunction terminate = exported<PPTerminateFunction>(module, "PPTerminate");
    PPStartFunction start = exported<PPStartFunction>(module, "PPStart");
    PPDefaultGenDevModeFunction defaults = exported<PPDefaultGenDevModeFunction>(module, "PPDefaultGenDevMode");
    LCDEVMODE record{};
    uint32_t driverState[4] = {0, 0, 1, 0};   // automatic media detection on
    PORTINFO port{};
    INKINFO ink{};

    Driver()
    {
        deleteTree(kRoot, HKEY_CURRENT_USER);
        init();
        std::strcpy(record.dmPrinterName, kPrinter);
        defaults(&record);
        port.piPortType = 1;
        std::strcpy(port.piPortName, "USB001");
    }
    ~Driver()
    {
        terminate();
        FreeLibrary(module);
    }
    // Opens the preferences; the user acts once the main window shows.
    void open(Answerer& user)
    {
        user.marker = IDC_MAIN_BANNER;
        user.arm();
        start(&record, driverState, &port, &ink);
    }
};

TEST(PPStart, OkReturnsStatusOneAndTheEditedRecord)
{
    Driver driver;
    ASSERT_NE(driver.start, nullptr);
    ASSERT_EQ(driver.record.dmOrientation, 1);
    Answerer user;
    user.screenshot = thisDirectory() + "mainwindow.bmp";
    user.act = [](const Controls& main) {
        pageOf(main.hwnd, IDC_LANDSCAPE).click(IDC_LANDSCAPE);
        Controls page = pageOf(main.hwnd, IDC_COPIES);
        page.type(IDC_COPIES, "2");
        chooseTab(main.hwnd, 1);
        settle(main.hwnd);
        saveScreenshot(main.hwnd, thisDirectory() + "mainwindow-advanced.bmp");
        chooseTab(main.hwnd, 2);
        settle(main.hwnd);
        saveScreenshot(main.hwnd, thisDirectory() + "mainwindow-maintenance.bmp");
    };
    user.presses = {IDOK};
    driver.open(user);
    ASSERT_TRUE(user.answered);
    EXPECT_EQ(user.texts.at(0), std::string(kPrinter) + " Printing Preferences");
    EXPECT_EQ(driver.record.dmStatus, 1u);
    EXPECT_EQ(driver.record.dmOrientation, 2);
    EXPECT_EQ(driver.record.dmCopies, 2);
    EXPECT_STREQ(driver.record.dmPrinterName, kPrinter);
    // OK keeps the status options for the next opening.
    EXPECT_EQ(value("AUTOMEDIA", "Auto Media").size(), 4u);
    EXPECT_EQ(value("JSW", "Show Process Window").size(), 4u);
}

TEST(PPStart, CancelReturnsStatusThreeWithTheModelsRecord)
{
    Driver driver;
    driver.record.dmPaperFlags = 0x1000;   // borderless: the model sets layout 7
    driver.record.dmLayoutCode = 0;
    Answerer user;
    user.act = [](const Controls& main) { pageOf(main.hwnd, IDC_LANDSCAPE).click(IDC_LANDSCAPE); };
    user.presses = {IDCANCEL};
    driver.open(user);
    ASSERT_TRUE(user.answered);
    EXPECT_EQ(driver.record.dmStatus, 3u);
    EXPECT_EQ(driver.record.dmLayoutCode, 7);       // what the model held, not what came in
    EXPECT_EQ(driver.record.dmOrientation, 2);      // the record is saved whatever the answer
}

TEST(PPStart, AFreshPrinterGetsItsFactorySettingsAndEmptySlotsOnFirstPaint)
{
    Driver driver;
    Answerer user;
    user.presses = {IDCANCEL};
    driver.open(user);
    ASSERT_TRUE(user.answered);
    // A product with personal settings keeps the slots in the personal key.
    EXPECT_EQ(value("Personal\\SLOT1", "Default Dev Mode").size(), sizeof(LCDEVMODE));
    EXPECT_EQ(value("Personal\\SLOT1", "AutoMedia"), (std::vector<BYTE>{1, 0, 0, 0}));
    EXPECT_EQ(value("Personal\\SLOT1", "Show JSW"), (std::vector<BYTE>{1, 0, 0, 0}));
    for (int slot = 2; slot <= 6; ++slot) {
        const std::string key = kRoot + "\\Personal\\SLOT" + std::to_string(slot);
        EXPECT_TRUE(keyExists(key, HKEY_CURRENT_USER)) << key;
    }
}

TEST(PPStart, PortsThatCannotReportMediaRunWithAutomaticMediaOff)
{
    for (uint32_t portType : {5u, 6u, 7u, 10u, 1u}) {
        Driver driver;
        driver.record.dmAutoMedia = 1;
        driver.port.piPortType = portType;
        Answerer user;
        user.presses = {IDOK};
        driver.open(user);
        ASSERT_TRUE(user.answered) << portType;
        EXPECT_EQ(driver.record.dmAutoMedia, portType == 1 ? 1 : 0) << portType;
        EXPECT_EQ(value("AUTOMEDIA", "Auto Media"), (std::vector<BYTE>{portType == 1 ? BYTE(1) : BYTE(0), 0, 0, 0}))
            << portType;
    }
}

TEST(PPStart, ARequestedSheetOpensItsTabOnceAndOkThenCancels)
{
    Driver driver;
    setNumber("", "ActivePrinterPreferencesSheet", 1);
    int shownTab = -1;
    Answerer user;
    user.act = [&shownTab](const Controls& main) {
        shownTab = activeTab(main.hwnd);
        pageOf(main.hwnd, IDC_TASK_PRINTER_STATUS);   // the maintenance page is there
    };
    user.presses = {IDOK};
    driver.open(user);
    ASSERT_TRUE(user.answered);
    EXPECT_EQ(shownTab, 2);
    EXPECT_TRUE(value("", "ActivePrinterPreferencesSheet").empty());
    EXPECT_EQ(driver.record.dmStatus, 3u);

    Answerer again;
    again.act = [&shownTab](const Controls& main) { shownTab = activeTab(main.hwnd); };
    again.presses = {IDOK};
    driver.open(again);
    EXPECT_EQ(shownTab, 0);
    EXPECT_EQ(driver.record.dmStatus, 1u);
}

TEST(PPStart, SavedSettingsJoinTheMenuAndTheAboutBoxNamesThePrinter)
{
    Driver driver;
    Answerer save, about;
    save.marker = IDC_SAVE_NAME;
    save.typing = {{IDC_SAVE_NAME, "Holiday photos"}};
    save.presses = {IDOK};
    save.screenshot = thisDirectory() + "savesettings.bmp";
    about.marker = IDC_VERSION_TEXT;
    about.textId = IDC_VERSION_PRINTER;
    about.presses = {IDOK};
    char slotItem[64] = "";
    Answerer user;
    user.act = [&](const Controls& main) {
        save.arm();
        SendMessageA(main.hwnd, WM_COMMAND, ID_SAVE_SETTINGS, 0);
        GetMenuStringA(GetMenu(main.hwnd), ID_LOAD_SLOT2, slotItem, sizeof slotItem, MF_BYCOMMAND);
        about.arm();
        SendMessageA(main.hwnd, WM_COMMAND, ID_ABOUT, 0);
    };
    user.presses = {IDOK};
    driver.open(user);
    ASSERT_TRUE(save.answered);
    EXPECT_STREQ(slotItem, "Holiday photos");
    const std::vector<BYTE> name = value("Personal\\SLOT2", "Slot2 Name");
    ASSERT_EQ(name.size(), 31u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(name.data())), "Holiday photos");
    EXPECT_EQ(value("Personal\\SLOT2", "Slot2 DevMode").size(), sizeof(LCDEVMODE));
    ASSERT_TRUE(about.answered);
    EXPECT_EQ(about.texts.at(1), "USB001");
}

TEST(PPStart, PortTwelveGreysSavingAndManagingSettings)
{
    Driver driver;
    driver.port.piPortType = 12;
    UINT saveState = 0, manageState = 0;
    Answerer user;
    user.act = [&](const Controls& main) {
        saveState = GetMenuState(GetMenu(main.hwnd), ID_SAVE_SETTINGS, MF_BYCOMMAND);
        manageState = GetMenuState(GetMenu(main.hwnd), ID_MANAGE_SETTINGS, MF_BYCOMMAND);
    };
    user.presses = {IDCANCEL};
    driver.open(user);
    ASSERT_TRUE(user.answered);
    EXPECT_NE(saveState & MF_GRAYED, 0u);
    EXPECT_NE(manageState & MF_GRAYED, 0u);
}

TEST(PPStart, TracesTheRecordItReceivedAndTheOneItReturns)
{
    const std::string spyFile = thisDirectory() + "prefsheet-start.spy";
    DeleteFileA(spyFile.c_str());
    ASSERT_TRUE(SetEnvironmentVariableA("DRVCOMMON_SPY_FILE", spyFile.c_str()));
    {
        Driver driver;
        driver.record.dmPosterPages[0] = 1;
        driver.record.dmPosterPages[15] = 1;
        Answerer user;
        user.presses = {IDOK};
        driver.open(user);
    }
    SetEnvironmentVariableA("DRVCOMMON_SPY_FILE", nullptr);
    const std::vector<std::string> lines = splitLines(readFile(spyFile));
    DeleteFileA(spyFile.c_str());
    auto has = [&lines](const std::string& text) {
        for (const std::string& line : lines) {
            if (line.substr(0, line.find('\r')) == text)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(has("PPStart"));
    EXPECT_TRUE(has("poster pages array to be retrieved: 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1"));
    EXPECT_TRUE(has("exiting PPStart w/ new devmode"));
    EXPECT_TRUE(has("poster pages array to be saved: 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1"));
    EXPECT_TRUE(has("PORTINFO: port type 1, port name USB001"));
}

}  // namespace
