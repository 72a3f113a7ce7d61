// The maintenance page in the real sheet and the more-options dialog as a
// real modal dialog, over a real settings model, clicked and keyed by
// control id under Wine on a virtual display. Saves maintenance.bmp and
// moreoptions.bmp.
#include "CommonLibrary_win.h"
#include "DialogView_win.h"
#include "GUIPrinter.h"
#include "MaintainPropPage.h"
#include "MoreOptionsDlg.h"
#include "OptionKeys.h"
#include "PersonalSettings.h"
#include "ResourceIds.h"

#include "Fakes.h"
#include "ModelFakes.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace testsupport;
using namespace windowtest;

namespace {

const char kPrinter[] = "Pelmora Maintenance Test";
const std::string kRoot = "Software\\Pelmora\\PrinterSettings\\Pelmora Maintenance Test";

// The common library's display, its reorder path counted instead of started.
class CountingInkDisplay : public DrvInkDisplay {
public:
    explicit CountingInkDisplay(int& reorders) : reorders_(reorders) {}
    bool LaunchReorderInkAppSilentMode() override { return ++reorders_, true; }

private:
    int& reorders_;
};

// What a main dialog's message loop does with a key: the dialog manager
// first, over the window that holds the sheet.
void pumpThroughDialogManager(HWND dialog)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (IsDialogMessageA(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The host counts the OK commands the dialog manager sends it for Enter.
WNDPROC hostDefault = nullptr;
int hostOkCommands = 0;
LRESULT CALLBACK countingHost(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
        ++hostOkCommands;
    return CallWindowProcA(hostDefault, window, message, wParam, lParam);
}

void pressKey(HWND dialog, HWND target, UINT down, UINT up, WPARAM key, LPARAM flags = 0)
{
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), 0)) << 16;
    PostMessageA(target, down, key, 1 | scan | flags);
    PostMessageA(target, up, key, 1 | scan | flags | (LPARAM(1) << 30) | (LPARAM(1) << 31));
    pumpThroughDialogManager(dialog);
}

// One printer with its model, as the preferences open it.
struct Printer {
    FakeProduct product;
    FakeSystemConfig config;
    FakeStatusCache status;
    DrvRegistry registry;
    RecordingTrace trace;
    RecordingCompanions companions;
    SilentMessages messages;
    int reorders = 0;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    UniqueModule resources{LoadLibraryA((thisDirectory() + "ppres.dll").c_str())};
    UniqueModule bitmaps{LoadLibraryA((thisDirectory() + "ppbmp.dll").c_str())};

    Printer()
    {
        deleteTree(kRoot, HKEY_CURRENT_USER);
        product.setText(OptionKey::IDO_CONFIG_DLL, "pmoffice.cfg").setText(OptionKey::IDO_PSWX_NT, "pmstatus.exe");
        product.set(OptionKey::IDO_SUPPORT_CLEANROLLERS, 1).set(OptionKey::IDO_TSC_PRINTERERRORDLG, 1);
        product.setText(OptionKey::IDO_KEY_NAME_COMPLETETOPRINT_FLAG, "CompleteToPrint");
        product.set(OptionKey::IDO_PMKPRODLIKE, 1).set(OptionKey::IDO_SHOW_MOREOPTIONS_CAP, 1);
        product.set(OptionKey::IDO_DISPLAY_INKLEVELS_OPTION, 1).set(OptionKey::IDO_DISPLAY_PAGE_REMAINING_OPTION, 1);
        product.set(OptionKey::IDO_CATS_GUI_SUPPORTED, 1).set(OptionKey::IDO_HIDE_SOUND_OPTION, 0);
        product.set(OptionKey::IDO_BLANK_PAGE_SUPPRESSION, 1).set(OptionKey::IDO_SUPPORT_DIDYOUKNOWTIPS, 1);
        product.set(OptionKey::IDO_KIOSKEN_SUPPORT, 0);
        config.defaultSizes = {{0, 1}};
        status.known = true;
        status.printer = kPrinter;
        status.logCart[0] = 1;
        status.logCart[1] = 2;
        const uint32_t levels[] = {70, 45, 80, 25, 0, 0, 0, 0, 0};
        std::memcpy(status.inkPercent, levels, sizeof levels);

        LCWMARKINFO mark;
        std::memset(&mark, 0, sizeof mark);
        model = std::make_unique<GUIPrinter>(GUIPrinterServices{product, config, status, registry, trace, mark});
        LCDEVMODE record;
        std::memset(&record, 0, sizeof record);
        std::strcpy(record.dmPrinterName, kPrinter);
        record.dmPaperSize = 1;
        record.dmPrintQuality = -2;
        record.dmColorMode = 2;
        record.dmDuplexMode = 1;
        record.dmMediaType = 1;
        model->LoadFrom(record);
        INKINFO ink{};
        model->SetInkInfo2(ink, kPrinter);
        slots = std::make_unique<PersonalSettings>(product, registry, trace, messages, [](LCDEVMODE&) {});
    }

