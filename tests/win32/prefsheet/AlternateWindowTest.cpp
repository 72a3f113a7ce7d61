// The alternate main window run modally through the real dialog layer over
// the real registry component, with a stand-in user driven by a thread
// timer: the task menu opens by itself, a task's settings dialog changes the
// model, OK writes the registry. Saves screenshots of the window, the menu
// and a settings dialog.
// <windows.h> first: its MessageBox macro must rename the view's member everywhere.
#include "CommonLibrary_win.h"

#include "DialogView_win.h"
#include "PersonalSettings.h"
#include "PrinterPropDlg.h"
#include "ScreenFonts_win.h"

#include "ModelFakes.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace testsupport;
using namespace windowtest;

namespace {

const char kPrinter[] = "Pelmora Alternate Test";
const std::string kRoot = "Software\\Pelmora\\PrinterSettings\\Pelmora Alternate Test";

// A visible top-level window of this thread that has control `id`.
HWND visibleWindowWith(int id)
{
    HWND found = nullptr;
    windowsearch::ForEachThreadWindow([&found, id](HWND window) {
        if (!IsWindowVisible(window) || GetDlgItem(window, id) == nullptr)
            return true;
        found = window;
        return false;
    });
    return found;
}

// What a user does, step by step, each when its window shows; a step's
// action may open a modal loop of its own, so the next step is taken first.
// A user who waits too long closes every window and fails the test.
class StandInUser {
public:
    struct Step {
        std::string name;
        std::function<HWND()> find;
        std::function<void(HWND)> act;
    };
    explicit StandInUser(std::vector<Step> steps) : steps_(std::move(steps)) {}
    void start()
    {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 40, tick);
    }
    size_t done() const { return next_; }
    std::string waitingFor() const { return next_ < steps_.size() ? steps_[next_].name : ""; }
    ~StandInUser()
    {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD)
    {
        StandInUser* user = current_;
        if (user == nullptr || user->next_ >= user->steps_.size())
            return;
        if (++user->ticks_ > 400) {   // 16 s
            user->next_ = user->steps_.size() + 1;
            windowsearch::ForEachThreadWindow([](HWND window) {
                if (IsWindowVisible(window))
                    PostMessageA(window, WM_CLOSE, 0, 0);
                return true;
            });
            return;
        }
        Step& step = user->steps_[user->next_];
        HWND window = step.find();
        if (window == nullptr)
            return;
        ++user->next_;
        user->ticks_ = 0;
        step.act(window);
    }

    std::vector<Step> steps_;
    size_t next_ = 0;
    int ticks_ = 0;
    UINT_PTR timer_ = 0;
    static inline StandInUser* current_ = nullptr;
};

struct AlternateWindow {
    FakeProduct product;
    FakeSystemConfig config;
    FakeStatusCache status;
    DrvRegistry registry;
    RecordingTrace trace;
    ScriptedDialog conflicts;
    SilentMessages messages;
    RecordingCompanions companions;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    std::unique_ptr<PrinterPropDlg> dlg;
    UniqueModule resources{LoadLibraryA((thisDirectory() + "ppres.dll").c_str())};
    UniqueModule bitmaps{LoadLibraryA((thisDirectory() + "ppbmp.dll").c_str())};

