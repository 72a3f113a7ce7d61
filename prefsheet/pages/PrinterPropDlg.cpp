#include "PrinterPropDlg.h"

#include "AdvancePropPage.h"
#include "BitmapIds.h"
#include "DisplayText.h"
#include "Options.h"
#include "PageSetupPropPage.h"
#include "PrinterValues.h"
#include "ResourceIds.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kFlagSpecial = 0x4000;
constexpr uint32_t kCustomSize = 256;
constexpr uint32_t kAutomaticMedia = 257;
constexpr int kPaperPage = 1;
constexpr int kLayoutPage = 2;
constexpr int kWatermarkPage = 3;

// The advanced page's layout entries in its order, each with its picture.
const uint32_t kLayoutPictures[AdvanceRules::kLayoutCount] = {
    IDB_PAPER_PLAIN,        IDB_PAPER_TWO_UP,    IDB_LAYOUT_PAGES_PER_SHEET, IDB_LAYOUT_BOOKLET,
    IDB_POSTER_SIZE_2X2_UP, IDB_PAPER_PANORAMA,  IDB_PAPER_BORDERLESS,
};

// The quality group by colour mode (2 colour, 1 black and white) and
// quality; the two top qualities name themselves by the product's options.
enum class QualityText { Top, High, Normal, Draft };
struct QualityRow {
    int32_t colorMode;
    int32_t quality;
    uint32_t picture;
    QualityText text;
};
const QualityRow kQualityRows[] = {
    {2, -3, IDB_SUMMARY_BEST, QualityText::Top},         {2, -4, IDB_SUMMARY_MAXIMUM, QualityText::High},
    {2, -2, IDB_SUMMARY_NORMAL, QualityText::Normal},    {2, -1, IDB_SUMMARY_DRAFT, QualityText::Draft},
    {1, -3, IDB_SUMMARY_BEST_GREY, QualityText::Top},    {1, -4, IDB_SUMMARY_MAXIMUM_GREY, QualityText::High},
    {1, -2, IDB_SUMMARY_NORMAL_GREY, QualityText::Normal},
};

uint32_t topQualityText(const Options& o)
{
    const bool noBest = o.equals(OptionKey::IDO_SUPPORT_BESTPRINTQUALITY, 0);
    if (noBest && o.equals(OptionKey::IDO_SUPPORT_PHOTOPRINTQUALITY, 1))
        return IDS_QUALITY_PHOTO;
    return noBest ? IDS_QUALITY_NORMAL : IDS_QUALITY_BEST;
}

uint32_t highQualityText(const Options& o)
{
    return o.equals(OptionKey::IDO_SUPPORT_PHOTOPRINTQUALITY, 1) ? IDS_QUALITY_PHOTO : IDS_QUALITY_NORMAL;
}

bool isSpecialMedia(uint32_t media)
{
    return media == 2 || media == 258 || media == 261 || media == 262;
}

// The button that shows each page; page 4 is the quality button's too.
int pageButton(int page)
{
    switch (page) {
    case kPaperPage:
        return IDC_ALT_SHOW_PAPER;
    case kLayoutPage:
        return IDC_ALT_SHOW_LAYOUT;
    case kWatermarkPage:
        return IDC_ALT_SHOW_WATERMARK;
    default:
        return IDC_ALT_SHOW_QUALITY;
    }
}

}  // namespace