    PageContext context()
    {
        PageContext c{product, registry, *slots, trace, companions,
                      [this] { return std::make_unique<CountingInkDisplay>(reorders); }, '.', nullptr};
        c.os = QueryOsVersion();
        return c;
    }
};

std::string launched(int task)
{
    return std::string(kPrinter) + " " + std::to_string(task);
}

TEST(MaintenanceWindow, TaskButtonsKeysAndInk)
{
    Printer p;
    ASSERT_TRUE(p.resources) << "ppres.dll";
    PageContext context = p.context();
    HWND tabs = nullptr;
    context.focusTabStrip = [&tabs] { SetFocus(tabs); };
    MaintainPropPage page(context);
    page.SetPrinter(p.model.get());
    SheetHost host(p.resources.get(), p.bitmaps.get());
    host.add(IDD_MAINTENANCE, "Maintenance", page);
    ASSERT_TRUE(host.open());
    tabs = host.sheet().tabs();
    const Controls c = host.page(0);
    ASSERT_NE(c.hwnd, nullptr);

    // Every control lies inside the page.
    RECT area;
    GetClientRect(c.hwnd, &area);
    for (HWND child = GetWindow(c.hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, c.hwnd, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= area.right && r.bottom <= area.bottom)
            << "control " << GetDlgCtrlID(child);
    }
    EXPECT_EQ(c.text(IDC_TASK_ALIGN_LABEL), "Ali&gn the cartridges");
    EXPECT_EQ(c.text(IDC_MAINT_ORDER_INK), "&Order Ink...");

    struct Row {
        int button;
        int task;
    } rows[] = {
        {IDC_TASK_PRINTER_STATUS, 318}, {IDC_TASK_REPLACE_CARTRIDGE, 305}, {IDC_TASK_ALIGN, 304},
        {IDC_TASK_CLEAN_CARTRIDGES, 311}, {IDC_TASK_TEST_PAGE, 317}, {IDC_TASK_CLEAN_ROLLERS, 312},
    };
    for (const Row& r : rows) {
        EXPECT_TRUE(c.visible(r.button) && c.enabled(r.button)) << r.button;
        p.companions.launched.clear();
        c.click(r.button);
        EXPECT_EQ(p.companions.launched, std::vector<std::string>{launched(r.task)}) << r.button;
    }

    // The display drew the levels into both holders; ordering goes through it.
    RECT bar;
    EXPECT_TRUE(SendMessageA(c.item(IDC_MAINT_INK_LEFT), GUI_GETINKRECT, 2, reinterpret_cast<LPARAM>(&bar)));
    EXPECT_TRUE(SendMessageA(c.item(IDC_MAINT_INK_RIGHT), GUI_GETINKRECT, 0, reinterpret_cast<LPARAM>(&bar)));
    c.click(IDC_MAINT_ORDER_INK);
    EXPECT_EQ(p.reorders, 1);

    // Keys as a main dialog's loop sees them: the dialog manager over the
    // window holding the sheet would turn Enter into its OK command.
    hostOkCommands = 0;
    hostDefault = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(host.window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countingHost)));
    p.companions.launched.clear();
    SetFocus(c.item(IDC_TASK_TEST_PAGE));
    pressKey(host.window(), GetFocus(), WM_KEYDOWN, WM_KEYUP, VK_RETURN);
    EXPECT_EQ(p.companions.launched, std::vector<std::string>{launched(317)});
    EXPECT_EQ(hostOkCommands, 0);

    p.companions.launched.clear();
    const LPARAM alt = LPARAM(1) << 29;
    pressKey(host.window(), GetFocus(), WM_SYSKEYDOWN, WM_SYSKEYUP, 'A', alt);
    pressKey(host.window(), GetFocus(), WM_SYSKEYDOWN, WM_SYSKEYUP, '1', alt);
    EXPECT_EQ(p.companions.launched, (std::vector<std::string>{launched(422), launched(422)}));

    // Tab moves on inside the page, and from its last control to the tab strip.
    SetFocus(c.item(IDC_TASK_PRINTER_STATUS));
    pressKey(host.window(), GetFocus(), WM_KEYDOWN, WM_KEYUP, VK_TAB);
    EXPECT_EQ(GetFocus(), c.item(IDC_TASK_REPLACE_CARTRIDGE));
    SetFocus(c.item(IDC_MAINT_ORDER_INK));
    pressKey(host.window(), GetFocus(), WM_KEYDOWN, WM_KEYUP, VK_TAB);
    EXPECT_EQ(GetFocus(), tabs);
    SetWindowLongPtrA(host.window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostDefault));

    SetFocus(c.item(IDC_TASK_PRINTER_STATUS));
    settle(host.window());
    const std::string shot = thisDirectory() + "maintenance.bmp";
    EXPECT_TRUE(saveScreenshot(host.window(), shot)) << shot;
}

