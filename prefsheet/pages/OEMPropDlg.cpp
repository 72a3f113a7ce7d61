#include "OEMPropDlg.h"

#include "BitmapIds.h"
#include "ManageSettingsDlg.h"
#include "Options.h"
#include "ResourceIds.h"
#include "SaveSettingsDlg.h"
#include "VersionDlg.h"

namespace {

const char kActiveSheetValue[] = "ActivePrinterPreferencesSheet";
const char kSearchQuery[] = "Pelmora Solution Center";
constexpr int kPersonalSettingsMenu = 0;       // the first menu of the bar
constexpr int kPersonalSettingsPosition = 4;   // its fifth item
constexpr uint32_t kPortWithoutSettings = 12;

bool isOn(const ProductOptions& product, const char* key)
{
    return Options(product).equals(key, 1);
}

// The pages reach back to the dialog for its tab strip and layout page.
PageContext withDialogHooks(PageContext context, OEMPropDlg& dialog, View* const& view)
{
    context.focusTabStrip = [&view] {
        if (view != nullptr)
            view->FocusSheetTabs();
    };
    context.showLayoutPage = [&dialog, &view] {
        const auto& tabs = dialog.sheet().Tabs();
        for (size_t index = 0; index < tabs.size(); ++index) {
            if (tabs[index] == MainTab::Advanced && view != nullptr)
                view->ShowSheetPage(static_cast<int>(index));
        }
    };
    return context;
}

}  // namespace

namespace MainDialogRules {

std::vector<MainTab> Tabs(const ProductOptions& product)
{
    std::vector<MainTab> tabs = {MainTab::PageSetup, MainTab::Advanced};
    if (isOn(product, OptionKey::IDO_PROPMAINTENANCE_TABSUPPORT))
        tabs.push_back(MainTab::Maintenance);
    if (isOn(product, OptionKey::IDO_SUPPORT_WATERMARK))
        tabs.push_back(MainTab::Watermark);
    if (isOn(product, OptionKey::IDO_IMAGE_BUFFER))
        tabs.push_back(MainTab::ColourOptions);
    return tabs;
}

int FirstControl(MainTab tab)
{
    switch (tab) {
    case MainTab::PageSetup:
        return IDC_PAPER_SIZE;
    case MainTab::Advanced:
        return IDC_ADV_LAYOUT_LIST;
    case MainTab::Maintenance:
        return IDC_TASK_PRINTER_STATUS;
    case MainTab::Watermark:
        return IDC_WM_LEFT_LIST;
    case MainTab::ColourOptions:
        return IDC_CONTRAST_OFF;
    }
    return 0;
}

std::vector<MenuItem> SlotMenu(const std::vector<std::string>& slotNames)
{
    std::vector<MenuItem> items;
    for (size_t index = 0; index < slotNames.size(); ++index) {
        if (slotNames[index] == kEmptySlotName)
            continue;
        // A '&' of the user's name is shown, not taken for a mnemonic.
        std::string text;
        for (char c : slotNames[index]) {
            text += c;
            if (c == '&')
                text += '&';
        }
        items.push_back(MenuItem{ID_LOAD_SLOT2 + static_cast<int>(index), text});
    }
    return items;
}

void NormaliseDuplex(GUIPrinter& model)
{
    if (model.GetAutoDuplexSupport() == 1 && model.GetDuplexUnitPresent() != 1 && model.GetDuplexMode() != 1) {
        model.SetDuplexMode(1);
        model.SetDuplexMethod(0);
    }
}

}  // namespace MainDialogRules

OEMPropSheet::OEMPropSheet(const PageContext& context, ScreenFonts fonts)
    : tabs_(MainDialogRules::Tabs(context.product)),
      pageSetup_(context),
      advanced_(context),
      maintenance_(context),
      watermark_(context, std::move(fonts)),
      colour_(context)
{
}

void OEMPropSheet::SetPrinter(GUIPrinter* model)
{
    pageSetup_.SetPrinter(model);
    advanced_.SetPrinter(model);
    maintenance_.SetPrinter(model);
    watermark_.SetPrinter(model);
    colour_.SetPrinter(model);
}

bool OEMPropSheet::Has(MainTab tab) const
{
    for (MainTab t : tabs_) {
        if (t == tab)
            return true;
    }
    return false;
}

