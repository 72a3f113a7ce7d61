// The alternate main preferences window (template 5001): a summary of the
// current settings as pictures and short texts, the embedded sheet of
// detailed pages (PrinterPropSheet, tabs hidden, the page chosen by the
// window), the task menu under its button and the status-program values it
// keeps in the registry.
#pragma once

#include "CWatermarkTabPropPage.h"
#include "ConflictDialog.h"
#include "GUIPrinter.h"
#include "PageContext.h"
#include "QualityPropPage.h"
#include "TaskMenuDlg.h"
#include "TaskSettingsDlg.h"
#include "View.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct SummaryItem {
    uint32_t picture;
    uint32_t text;
};

struct ScreenPoint {
    int x;
    int y;
};

// The summary's tables and the window's arithmetic, apart so they can be
// checked row by row.
namespace AlternateRules {
constexpr int kStartupTimer = 25;
constexpr unsigned kStartupTimerPeriod = 20;   // milliseconds
constexpr uint32_t kPortWithoutMenu = 12;

SummaryItem QualitySummary(int32_t colorMode, int32_t quality, const ProductOptions& product);
// Paper: the page setup page's picture of the paper kind, turned with the
// orientation; media: whether the printer senses it, else its kind.
uint32_t PaperPicture(uint32_t paperFlags, uint32_t paperSize, int32_t orientation);
uint32_t MediaPicture(uint32_t mediaType);
uint32_t MediaText(uint32_t mediaType);
// Layout: the advanced page's layout entry; two-sided printing shows its
// binding on a plain layout.
SummaryItem LayoutSummary(uint32_t paperFlags, int32_t layoutCode, int32_t pageLayout, int32_t duplexMode);
uint32_t TwoSidedText(int32_t duplexMode);
// Top-left corner of the task menu: the button's bottom-left corner, moved
// left as far as the menu would cross the screen's right edge, never past
// its left edge.
ScreenPoint TaskMenuPlacement(const ScreenRect& button, int menuWidth, int screenWidth);
// OK switches blank-page suppression off for these layouts.
bool BlankPageSuppressionOff(int32_t layoutCode, uint32_t paperFlags, int32_t duplexMode);
bool ReadsAutoMedia(uint32_t portType);
}  // namespace AlternateRules

// The sheet's pages by index: 0 quality, 1 paper (5042), 2 layout and
// two-sided (5043), 3 watermarks (5316), 4 quality without media sensing
// when the product has none.
class PrinterPropSheet {
public:
    PrinterPropSheet(const PageContext& context, const ScreenFonts& fonts);
    void SetPrinter(GUIPrinter* model);
    std::vector<SheetPage> Pages();
    int PageCount() const { return noMediaSense_ != nullptr ? 5 : 4; }
    // The page the window shows for quality.
    int QualityPage() const { return noMediaSense_ != nullptr ? 4 : 0; }

private:
    QualityPropPage quality_;
    FramedPage paper_;
    FramedPage layout_;
    FramedPage watermark_;
    std::unique_ptr<QualityPropPageNoMediaSense> noMediaSense_;
};

class PrinterPropDlg : public DialogPage, public AlternateMainWindowView, private TaskMenuOwner {
public:
    // fonts: the screen's font families for the watermark pages (none when empty).
    explicit PrinterPropDlg(const PageContext& context, ScreenFonts fonts = nullptr);
    ~PrinterPropDlg() override;
    PrinterPropDlg(const PrinterPropDlg&) = delete;
    PrinterPropDlg& operator=(const PrinterPropDlg&) = delete;

    // The resource library's reload after a change of the system's settings.
    struct ResourceLibrary {
        std::function<bool()> isLoaded;
        std::function<bool(const std::string& path)> load;   // true when loaded
    };
    void SetResourceLibrary(ResourceLibrary library) { resources_ = std::move(library); }

    // Before the window runs; autoMedia is the window's own copy of the
    // automatic-media value. The model outlives the window, which is its
    // alternate main window until it goes.
    void SetPrinter(GUIPrinter* model, int32_t autoMedia);

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    void OnTimer(View& view, int timerId) override;
    void OnPaint(View& view) override;
    bool OnOK(View& view) override;
    void OnCancel(View& view) override;
    void OnHelp(View& view, int id) override { ShowControlHelp(view, context_.product, id); }
    void OnSettingsChange(View& view) override;

    // The model's call after its rules changed settings.
    void Repaint() override;
    // The window's own operation, also the timer's: the task menu under its button.
    void ShowTaskMenu(View& view);

    bool StartedUp() const { return startedUp_; }
    int32_t AutoMedia() const { return autoMedia_; }
    int ActivePage() const { return activePage_; }
    TaskMenuDlg* TaskMenu() { return menu_.get(); }

private:
    int RunTask(int dialogTemplateId) override;
    void TaskMenuHidden() override;

    void drawSummary(View& view);
    void startUp(View& view);
    void showPage(View& view, int index);
    uint32_t readNumber(const char* subKey, const std::string& valueName, uint32_t fallback, bool personal);
    void writeNumber(const char* subKey, const std::string& valueName, uint32_t value, bool personal);
    bool personalMode() const;

    PageContext context_;
    ScreenFonts fonts_;
    ResourceLibrary resources_;
    GUIPrinter* model_ = nullptr;
    int32_t autoMedia_ = 0;
    std::unique_ptr<PrinterPropSheet> sheet_;
    std::unique_ptr<TaskMenuDlg> menu_;
    View* view_ = nullptr;   // the window's, while it runs
    bool startedUp_ = false;
    int activePage_ = 0;
};