TEST(MaintenanceWindow, PortWithoutTwoWayGreysTheTasksThatReadThePrinter)
{
    Printer p;
    p.product.set(OptionKey::IDO_SUPPORT_CLEANROLLERS, 0);
    p.model->SetPortType(10);
    MaintainPropPage page(p.context());
    page.SetPrinter(p.model.get());
    SheetHost host(p.resources.get(), p.bitmaps.get());
    host.add(IDD_MAINTENANCE, "Maintenance", page);
    ASSERT_TRUE(host.open());
    const Controls c = host.page(0);
    for (int id : {IDC_TASK_PRINTER_STATUS, IDC_TASK_REPLACE_CARTRIDGE, IDC_TASK_ALIGN, IDC_TASK_CLEAN_CARTRIDGES,
                   IDC_TASK_TEST_PAGE, IDC_MAINT_ORDER_INK})
        EXPECT_FALSE(c.enabled(id)) << id;
    EXPECT_FALSE(c.visible(IDC_TASK_CLEAN_ROLLERS));
    EXPECT_FALSE(c.visible(IDC_TASK_CLEAN_ROLLERS_LABEL));
    // Still the levels, hatched as the last ones known.
    RECT bar;
    EXPECT_TRUE(SendMessageA(c.item(IDC_MAINT_INK_LEFT), GUI_GETINKRECT, 2, reinterpret_cast<LPARAM>(&bar)));
    c.click(IDC_TASK_ALIGN);
    EXPECT_TRUE(p.companions.launched.empty());
}