std::vector<SheetPage> OEMPropSheet::Pages(const View& view)
{
    std::vector<SheetPage> pages;
    for (MainTab tab : tabs_) {
        switch (tab) {
        case MainTab::PageSetup:
            pages.push_back({IDD_PAGESETUP, view.String(IDS_TAB_PAGE_SETUP), &pageSetup_});
            break;
        case MainTab::Advanced:
            pages.push_back({IDD_ADVANCED, view.String(IDS_TAB_ADVANCED), &advanced_});
            break;
        case MainTab::Maintenance:
            pages.push_back({IDD_MAINTENANCE, view.String(IDS_TAB_MAINTENANCE), &maintenance_});
            break;
        case MainTab::Watermark:
            pages.push_back({IDD_WATERMARK_TAB, view.String(IDS_WATERMARKS_TITLE), &watermark_});
            break;
        case MainTab::ColourOptions:
            pages.push_back({IDD_ADV_COLOR_OPTIONS, view.String(IDS_COLOR_OPTIONS_TITLE), &colour_});
            break;
        }
    }
    return pages;
}

void OEMPropSheet::Refresh(MainTab tab, View& pageView)
{
    switch (tab) {
    case MainTab::PageSetup:
        pageSetup_.Refresh(pageView);
        break;
    case MainTab::Advanced:
        advanced_.Refresh(pageView);
        break;
    case MainTab::Maintenance:
        // The maintenance page shows nothing of the settings: a repaint does.
        pageView.Redraw(0);
        return;
    case MainTab::Watermark:
        watermark_.Refresh(pageView);
        break;
    case MainTab::ColourOptions:
        colour_.Refresh(pageView);
        break;
    }
    pageView.Redraw(0);
}

OEMPropDlg::OEMPropDlg(const PageContext& context, ScreenFonts fonts)
    : context_(withDialogHooks(context, *this, view_)),
      sheet_(context_, std::move(fonts)),
      inkLevelsShown_(isOn(context.product, OptionKey::IDO_DISPLAY_INKLEVELS_OPTION)),
      pagesRemainingShown_(isOn(context.product, OptionKey::IDO_DISPLAY_PAGE_REMAINING_OPTION)),
      personalSettings_(isOn(context.product, OptionKey::IDO_PERSONAL_SETTINGS)),
      didYouKnow_(isOn(context.product, OptionKey::IDO_SUPPORT_DIDYOUKNOWTIPS)),
      soundShown_(Options(context.product).equals(OptionKey::IDO_HIDE_SOUND_OPTION, 0)),
      balloonTips_(isOn(context.product, OptionKey::IDO_CATS_GUI_SUPPORTED)),
      jobProgressDefault_(Options(context.product).equals(OptionKey::IDO_DEFAULT_JSW_MINIMIZED, 0) ? 0 : 1)
{
}

OEMPropDlg::~OEMPropDlg()
{
    if (model_ != nullptr)
        model_->SetOEMPropDlg(nullptr);
}

void OEMPropDlg::SetPrinter(GUIPrinter* model, int32_t autoMedia)
{
    model_ = model;
    autoMedia_ = autoMedia;
    sheet_.SetPrinter(model);
    model_->SetOEMPropDlg(this);
}

PrinterValues OEMPropDlg::values()
{
    return PrinterValues(context_.registry, context_.trace, model_->GetPrinterName());
}

void OEMPropDlg::readStatusOptions()
{
    const Options options(context_.product);
    completeToPrintName_ = options.text(OptionKey::IDO_KEY_NAME_COMPLETETOPRINT_FLAG);
    companionName_ = options.text(OptionKey::IDO_KEY_NAME_COMPTOPRINT_PPLPA_FLAG);
    balloonName_ = options.text(OptionKey::IDO_SHOWBUBBLEWARNING_KEYNAME);
    didYouKnowName_ = options.text(OptionKey::IDO_KEY_NAME_SHOWDIDYOUKNOWTIP);

    PrinterValues stored = values();
    GUIPrinter& m = *model_;
    start_.completeToPrint = stored.Read("PSW", completeToPrintName_, 0);
    start_.companion = stored.Read("PSW", companionName_, 0);
    m.SetCompleteToPrint(static_cast<int32_t>(start_.completeToPrint));
    if (inkLevelsShown_) {
        start_.showInkLevels = stored.Read("PSW", "Show Ink Levels", 0);
        m.SetShowInkLevels(static_cast<int32_t>(start_.showInkLevels));
    }
    if (pagesRemainingShown_) {
        start_.showNumberOfPages = stored.Read("JSW", "Show NumberOfPages", 0);
        m.SetShowNumberOfPages(static_cast<int32_t>(start_.showNumberOfPages));
    }
    start_.jobProgressMinimized = stored.Read("JSW", "Job Progress Minimized", jobProgressDefault_);
    start_.showSpecialMessages = stored.Read("JSW", "Show Special Messages", 1);
    start_.showProcessWindow = stored.Read("JSW", "Show Process Window", 1);
    // Personal settings save and restore it with the others.
    m.SetJobProgressMinimized(static_cast<int32_t>(start_.jobProgressMinimized));
    m.SetShowSpecialMessages(static_cast<int32_t>(start_.showSpecialMessages));
    m.SetShowProcessWindow(static_cast<int32_t>(start_.showProcessWindow));
    if (balloonTips_) {
        const uint32_t balloon = stored.Read("LPA", balloonName_, 1);
        m.SetBalloonTips(static_cast<int32_t>(balloon));
        context_.trace.OutputData("OEMPropDlg::SetBalloonTipsValue(VALUE) " + std::to_string(balloon));
    }
    if (didYouKnow_)
        m.SetDidYouKnowTips(static_cast<int32_t>(stored.Read("PSW", didYouKnowName_, 0)));
    if (soundShown_) {
        const uint32_t soundDefault = Options(context_.product).equals(OptionKey::IDO_DEFAULT_SOUND, 0) ? 0 : 1;
        m.SetSound(static_cast<int32_t>(stored.Read("LPA", "Sound", soundDefault)));
    }
}

