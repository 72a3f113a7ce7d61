// The main preferences dialog of products whose IDO_PMKPRINTPROP is 0: the
// tabbed sheet of pages, the settings menu (personal settings, factory
// settings, help, about) and the status-program options it keeps in the
// printer's registry values between openings.
#pragma once

#include "AdvancePropPage.h"
#include "CAdvColorOptionsPropPage.h"
#include "CWatermarkTabPropPage.h"
#include "GUIPrinter.h"
#include "MaintainPropPage.h"
#include "PageContext.h"
#include "PageSetupPropPage.h"
#include "PrinterValues.h"
#include "View.h"

#include <cstdint>
#include <string>
#include <vector>

enum class MainTab { PageSetup, Advanced, Maintenance, Watermark, ColourOptions };

namespace MainDialogRules {
// The sheet's tabs in order, by the product's option keys.
std::vector<MainTab> Tabs(const ProductOptions& product);
// Where Tab from the tab strip puts the focus on each page.
int FirstControl(MainTab tab);
// The personal-settings menu: a command for every slot whose stored name
// is not "NULL", in slot order; names are indexed by slot - 2.
std::vector<MenuItem> SlotMenu(const std::vector<std::string>& slotNames);
// The model's duplex mode goes back to one-sided when the duplex unit is
// optional and not attached.
void NormaliseDuplex(GUIPrinter& model);
}  // namespace MainDialogRules

class OEMPropSheet {
public:
    OEMPropSheet(const PageContext& context, ScreenFonts fonts);

    void SetPrinter(GUIPrinter* model);
    // The pages in tab order, titled from the resource library.
    std::vector<SheetPage> Pages(const View& view);
    const std::vector<MainTab>& Tabs() const { return tabs_; }
    bool Has(MainTab tab) const;
    // Re-reads the model into the page behind a tab.
    void Refresh(MainTab tab, View& pageView);

    CWatermarkTabPropPage& watermark() { return watermark_; }
    CAdvColorOptionsPropPage& colourOptions() { return colour_; }

private:
    std::vector<MainTab> tabs_;
    PageSetupPropPage pageSetup_;
    AdvancePropPage advanced_;
    MaintainPropPage maintenance_;
    CWatermarkTabPropPage watermark_;
    CAdvColorOptionsPropPage colour_;
};

class OEMPropDlg : public DialogPage, public OEMPropDlgView {
public:
    OEMPropDlg(const PageContext& context, ScreenFonts fonts);
    ~OEMPropDlg() override;
    OEMPropDlg(const OEMPropDlg&) = delete;
    OEMPropDlg& operator=(const OEMPropDlg&) = delete;

    // Before the dialog runs: the attached model and the driver's initial
    // automatic media value (already 0 for ports that cannot report media).
    void SetPrinter(GUIPrinter* model, int32_t autoMedia);

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    void OnPaint(View& view) override;
    bool OnOK(View& view) override;
    void OnCancel(View& view) override;
    KeyAction OnKey(View& view, int id, Key key, char character) override;

    // The model changed under the pages: the active one re-reads it.
    void Refresh() override;

    bool openedOnRequest() const { return openedOnRequest_; }
    OEMPropSheet& sheet() { return sheet_; }

private:
    struct StartValues {
        uint32_t completeToPrint = 0;
        uint32_t companion = 0;
        uint32_t jobProgressMinimized = 0;
        uint32_t showProcessWindow = 1;
        uint32_t showSpecialMessages = 1;
        uint32_t showInkLevels = 0;
        uint32_t showNumberOfPages = 0;
    };

    PrinterValues values();
    void readStatusOptions();
    void chooseStartTab(View& view);
    void rebuildSlotMenu(View& view);
    void refreshActivePage(View& view);
    void saveWatermarks(const char* traceLine);
    void onSaveSettings(View& view);
    void onManageSettings(View& view);
    void onFactorySettings(View& view);
    void onLoadSlot(View& view, int slot);
    void onAbout(View& view);
    void helpIndex(View& view);
    void helpSearch(View& view);
    void helpTopic(View& view, uint32_t topic);
    bool colourPageShown(View& view);
    void writeOnOK(View& view);
    void cancel(View& view);

    PageContext context_;
    OEMPropSheet sheet_;
    GUIPrinter* model_ = nullptr;
    View* view_ = nullptr;
    int32_t autoMedia_ = 0;

    const bool inkLevelsShown_;
    const bool pagesRemainingShown_;
    const bool personalSettings_;
    const bool didYouKnow_;
    const bool soundShown_;
    const bool balloonTips_;
    const uint32_t jobProgressDefault_;
    std::string completeToPrintName_;
    std::string companionName_;
    std::string balloonName_;
    std::string didYouKnowName_;

    StartValues start_;
    bool firstPaint_ = true;
    bool openedOnRequest_ = false;
};