namespace AlternateRules {

SummaryItem QualitySummary(int32_t colorMode, int32_t quality, const ProductOptions& product)
{
    const Options o(product);
    for (const QualityRow& row : kQualityRows) {
        if (row.colorMode != colorMode || row.quality != quality)
            continue;
        switch (row.text) {
        case QualityText::Top:
            return {row.picture, topQualityText(o)};
        case QualityText::High:
            return {row.picture, highQualityText(o)};
        case QualityText::Normal:
            return {row.picture, IDS_ALT_QUALITY_NORMAL};
        case QualityText::Draft:
            return {row.picture, IDS_ALT_QUALITY_DRAFT};
        }
    }
    if (quality == -99)
        return {IDB_SUMMARY_AUTOMATIC, IDS_ALT_QUALITY_AUTOMATIC};
    return {IDB_SUMMARY_OTHER, IDS_ALT_QUALITY_DRAFT};
}

uint32_t PaperPicture(uint32_t paperFlags, uint32_t paperSize, int32_t orientation)
{
    const PaperIllustration pictures = PageSetupRules::PaperPictures(paperFlags, paperSize, 0);
    return orientation == 2 ? pictures.companion : pictures.picture;
}

uint32_t MediaPicture(uint32_t mediaType)
{
    if (mediaType == kAutomaticMedia)
        return IDB_MEDIA_AUTOMATIC;
    if (PageSetupRules::IsPhotoMedia(mediaType))
        return IDB_MEDIA_PHOTO;
    return isSpecialMedia(mediaType) ? IDB_MEDIA_SPECIAL : IDB_MEDIA_PLAIN;
}

uint32_t MediaText(uint32_t mediaType)
{
    if (mediaType == kAutomaticMedia)
        return IDS_ALT_MEDIA_AUTOMATIC;
    const uint32_t text = PageSetupRules::MediaStringId(mediaType);
    return text != 0 ? text : IDS_MEDIA_PLAIN;
}

SummaryItem LayoutSummary(uint32_t paperFlags, int32_t layoutCode, int32_t pageLayout, int32_t duplexMode)
{
    const int entry = AdvanceRules::EntryForModel(paperFlags, layoutCode, pageLayout);
    uint32_t picture = kLayoutPictures[entry];
    if (entry == 0 && duplexMode == 2)
        picture = IDB_BINDING_LONG_EDGE;
    else if (entry == 0 && duplexMode == 3)
        picture = IDB_BINDING_SHORT_EDGE;
    return {picture, AdvanceRules::Entry(entry).text};
}

uint32_t TwoSidedText(int32_t duplexMode)
{
    switch (duplexMode) {
    case 2:
        return IDS_ALT_LONG_EDGE;
    case 3:
        return IDS_ALT_SHORT_EDGE;
    default:
        return IDS_ALT_ONE_SIDED;
    }
}

ScreenPoint TaskMenuPlacement(const ScreenRect& button, int menuWidth, int screenWidth)
{
    int x = button.left;
    if (x + menuWidth > screenWidth)
        x = screenWidth - menuWidth;
    return {std::max(x, 0), button.bottom};
}

bool BlankPageSuppressionOff(int32_t layoutCode, uint32_t paperFlags, int32_t duplexMode)
{
    return layoutCode == 4 || layoutCode == 1 || paperFlags == kFlagSpecial || duplexMode != 1;
}

bool ReadsAutoMedia(uint32_t portType)
{
    return !IsPortWithoutTwoWay(portType);
}

}  // namespace AlternateRules

using namespace AlternateRules;

PrinterPropSheet::PrinterPropSheet(const PageContext& context, const ScreenFonts& fonts)
    : quality_(context),
      paper_(context, fonts, IDD_ALT_PAPER),
      layout_(context, fonts, IDD_ALT_LAYOUT),
      watermark_(context, fonts, IDD_ALT_WATERMARK)
{
    if (Options(context.product).equals(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, 0))
        noMediaSense_ = std::make_unique<QualityPropPageNoMediaSense>(context);
}

void PrinterPropSheet::SetPrinter(GUIPrinter* model)
{
    quality_.SetPrinter(model);
    paper_.SetPrinter(model);
    layout_.SetPrinter(model);
    watermark_.SetPrinter(model);
    if (noMediaSense_ != nullptr)
        noMediaSense_->SetPrinter(model);
}

std::vector<SheetPage> PrinterPropSheet::Pages()
{
    std::vector<SheetPage> pages = {{IDD_QUALITY, "Quality", &quality_},
                                    {IDD_ALT_PAPER, "Paper", &paper_},
                                    {IDD_ALT_LAYOUT, "Layout", &layout_},
                                    {IDD_ALT_WATERMARK, "Watermarks", &watermark_}};
    if (noMediaSense_ != nullptr)
        pages.push_back({IDD_QUALITY_NO_MEDIA_SENSE, "Quality", noMediaSense_.get()});
    return pages;
}