void OEMPropDlg::OnInit(View& view)
{
    view_ = &view;
    readStatusOptions();
    view.SetIcon(IDI_PRINTER);

    MainDialogRules::NormaliseDuplex(*model_);
    if (!view.EmbedSheet(IDC_MAIN_SHEET, 0, sheet_.Pages(view)))
        context_.trace.OutputData("OEMPropDlg: the sheet of pages could not be made");
    view.ShowSheetTabs(true);
    view.SetContextHelpButton(isOn(context_.product, OptionKey::IDO_PROP_CONTEXT_HELP));

    const bool mainProduct = Options(context_.product).equals(OptionKey::IDO_PMKPRINTPROP, 0);
    view.SetPicture(IDC_MAIN_BANNER, mainProduct ? IDB_BANNER : IDB_BANNER_ALTERNATE);

    if (model_->GetPortType() == kPortWithoutSettings) {
        view.EnableMenuCommand(ID_SAVE_SETTINGS, false);
        view.EnableMenuCommand(ID_MANAGE_SETTINGS, false);
    }
    rebuildSlotMenu(view);
    chooseStartTab(view);
    view.SetPalette(IDB_PALETTE_256);
}

void OEMPropDlg::chooseStartTab(View& view)
{
    uint32_t request = 0;
    if (!values().Take(kActiveSheetValue, request))
        return;
    if (request == 1 || request == 2) {
        view.ShowSheetPage(request == 1 ? 2 : 1);
        openedOnRequest_ = true;
    }
}

void OEMPropDlg::rebuildSlotMenu(View& view)
{
    std::vector<std::string> names;
    for (int slot = kFirstPersonalSlot; slot <= kLastPersonalSlot; ++slot)
        names.push_back(context_.slots.ReadSlotName(model_->GetPrinterName(), slot, PersonalSettings::NameRead::Menu));
    view.SetPopupItems(kPersonalSettingsMenu, kPersonalSettingsPosition, MainDialogRules::SlotMenu(names));
}

void OEMPropDlg::OnPaint(View& view)
{
    const std::string& printer = model_->GetPrinterName();
    view.SetWindowTitle(printer + " " + view.String(IDS_MAIN_TITLE_END));
    if (!firstPaint_)
        return;
    firstPaint_ = false;
    context_.slots.EnsureDefaults(printer);
    PrinterValues stored = values();
    int32_t autoMedia = 0;
    if (!IsPortWithoutTwoWay(model_->GetPortType()))
        autoMedia = static_cast<int32_t>(stored.Read("AUTOMEDIA", "Auto Media", 1));
    model_->SetAutoMediaValue1(autoMedia);
    model_->SetAutoMediaValue2(autoMedia);
    model_->SetShowProcessWindow(static_cast<int32_t>(stored.Read("JSW", "Show Process Window", 1)));
    model_->SetConflictCheck(1);
}