    explicit AlternateWindow(uint32_t portType)
    {
        deleteTree(kRoot, HKEY_CURRENT_USER);
        product.set(OptionKey::IDO_DEFAULT_IWANTTO_MENU, 1);
        product.set(OptionKey::IDO_PERSONAL_SETTINGS, 1);
        product.set(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, 1);
        product.set(OptionKey::IDO_SUPPORT_COMPLETE_A_PRINT, 1);
        product.setText(OptionKey::IDO_KEY_NAME_COMPLETETOPRINT_FLAG, "CompleteToPrint");
        product.set(OptionKey::IDO_SUPPORT_WATERMARK, 1);
        product.setText(OptionKey::IDO_KEY_NAME_WATERMARK, "Watermarks");
        product.setText(OptionKey::IDO_KEY_NAME_WATERMARK_COUNT, "Watermark Count");
        product.setText(OptionKey::IDO_CONFIG_DLL, "pmoffice.cfg");
        config.defaultSizes = {{0, 1}, {0x4000, 300}, {0x8000, 20}, {0x1000, 296}};
        config.paperSizes = {1, 5, 9, 11, 20, 60, 61, 296, 256};
        config.mediaTypes = {1, 2, 3, 258, 265, 266};
        LCWMARKINFO mark;
        std::memset(&mark, 0, sizeof mark);
        std::strcpy(mark.wmName, "Confidential");
        model = std::make_unique<GUIPrinter>(GUIPrinterServices{product, config, status, registry, trace, mark});
        LCDEVMODE record = PlainRecord();
        std::strcpy(record.dmPrinterName, kPrinter);
        model->LoadFrom(record);
        INKINFO ink{};
        model->SetInkInfo2(ink, kPrinter);
        model->SetPortType(portType);
        model->SetConflictDialog(&conflicts);
        model->Features().SetWatermarkInitialInfo(kPrinter);   // as the opening does
        slots = std::make_unique<PersonalSettings>(product, registry, trace, messages,
                                                   [](LCDEVMODE& r) { r.dmCopies = 1; });
        PageContext context{product, registry, *slots, trace, companions,
                            [] { return std::make_unique<DrvInkDisplay>(); }, '.', nullptr};
        dlg = std::make_unique<PrinterPropDlg>(context, [this] { return ScreenTrueTypeFamilies(trace); });
        dlg->SetPrinter(model.get(), 1);
    }
    ~AlternateWindow() { deleteTree(kRoot, HKEY_CURRENT_USER); }

    INT_PTR run()
    {
        DialogView view(*dlg, resources.get(), bitmaps.get());
        return view.RunModal(nullptr, IDD_ALTERNATE_MAIN);
    }
};

}  // namespace