PrinterPropDlg::PrinterPropDlg(const PageContext& context, ScreenFonts fonts)
    : context_(context), fonts_(fonts ? std::move(fonts) : ScreenFonts(TaskPages::NoFonts))
{
}

PrinterPropDlg::~PrinterPropDlg()
{
    if (model_ != nullptr)
        model_->SetAlternateMainWindow(nullptr);
}

void PrinterPropDlg::SetPrinter(GUIPrinter* model, int32_t autoMedia)
{
    model_ = model;
    autoMedia_ = autoMedia;
    // The paper page's layout controls lead to the layout page.
    PageContext pages = context_;
    pages.showLayoutPage = [this] {
        if (view_ != nullptr)
            showPage(*view_, kLayoutPage);
    };
    sheet_ = std::make_unique<PrinterPropSheet>(pages, fonts_);
    sheet_->SetPrinter(model);
    model_->SetAlternateMainWindow(this);
}

void PrinterPropDlg::OnInit(View& view)
{
    view_ = &view;
    view.SetWindowTitle(model_->GetPrinterName() + " " + view.String(IDS_ALT_TITLE));
    view.SetPicture(IDC_ALT_BANNER, IDB_BANNER_ALTERNATE);
    view.SetPicture(IDC_ALT_LOGO, IDB_PELMORA_LOGO);
    if (!view.EmbedSheet(IDC_ALT_SHEET, 0, sheet_->Pages()))
        context_.trace.OutputData("PrinterPropDlg: the sheet could not be made");
    showPage(view, sheet_->QualityPage());
}

void PrinterPropDlg::showPage(View& view, int index)
{
    activePage_ = index;
    view.ShowSheetPage(index);
    for (int page = 0; page <= kWatermarkPage; ++page)
        view.SetCheck(pageButton(page), pageButton(page) == pageButton(index));
}

bool PrinterPropDlg::OnCommand(View& view, int id, Notify code)
{
    if (code != Notify::Clicked)
        return false;
    switch (id) {
    case IDC_TASK_MENU_BUTTON:
        ShowTaskMenu(view);
        return true;
    case IDC_ALT_SHOW_QUALITY:
    case IDC_ALT_QUALITY_PICTURE:
    case IDC_ALT_QUALITY_TEXT:
        showPage(view, sheet_->QualityPage());
        return true;
    case IDC_ALT_SHOW_PAPER:
    case IDC_ALT_PAPER_PICTURE:
    case IDC_ALT_PAPER_TEXT:
    case IDC_ALT_MEDIA_PICTURE:
    case IDC_ALT_MEDIA_TEXT:
        showPage(view, kPaperPage);
        return true;
    case IDC_ALT_SHOW_LAYOUT:
    case IDC_ALT_LAYOUT_PICTURE:
    case IDC_ALT_LAYOUT_TEXT:
        showPage(view, kLayoutPage);
        return true;
    case IDC_ALT_SHOW_WATERMARK:
        showPage(view, kWatermarkPage);
        return true;
    case IDC_ALT_HELP: {
        const Options o(context_.product);
        const std::string window = o.text(OptionKey::IDO_HELPFILEMAINWND);
        view.OpenHelp(o.text(OptionKey::IDO_PROP_HELPFILE), window.empty() ? "" : ">" + window,
                      IDD_ALTERNATE_MAIN);
        return true;
    }
    default:
        return false;
    }
}

// Every redraw of the background brings the summary up to date; the first
// also starts the window up.
void PrinterPropDlg::OnPaint(View& view)
{
    drawSummary(view);
    if (!startedUp_)
        startUp(view);
}

void PrinterPropDlg::Repaint()
{
    if (view_ != nullptr)
        drawSummary(*view_);
}