bool OEMPropDlg::OnCommand(View& view, int id, Notify code)
{
    if (code != Notify::Clicked)
        return false;
    switch (id) {
    case ID_HELP_INDEX:
        helpIndex(view);
        return true;
    case ID_SAVE_SETTINGS:
        onSaveSettings(view);
        return true;
    case ID_MANAGE_SETTINGS:
        onManageSettings(view);
        return true;
    case ID_FACTORY_SETTINGS:
        onFactorySettings(view);
        return true;
    case ID_HELP_SEARCH:
        helpSearch(view);
        return true;
    case ID_ABOUT:
        onAbout(view);
        return true;
    case ID_HELP_TOPIC_PAPER:
        helpTopic(view, 401);
        return true;
    case ID_HELP_TOPIC_LAYOUT:
        helpTopic(view, 402);
        return true;
    case ID_HELP_TOPIC_MAINTENANCE:
        helpTopic(view, 451);
        return true;
    case ID_HELP_TOPIC_WATERMARKS:
        helpTopic(view, 406);
        return true;
    default:
        break;
    }
    if (id >= ID_LOAD_SLOT2 && id <= ID_LOAD_SLOT6) {
        onLoadSlot(view, id - ID_LOAD_SLOT2 + kFirstPersonalSlot);
        return true;
    }
    return false;
}

void OEMPropDlg::helpIndex(View& view)
{
    view.OpenHelpIndex(Options(context_.product).text(OptionKey::IDO_PROP_HELPFILE));
}

void OEMPropDlg::helpSearch(View& view)
{
    view.SearchHelp(Options(context_.product).text(OptionKey::IDO_PROP_HELPFILE), kSearchQuery);
}

void OEMPropDlg::helpTopic(View& view, uint32_t topic)
{
    view.OpenHelp(Options(context_.product).text(OptionKey::IDO_PROP_HELPFILE), "", topic);
}

void OEMPropDlg::saveWatermarks(const char* traceLine)
{
    if (!isOn(context_.product, OptionKey::IDO_SUPPORT_WATERMARK) || !sheet_.Has(MainTab::Watermark))
        return;
    // A page never shown holds no list of its own: the store keeps its own.
    if (!sheet_.watermark().visited())
        return;
    context_.trace.OutputData(traceLine);
    sheet_.watermark().Save();
    if (!model_->Features().SetWatermarkReg(1, model_->GetPrinterName()))
        context_.trace.OutputData("OEMPropDlg: the watermarks could not be stored");
}

void OEMPropDlg::onSaveSettings(View& view)
{
    saveWatermarks("Saved Watermark Data in OnMenuSaveSettings()");
    if (colourPageShown(view)) {
        context_.trace.OutputData("Saved Image Buffer Data in OnMenuSaveSettings()");
        sheet_.colourOptions().PageOK();
    }
    SaveSettingsDlg dialog(context_, *model_);
    view.RunDialog(IDD_SAVE_SETTINGS, dialog);
    rebuildSlotMenu(view);
}

void OEMPropDlg::onManageSettings(View& view)
{
    ManageSettingsDlg dialog(context_, model_->GetPrinterName());
    view.RunDialog(IDD_MANAGE_SETTINGS, dialog);
    rebuildSlotMenu(view);
}

void OEMPropDlg::onFactorySettings(View& view)
{
    if (!context_.slots.RestoreDefaults(*model_)) {
        context_.trace.OutputData("OEMPropDlg: no factory settings stored; settings unchanged");
        return;
    }
    refreshActivePage(view);
}

void OEMPropDlg::onLoadSlot(View& view, int slot)
{
    if (context_.slots.LoadSlot(*model_, slot))
        refreshActivePage(view);
}

void OEMPropDlg::onAbout(View& view)
{
    VersionDlg dialog(model_->GetPortName(), context_.libraryVersion);
    view.RunDialog(IDD_VERSION, dialog);
}

void OEMPropDlg::Refresh()
{
    if (view_ != nullptr)
        refreshActivePage(*view_);
}

void OEMPropDlg::refreshActivePage(View& view)
{
    const int index = view.ActiveSheetPage();
    const auto& tabs = sheet_.Tabs();
    View* pageView = view.SheetPageView(index);
    if (index < 0 || index >= static_cast<int>(tabs.size()) || pageView == nullptr)
        return;
    sheet_.Refresh(tabs[static_cast<size_t>(index)], *pageView);
}

KeyAction OEMPropDlg::OnKey(View& view, int id, Key key, char)
{
    if (key != Key::Tab)
        return KeyAction::Default;
    if (id == IDC_MAIN_SHEET + 1) {   // the tab strip: into the page
        const int index = view.ActiveSheetPage();
        const auto& tabs = sheet_.Tabs();
        View* pageView = view.SheetPageView(index);
        if (index < 0 || index >= static_cast<int>(tabs.size()) || pageView == nullptr)
            return KeyAction::Default;
        pageView->SetFocus(MainDialogRules::FirstControl(tabs[static_cast<size_t>(index)]));
        return KeyAction::Handled;
    }
    if (id == kDialogCancel) {   // the dialog's last own control
        view.FocusSheetTabs();
        return KeyAction::Handled;
    }
    return KeyAction::Default;
}