TEST(AlternateWindow, MenuOpensByItselfATaskChangesTheModelAndOKWritesTheRegistry)
{
    AlternateWindow w(0);
    ASSERT_TRUE(w.resources) << "ppres.dll";
    RECT button = {}, menuRect = {};
    bool menuHiddenDuringTask = false;
    bool buttonReleased = false;
    bool buttonPressed = false;
    bool paperPageShown = false;
    std::string paperText;
    StandInUser user({
        {"the task menu",
         [] { return visibleWindowWith(IDC_TASK_SHOW_ON_STARTUP); },
         [&](HWND menu) {
             HWND main = visibleWindowWith(IDC_ALT_SUMMARY_GROUP);
             GetWindowRect(GetDlgItem(main, IDC_TASK_MENU_BUTTON), &button);
             GetWindowRect(menu, &menuRect);
             buttonPressed = (SendMessageA(GetDlgItem(main, IDC_TASK_MENU_BUTTON), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
             EXPECT_EQ(SendMessageA(GetDlgItem(menu, IDC_TASK_SHOW_ON_STARTUP), BM_GETCHECK, 0, 0), BST_CHECKED);
             settle(main);
             settle(menu);
             EXPECT_TRUE(saveScreenshot(main, thisDirectory() + "altwindow-menu.bmp"));
             EXPECT_TRUE(saveScreenshot(menu, thisDirectory() + "taskmenu.bmp"));
             PostMessageA(GetDlgItem(menu, IDC_TASK_PAPER_PICTURE), BM_CLICK, 0, 0);
         }},
        {"the paper dialog",
         [] { return visibleWindowWith(IDC_TASK_HELP); },
         [&](HWND dialog) {
             menuHiddenDuringTask = visibleWindowWith(IDC_TASK_SHOW_ON_STARTUP) == nullptr;
             HWND landscape = visibleDescendant(dialog, IDC_LANDSCAPE);
             EXPECT_NE(landscape, nullptr);
             SendMessageA(landscape, BM_CLICK, 0, 0);
             settle(dialog);
             EXPECT_TRUE(saveScreenshot(dialog, thisDirectory() + "tasksettings.bmp"));
             PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
         }},
        {"the main window again",
         [] { return visibleWindowWith(IDC_TASK_HELP) == nullptr ? visibleWindowWith(IDC_ALT_SUMMARY_GROUP) : nullptr; },
         [&](HWND main) {
             paperText = Controls{main}.text(IDC_ALT_PAPER_TEXT);
             // The window shows the paper page on its button, the page setup page inside its frame.
             SendMessageA(GetDlgItem(main, IDC_ALT_SHOW_PAPER), BM_CLICK, 0, 0);
             HWND orientation = visibleDescendant(main, IDC_LANDSCAPE);
             paperPageShown = orientation != nullptr && IsWindowVisible(orientation) &&
                              SendMessageA(orientation, BM_GETCHECK, 0, 0) == BST_CHECKED;
             settle(main);
             EXPECT_TRUE(saveScreenshot(main, thisDirectory() + "altwindow.bmp"));
             PostMessageA(GetDlgItem(main, IDC_TASK_MENU_BUTTON), BM_CLICK, 0, 0);
         }},
        {"the task menu again",
         [] { return visibleWindowWith(IDC_TASK_SHOW_ON_STARTUP); },
         [&](HWND menu) {
             // Escape reaches the popup although the loop is the main window's.
             PostMessageA(GetDlgItem(menu, IDC_TASK_QUALITY_PICTURE), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
         }},
        {"the menu gone by its key",
         [] { return visibleWindowWith(IDC_TASK_SHOW_ON_STARTUP) == nullptr ? visibleWindowWith(IDC_ALT_SUMMARY_GROUP)
                                                                              : nullptr; },
         [&](HWND main) {
             buttonReleased = (SendMessageA(GetDlgItem(main, IDC_TASK_MENU_BUTTON), BM_GETSTATE, 0, 0) &
                               BST_PUSHED) == 0;
             PostMessageA(GetDlgItem(main, IDOK), BM_CLICK, 0, 0);
         }},
    });
    user.start();
    EXPECT_EQ(w.run(), 1);
    ASSERT_EQ(user.done(), 5u) << "waited for " << user.waitingFor();
    EXPECT_TRUE(buttonPressed);
    EXPECT_TRUE(paperPageShown);
    EXPECT_TRUE(buttonReleased);

    // The menu hung from the button's bottom-left corner.
    EXPECT_EQ(menuRect.left, button.left);
    EXPECT_EQ(menuRect.top, button.bottom);
    EXPECT_TRUE(menuHiddenDuringTask);
    EXPECT_EQ(w.model->GetOrientation(), 2);
    EXPECT_NE(paperText.find("landscape"), std::string::npos) << paperText;
    EXPECT_EQ(w.model->GetStatus(), 1u);

    EXPECT_EQ(rawNumber(kRoot + "\\Personal\\WANTTOMENU", "Show On Startup"), 1u);
    EXPECT_EQ(rawNumber(kRoot + "\\AUTOMEDIA", "Auto Media"), 1u);
    EXPECT_EQ(rawNumber(kRoot + "\\JSW", "Show Process Window"), 1u);
    EXPECT_EQ(rawNumber(kRoot + "\\PSW", "CompleteToPrint"), 0u);
    EXPECT_EQ(rawNumber(kRoot + "\\PRP", "Watermark Count"), 1u);
    DWORD type = 0;
    EXPECT_EQ(rawValue(HKEY_CURRENT_USER, kRoot + "\\Personal\\SLOT1", "Default Dev Mode", type).size(),
              sizeof(LCDEVMODE));
}

TEST(AlternateWindow, PortTypeTwelveNeverOpensTheMenuAndCancelEndsWithTwo)
{
    AlternateWindow w(12);
    ASSERT_TRUE(w.resources) << "ppres.dll";
    int waited = 0;
    bool menuSeen = true;
    StandInUser user({
        {"half a second of the main window",
         [&] { return ++waited > 12 ? visibleWindowWith(IDC_ALT_SUMMARY_GROUP) : nullptr; },
         [&](HWND main) {
             menuSeen = visibleWindowWith(IDC_TASK_SHOW_ON_STARTUP) != nullptr;
             PostMessageA(GetDlgItem(main, IDCANCEL), BM_CLICK, 0, 0);
         }},
    });
    user.start();
    EXPECT_EQ(w.run(), 2);
    ASSERT_EQ(user.done(), 1u);
    EXPECT_FALSE(menuSeen);
    EXPECT_EQ(w.dlg->TaskMenu(), nullptr);
    // "Show On Startup" was read (default 1) but nothing is written on Cancel.
    EXPECT_EQ(rawNumber(kRoot + "\\Personal\\WANTTOMENU", "Show On Startup"), 1u);
    EXPECT_EQ(rawNumber(kRoot + "\\PSW", "CompleteToPrint"), 0xDEADBEEFu);
}