void PrinterPropDlg::drawSummary(View& view)
{
    const GUIPrinter& m = *model_;
    const SummaryItem quality = QualitySummary(m.GetColorMode(), m.GetPrintQuality(), context_.product);
    view.SetPicture(IDC_ALT_QUALITY_PICTURE, quality.picture);
    view.SetText(IDC_ALT_QUALITY_TEXT, RemoveAmpersands(view.String(quality.text)));

    std::string size;
    if (m.GetPaperSize() == kCustomSize) {
        LCDEVMODE record;
        std::memset(&record, 0, sizeof record);
        m.SaveTo(record);
        size = CustomSizeText(record, context_.decimalSymbol, view.String(IDS_UNIT_MILLIMETRES),
                              view.String(IDS_UNIT_INCHES));
    } else if (const uint32_t text = PageSetupRules::PaperSizeStringId(m.GetPaperSize())) {
        size = view.String(text);
    } else {
        size = std::to_string(m.GetPaperSize());
    }
    const uint32_t orientation = m.GetOrientation() == 2 ? IDS_ALT_LANDSCAPE : IDS_ALT_PORTRAIT;
    view.SetPicture(IDC_ALT_PAPER_PICTURE, PaperPicture(m.GetPaperFlags(), m.GetPaperSize(), m.GetOrientation()));
    view.SetText(IDC_ALT_PAPER_TEXT, RemoveAmpersands(size + ", " + view.String(orientation)));

    view.SetPicture(IDC_ALT_MEDIA_PICTURE, MediaPicture(m.GetMediaType()));
    view.SetText(IDC_ALT_MEDIA_TEXT, RemoveAmpersands(view.String(MediaText(m.GetMediaType()))));

    const SummaryItem layout =
        LayoutSummary(m.GetPaperFlags(), m.GetLayoutCode(), m.GetFeatureWord14C(), m.GetDuplexMode());
    view.SetPicture(IDC_ALT_LAYOUT_PICTURE, layout.picture);
    view.SetText(IDC_ALT_LAYOUT_TEXT, RemoveAmpersands(view.String(layout.text) + "\n" +
                                                       view.String(TwoSidedText(m.GetDuplexMode()))));
}

void PrinterPropDlg::startUp(View& view)
{
    GUIPrinter& m = *model_;
    const Options o(context_.product);
    context_.slots.EnsureDefaults(m.GetPrinterName());

    if (ReadsAutoMedia(m.GetPortType())) {
        autoMedia_ = static_cast<int32_t>(readNumber("AUTOMEDIA", "Auto Media", 1, false));
    } else {
        autoMedia_ = 0;
    }
    m.SetAutoMediaValue1(autoMedia_);
    m.SetAutoMediaValue2(autoMedia_);

    m.SetShowProcessWindow(static_cast<int32_t>(readNumber("JSW", "Show Process Window", 1, false)));

    const uint32_t menuDefault = o.equals(OptionKey::IDO_DEFAULT_IWANTTO_MENU, 1) ? 1 : 0;
    const uint32_t showMenu = readNumber("WANTTOMENU", "Show On Startup", menuDefault, personalMode());
    m.SetShowIWantToMenu(static_cast<int32_t>(showMenu));
    if (showMenu == 1)
        view.SetTimer(kStartupTimer, kStartupTimerPeriod);

    m.SetConflictCheck(1);
    startedUp_ = true;
}

void PrinterPropDlg::OnTimer(View& view, int timerId)
{
    if (timerId != kStartupTimer || model_->GetPortType() == kPortWithoutMenu)
        return;
    view.KillTimer(kStartupTimer);
    if (!model_->IsConflictDialogOpen())
        ShowTaskMenu(view);
}

void PrinterPropDlg::ShowTaskMenu(View& view)
{
    view.SetPressed(IDC_TASK_MENU_BUTTON, true);
    if (menu_ == nullptr) {
        auto menu = std::make_unique<TaskMenuDlg>(context_, static_cast<TaskMenuOwner&>(*this));
        menu->SetPrinter(model_);
        { OpenPrinterKey key(context_.registry, model_->GetPrinterName(), "WANTTOMENU", personalMode()); }
        if (!view.OpenModeless(IDD_TASK_MENU, *menu)) {
            context_.trace.OutputData("PrinterPropDlg: the task menu could not be made");
            view.SetPressed(IDC_TASK_MENU_BUTTON, false);
            return;
        }
        menu_ = std::move(menu);
    }
    const ScreenRect menu = view.ModelessRect(*menu_);
    const ScreenPoint at =
        TaskMenuPlacement(view.ControlScreenRect(IDC_TASK_MENU_BUTTON), menu.right - menu.left, view.ScreenWidth());
    view.ShowModelessAt(*menu_, at.x, at.y);
}