bool OEMPropDlg::OnOK(View& view)
{
    model_->SetStatus(1);
    if (openedOnRequest_) {
        cancel(view);
        view.EndDialog(kDialogCancel);
        return false;
    }
    writeOnOK(view);
    return true;
}

// The colour options page holds values of its own only once it was shown.
bool OEMPropDlg::colourPageShown(View& view)
{
    if (!isOn(context_.product, OptionKey::IDO_IMAGE_BUFFER))
        return false;
    const auto& tabs = sheet_.Tabs();
    for (size_t index = 0; index < tabs.size(); ++index) {
        if (tabs[index] == MainTab::ColourOptions)
            return view.SheetPageView(static_cast<int>(index)) != nullptr;
    }
    return false;
}

void OEMPropDlg::writeOnOK(View& view)
{
    GUIPrinter& m = *model_;
    const StatusProgramOptions& status = m.StatusOptions();
    PrinterValues stored = values();
    auto writeOr = [&stored](const char* subKey, const char* name, int32_t value, uint32_t fallback) {
        if (!stored.Write(subKey, name, static_cast<uint32_t>(value)))
            stored.Write(subKey, name, fallback);
    };

    stored.Write("AUTOMEDIA", "Auto Media", static_cast<uint32_t>(m.GetAutoMediaValue1()));
    writeOr("JSW", "Job Progress Minimized", status.jobProgressMinimized, jobProgressDefault_);
    writeOr("JSW", "Show Special Messages", status.showSpecialMessages, 1);
    writeOr("JSW", "Show Process Window", status.showProcessWindow, 1);
    if (pagesRemainingShown_)
        stored.Write("JSW", "Show NumberOfPages", static_cast<uint32_t>(status.showNumberOfPages));

    const int32_t mode = status.completeToPrint;
    stored.Write("PSW", completeToPrintName_, static_cast<uint32_t>(mode));
    stored.Write("PSW", companionName_, mode == 1 || mode == 2 ? 1 : 0);
    if (inkLevelsShown_)
        stored.Write("PSW", "Show Ink Levels", static_cast<uint32_t>(status.showInkLevels));

    if (balloonTips_) {
        stored.Write("LPA", balloonName_, static_cast<uint32_t>(status.balloonTips));
        context_.trace.OutputData("OEMPropDlg::GetBalloonTipsValue(VALUE) " + std::to_string(status.balloonTips));
    }
    if (didYouKnow_)
        stored.Write("PSW", didYouKnowName_, static_cast<uint32_t>(status.didYouKnowTips));
    if (soundShown_)
        stored.Write("LPA", "Sound", static_cast<uint32_t>(status.sound));

    if (isOn(context_.product, OptionKey::IDO_BLANK_PAGE_SUPPRESSION)) {
        m.SetRememberedBlankPageSuppression(m.GetBlankPageSuppression());
        const int32_t layout = m.GetLayoutCode();
        if (layout == 4 || layout == 1 || m.GetPaperFlags() == 0x4000 || m.GetDuplexMode() != 1)
            m.SetBlankPageSuppression(0);
        context_.trace.OutputData("OEMPropDlg::GetBlankPageSuppression() returns: " +
                                  std::to_string(m.GetBlankPageSuppression()));
    }
    // The colour options page keeps its values apart until OK, as a page
    // of a sheet does; Cancel throws them away below.
    if (colourPageShown(view))
        sheet_.colourOptions().PageOK();
    saveWatermarks("Saved Watermark Data in OnOK()");
}

void OEMPropDlg::OnCancel(View& view)
{
    cancel(view);
}

void OEMPropDlg::cancel(View& view)
{
    if (colourPageShown(view))
        sheet_.colourOptions().PageCancel();
    PrinterValues stored = values();
    if (Options(context_.product).equals(OptionKey::IDO_PMKPRODLIKE, 0)) {
        stored.Write("PSW", completeToPrintName_, start_.completeToPrint);
        stored.Write("PSW", companionName_, start_.companion);
    }
    stored.Write("JSW", "Job Progress Minimized", start_.jobProgressMinimized);
    stored.Write("JSW", "Show Process Window", start_.showProcessWindow);
    stored.Write("JSW", "Show Special Messages", start_.showSpecialMessages);
    if (inkLevelsShown_)
        stored.Write("PSW", "Show Ink Levels", start_.showInkLevels);
    if (pagesRemainingShown_)
        stored.Write("JSW", "Show NumberOfPages", start_.showNumberOfPages);
    model_->SetStatus(3);
}