TEST(MoreOptionsWindow, OkWritesTheModelAndCancelDoesNot)
{
    Printer p;
    ASSERT_TRUE(p.resources) << "ppres.dll";
    p.model->SetJobProgressMinimized(0);
    p.model->SetShowProcessWindow(1);
    p.model->SetShowSpecialMessages(1);
    p.model->SetCompleteToPrint(1);
    p.model->SetShowInkLevels(0);
    p.model->SetBalloonTips(1);

    // Cancel after changes: nothing reaches the model.
    {
        MoreOptionsDlg dialog(p.context(), *p.model, kPrinter);
        DialogView view(dialog, p.resources.get(), p.bitmaps.get());
        Answerer user;
        user.marker = IDC_MORE_JOB_GROUP;
        user.act = [](const Controls& d) {
            d.click(IDC_MORE_JOB_HIDDEN);
            d.click(IDC_MORE_CTP_B);
            d.click(IDC_MORE_INK_YES);
        };
        user.presses = {IDCANCEL};
        user.arm();
        EXPECT_EQ(view.RunModal(nullptr, IDD_MORE_OPTIONS), IDCANCEL);
        ASSERT_TRUE(user.answered);
        EXPECT_EQ(user.texts.at(0), "More Options");
        EXPECT_EQ(p.model->GetShowProcessWindow(), 1);
        EXPECT_EQ(p.model->GetCompleteToPrint(), 1);
        EXPECT_EQ(p.model->GetShowInkLevels(), 0);
    }

    // OK: the job window hidden, option B instead of A, ink levels shown,
    // balloon tips off; the status program started on the way.
    MoreOptionsDlg dialog(p.context(), *p.model, kPrinter);
    DialogView view(dialog, p.resources.get(), p.bitmaps.get());
    Answerer user;
    user.marker = IDC_MORE_JOB_GROUP;
    bool aGreyed = false;
    bool aCheckedAtStart = false;
    user.act = [&](const Controls& d) {
        aCheckedAtStart = d.checked(IDC_MORE_CTP_A);
        d.click(IDC_MORE_JOB_HIDDEN);
        d.click(IDC_MORE_CTP_A);
        d.click(IDC_MORE_CTP_B);
        aGreyed = !d.enabled(IDC_MORE_CTP_A) && !d.checked(IDC_MORE_CTP_A);
        d.click(IDC_MORE_INK_YES);
        d.click(IDC_MORE_BALLOON);
        d.click(IDC_MORE_STATUS_PROGRAM);
    };
    user.screenshot = thisDirectory() + "moreoptions.bmp";
    user.presses = {IDOK};
    user.arm();
    EXPECT_EQ(view.RunModal(nullptr, IDD_MORE_OPTIONS), IDOK);
    ASSERT_TRUE(user.answered);
    EXPECT_TRUE(aCheckedAtStart);
    EXPECT_TRUE(aGreyed);
    EXPECT_EQ(p.model->GetShowProcessWindow(), 0);
    EXPECT_EQ(p.model->GetJobProgressMinimized(), 0);
    EXPECT_EQ(p.model->GetShowSpecialMessages(), 0);
    EXPECT_EQ(p.model->GetCompleteToPrint(), 2);
    EXPECT_EQ(p.model->GetShowInkLevels(), 1);
    EXPECT_EQ(p.model->GetBalloonTips(), 0);
    EXPECT_EQ(p.companions.launched, std::vector<std::string>{launched(308)});
    EXPECT_TRUE(p.trace.contains("MoreOptions:: Balloon tip is initially checked"));
}

TEST(MoreOptionsWindow, HiddenSectionsCloseUp)
{
    Printer p;
    p.product.set(OptionKey::IDO_DISPLAY_INKLEVELS_OPTION, 0).set(OptionKey::IDO_CATS_GUI_SUPPORTED, 0);
    MoreOptionsDlg dialog(p.context(), *p.model, kPrinter);
    DialogView view(dialog, p.resources.get(), p.bitmaps.get());
    Answerer user;
    user.marker = IDC_MORE_JOB_GROUP;
    RECT jobGroup{}, pagesGroup{}, ctpGroup{}, sound{};
    user.act = [&](const Controls& d) {
        auto place = [&d](int id, RECT& r) {
            GetWindowRect(d.item(id), &r);
            MapWindowPoints(nullptr, d.hwnd, reinterpret_cast<POINT*>(&r), 2);
        };
        place(IDC_MORE_JOB_GROUP, jobGroup);
        place(IDC_MORE_PAGES_GROUP, pagesGroup);
        place(IDC_MORE_CTP_GROUP, ctpGroup);
        place(IDC_MORE_SOUND, sound);
    };
    user.presses = {IDCANCEL};
    user.arm();
    view.RunModal(nullptr, IDD_MORE_OPTIONS);
    ASSERT_TRUE(user.answered);
    // The pages group took the ink group's place right under the job
    // window group, the sound box the balloon box's under the options.
    EXPECT_GT(pagesGroup.top, jobGroup.bottom);
    EXPECT_LT(pagesGroup.top - jobGroup.bottom, 20);   // a hidden section would leave 50 pixels
    EXPECT_GT(sound.top, ctpGroup.bottom);
    EXPECT_LT(sound.top - ctpGroup.bottom, 20);
}

}  // namespace