void PrinterPropDlg::TaskMenuHidden()
{
    if (view_ != nullptr)
        view_->SetPressed(IDC_TASK_MENU_BUTTON, false);
}

// The dialog works on the model; the window then shows what it left.
int PrinterPropDlg::RunTask(int dialogTemplateId)
{
    if (view_ == nullptr)
        return kDialogCancel;
    PageContext dialogContext = context_;
    dialogContext.showLayoutPage = nullptr;
    TaskSettingsDlg dialog(dialogContext, fonts_, model_, dialogTemplateId);
    const int result = view_->RunDialog(dialogTemplateId, dialog);
    drawSummary(*view_);
    view_->ShowSheetPage(activePage_);
    return result;
}

bool PrinterPropDlg::OnOK(View& view)
{
    GUIPrinter& m = *model_;
    const Options o(context_.product);
    m.SetStatus(1);
    m.CheckConflicts();

    writeNumber("WANTTOMENU", "Show On Startup", static_cast<uint32_t>(m.GetShowIWantToMenu()), personalMode());
    // A port that cannot sense the media runs with it off; the printer's
    // stored choice stays for the ports that can.
    if (ReadsAutoMedia(m.GetPortType()))
        writeNumber("AUTOMEDIA", "Auto Media", static_cast<uint32_t>(m.GetAutoMediaValue1()), false);
    if (o.equals(OptionKey::IDO_SUPPORT_COMPLETE_A_PRINT, 1)) {
        const std::string name = o.text(OptionKey::IDO_KEY_NAME_COMPLETETOPRINT_FLAG);
        if (!name.empty())
            writeNumber("PSW", name, static_cast<uint32_t>(m.GetCompleteToPrint()), false);
    }
    if (o.equals(OptionKey::IDO_SUPPORT_WATERMARK, 1))
        m.Features().SetWatermarkReg(1, m.GetPrinterName());
    if (o.equals(OptionKey::IDO_BLANK_PAGE_SUPPRESSION, 1)) {
        m.SetRememberedBlankPageSuppression(m.GetBlankPageSuppression());
        if (BlankPageSuppressionOff(m.GetLayoutCode(), m.GetPaperFlags(), m.GetDuplexMode()))
            m.SetBlankPageSuppression(0);
    }
    view.EndDialog(kDialogOk);
    view_ = nullptr;   // the window goes; the model may still ask for a repaint
    return true;
}

void PrinterPropDlg::OnCancel(View& view)
{
    view.EndDialog(kDialogCancel);
    view_ = nullptr;
}

void PrinterPropDlg::OnSettingsChange(View& view)
{
    if (!resources_.isLoaded || !resources_.load || resources_.isLoaded())
        return;
    const std::string path = model_->GetDirectory() + Options(context_.product).text(OptionKey::IDO_PROP_RESDLL);
    if (!resources_.load(path))
        view.MessageBox("PROP_RESDLL not loaded", "ERROR", 0);
    view.Redraw(0);
}

bool PrinterPropDlg::personalMode() const
{
    return Options(context_.product).equals(OptionKey::IDO_PERSONAL_SETTINGS, 1);
}

uint32_t PrinterPropDlg::readNumber(const char* subKey, const std::string& valueName, uint32_t fallback,
                                    bool personal)
{
    return PrinterValues(context_.registry, context_.trace, model_->GetPrinterName(), personal)
        .Read(subKey, valueName, fallback);
}

void PrinterPropDlg::writeNumber(const char* subKey, const std::string& valueName, uint32_t value, bool personal)
{
    PrinterValues(context_.registry, context_.trace, model_->GetPrinterName(), personal).Write(subKey, valueName, value);
}
