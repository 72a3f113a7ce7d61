#include "AdvancePropPage.h"

#include "BitmapIds.h"
#include "MoreOptionsDlg.h"
#include "Options.h"
#include "ResourceIds.h"

namespace {

constexpr uint32_t kFlagEdgeToEdge = 0x1000;
constexpr uint32_t kFlagSpecial = 0x4000;
constexpr int kSheetRaise = 20;         // pixels the sheet sits above its placeholder
constexpr int kStatusProgramTask = 100; // the status program's main window
constexpr int kMoreOptionsTemplate = 6709;

// In the sheet's order: templates 636, 637, 638, 639, 635 (poster), 640, 641.
const LayoutEntry kLayouts[AdvanceRules::kLayoutCount] = {
    {0, IDS_LAYOUT_NORMAL, 0, 0, true},          {1, IDS_LAYOUT_TWO_UP, 0, 1, true},
    {2, IDS_LAYOUT_PAGES_PER_SHEET, 1, 0, true}, {3, IDS_LAYOUT_BOOKLET, 2, 0, true},
    {4, IDS_LAYOUT_POSTER, 4, 0, true},          {5, IDS_LAYOUT_PANORAMA, 3, 0, false},
    {6, IDS_LAYOUT_BORDERLESS, 7, 0, false},
};
constexpr int kPanorama = 5;
constexpr int kBorderless = 6;

struct MethodItem {
    uint32_t text;
    int32_t method;
};
const MethodItem kMethods[] = {{IDS_METHOD_NONE, 0},
                               {IDS_METHOD_MANUAL, 1},
                               {IDS_METHOD_AUTOMATIC, 2},
                               {IDS_METHOD_AUTOMATIC_SLOW, 3}};
const MethodItem kDryTimes[] = {{IDS_DRY_NORMAL, 0}, {IDS_DRY_LONGER, 1}, {IDS_DRY_LONGEST, 2}};

template <size_t N>
void fill(View& view, int id, const MethodItem (&items)[N], int32_t current)
{
    view.ClearList(id);
    int selected = 0;
    for (size_t i = 0; i < N; ++i) {
        view.AddListItem(id, view.String(items[i].text), items[i].method);
        if (items[i].method == current)
            selected = static_cast<int>(i);
    }
    view.SetListSelection(id, selected);
}

bool needsTwoWay(int id)
{
    return id == IDC_ADV_BIND_LONG || id == IDC_ADV_BIND_LONG_PICTURE || id == IDC_ADV_BIND_SHORT ||
           id == IDC_ADV_BIND_SHORT_PICTURE || id == IDC_ADV_METHOD || id == IDC_ADV_DRY_TIME;
}

}  // namespace

namespace AdvanceRules {

const LayoutEntry& Entry(int index)
{
    return kLayouts[index >= 0 && index < kLayoutCount ? index : 0];
}

int EntryForModel(uint32_t paperFlags, int32_t layoutCode, int32_t pageLayout)
{
    if (paperFlags & kFlagEdgeToEdge)
        return kBorderless;
    if (paperFlags & kFlagSpecial)
        return kPanorama;
    for (int i = 0; i < kLayoutCount; ++i)
        if (kLayouts[i].choosable && kLayouts[i].layoutCode == layoutCode && kLayouts[i].pageLayout == pageLayout)
            return i;
    // A layout no entry names (a page-layout value with another layout code)
    // shows under its layout code.
    for (int i = 0; i < kLayoutCount; ++i)
        if (kLayouts[i].choosable && kLayouts[i].layoutCode == layoutCode)
            return i;
    return 0;
}

}  // namespace AdvanceRules

using namespace AdvanceRules;

AdvancePropSheet::AdvancePropSheet(const PageContext& context)
    : normal_(IDB_PAPER_PLAIN),
      twoUp_(IDB_PAPER_TWO_UP),
      perSheet_(IDB_LAYOUT_PAGES_PER_SHEET),
      booklet_(IDB_LAYOUT_BOOKLET),
      poster_(context),
      panorama_(IDB_PAPER_PANORAMA),
      borderless_(IDB_PAPER_BORDERLESS)
{
}

std::vector<SheetPage> AdvancePropSheet::Pages()
{
    return {{IDD_LAYOUT_NORMAL, "Normal", &normal_},         {IDD_LAYOUT_TWO_UP, "Two up", &twoUp_},
            {IDD_LAYOUT_PAGES_PER_SHEET, "Per sheet", &perSheet_}, {IDD_LAYOUT_BOOKLET, "Booklet", &booklet_},
            {IDD_POSTER, "Poster", &poster_},                {IDD_LAYOUT_PANORAMA, "Panorama", &panorama_},
            {IDD_LAYOUT_BORDERLESS, "Borderless", &borderless_}};
}

AdvancePropPage::AdvancePropPage(const PageContext& context)
    : context_(context), sheet_(context), ink_(MakeInkDisplay(context))
{
}

void AdvancePropPage::OnInit(View& view)
{
    GUIPrinter& m = *model_;
    const Options o(context_.product);
    initialising_ = true;

    view.ClearList(IDC_ADV_LAYOUT_LIST);
    for (int i = 0; i < kLayoutCount; ++i)
        view.AddListItem(IDC_ADV_LAYOUT_LIST, view.String(kLayouts[i].text), i);
    if (!view.EmbedSheet(IDC_ADV_SHEET, kSheetRaise, sheet_.Pages()))
        context_.trace.OutputData("AdvancePropPage: the layout sheet could not be made");

    view.SetText(IDC_ADV_SIDE_FLIP_LABEL,
                 view.String(o.equals(OptionKey::IDO_USESIDEFLIPTYPICAL, 1) ? IDS_SIDE_FLIP_TYPICAL : IDS_SIDE_FLIP));
    const bool sharpening = o.equals(OptionKey::IDO_IMAGE_SHARPENING, 1);
    view.Show(IDC_ADV_SHARPENING, sharpening);
    view.Show(IDC_ADV_SHARPENING_PICTURE, sharpening);
    if (sharpening) {
        view.SetText(IDC_ADV_SHARPENING, view.String(IDS_IMAGE_SHARPENING));
        view.SetPicture(IDC_ADV_SHARPENING_PICTURE, IDB_SHARPENING);
    }
    view.SetPicture(IDC_ADV_BIND_LONG_PICTURE, IDB_BINDING_LONG_EDGE);
    view.SetPicture(IDC_ADV_BIND_SHORT_PICTURE, IDB_BINDING_SHORT_EDGE);

    LabelOrderInk(view, context_.product, IDC_ORDER_INK);
    SetUpInkDisplay(view, *ink_, m, IDC_ORDER_INK, IDC_INK_TANK_LEFT, IDC_INK_TANK_RIGHT);
    if (m.GetPortType() == 10)
        view.Enable(IDC_ADV_STATUS_LINK, false);
    m.SetRememberedBlankPageSuppression(m.GetBlankPageSuppression());

    // Two-sided printing needs the printer to answer, unless it says it
    // duplexes by itself.
    twoWayLocked_ = IsPortWithoutTwoWay(m.GetPortType()) && m.GetAutoDuplexSupport() != 1;
    if (twoWayLocked_)
        m.SetPrintWord140(1);

    Refresh(view);
    initialising_ = false;
}

void AdvancePropPage::Refresh(View& view)
{
    const GUIPrinter& m = *model_;
    const int entry = EntryForModel(m.GetPaperFlags(), m.GetLayoutCode(), m.GetFeatureWord14C());
    view.SetListSelection(IDC_ADV_LAYOUT_LIST, entry);
    // Panorama paper and borderless printing fix the layout.
    view.Enable(IDC_ADV_LAYOUT_LIST, kLayouts[entry].choosable);
    view.ShowSheetPage(kLayouts[entry].sheetPage);

    const bool booklet = m.GetLayoutCode() == 2;
    view.SetCheck(IDC_ADV_BIND_LONG, m.GetDuplexMode() == 2);
    view.SetCheck(IDC_ADV_BIND_SHORT, m.GetDuplexMode() == 3);
    fill(view, IDC_ADV_METHOD, kMethods, m.GetDuplexMethod());
    fill(view, IDC_ADV_DRY_TIME, kDryTimes, m.GetDryTime());
    const bool twoSided = m.GetDuplexMethod() == 2 || m.GetDuplexMethod() == 3;
    for (int id : {IDC_ADV_BIND_LONG, IDC_ADV_BIND_LONG_PICTURE, IDC_ADV_BIND_SHORT, IDC_ADV_BIND_SHORT_PICTURE,
                   IDC_ADV_METHOD, IDC_ADV_DRY_TIME}) {
        bool on = !twoWayLocked_ || !needsTwoWay(id);
        if (id != IDC_ADV_METHOD && id != IDC_ADV_DRY_TIME)
            on = on && !booklet;   // a booklet binds on its fold
        if (id == IDC_ADV_DRY_TIME)
            on = on && twoSided;
        view.Enable(id, on);
    }
    view.SetCheck(IDC_ADV_PRINT_OPTION, m.GetPrintWord140() == 2);
    view.Enable(IDC_ADV_PRINT_OPTION, !twoWayLocked_);
    view.SetCheck(IDC_ADV_SHARPENING, m.GetPlainSharpening() != 0);
    view.Redraw(0);
}

bool AdvancePropPage::OnCommand(View& view, int id, Notify code)
{
    GUIPrinter& m = *model_;
    if (code == Notify::SelChange) {
        switch (id) {
        case IDC_ADV_LAYOUT_LIST:
            onLayout(view);
            return true;
        case IDC_ADV_METHOD:
            onMethod(view);
            return true;
        case IDC_ADV_DRY_TIME: {
            const int selection = view.GetListSelection(IDC_ADV_DRY_TIME);
            if (selection >= 0)
                m.SetDryTime(view.GetListData(IDC_ADV_DRY_TIME, selection));
            view.Redraw(0);
            return true;
        }
        default:
            return false;
        }
    }
    if (code != Notify::Clicked)
        return false;
    switch (id) {
    case IDC_ADV_BIND_LONG:
    case IDC_ADV_BIND_LONG_PICTURE:
        onBinding(view, 2);
        return true;
    case IDC_ADV_BIND_SHORT:
    case IDC_ADV_BIND_SHORT_PICTURE:
        onBinding(view, 3);
        return true;
    case IDC_ADV_PRINT_OPTION:
        m.SetPrintWord140(m.GetPrintWord140() == 2 ? 1 : 2);
        view.SetCheck(IDC_ADV_PRINT_OPTION, m.GetPrintWord140() == 2);
        return true;
    case IDC_ADV_SHARPENING:
        if (Options(context_.product).equals(OptionKey::IDO_IMAGE_SHARPENING, 1)) {
            m.SetPlainSharpening(m.GetPlainSharpening() != 0 ? 0 : 1);
            view.SetCheck(IDC_ADV_SHARPENING, m.GetPlainSharpening() != 0);
            view.Redraw(IDC_ADV_SHARPENING_PICTURE);
        }
        return true;
    case IDC_ADV_STATUS_LINK:
        context_.companions.LaunchStatusProgram(m.GetPrinterName(), kStatusProgramTask);
        return true;
    case IDC_ADV_MORE_OPTIONS: {
        MoreOptionsDlg dialog(context_, m, m.GetPrinterName());
        view.RunDialog(kMoreOptionsTemplate, dialog);
        return true;
    }
    case IDC_ORDER_INK:
        context_.companions.OnOrderSupplies(m.GetPrinterName());
        return true;
    default:
        return false;
    }
}

void AdvancePropPage::onLayout(View& view)
{
    if (initialising_)
        return;
    GUIPrinter& m = *model_;
    const int selection = view.GetListSelection(IDC_ADV_LAYOUT_LIST);
    if (selection < 0 || selection >= kLayoutCount)
        return;
    const LayoutEntry& entry = kLayouts[selection];
    if (entry.choosable) {
        // Leaving a booklet ends its two-sided printing; a booklet needs it.
        if (m.GetLayoutCode() == 2 && entry.layoutCode != 2)
            m.SetDuplexMode(1);
        if (entry.layoutCode == 2 && m.GetDuplexMode() == 1)
            m.SetDuplexMode(2);
        m.SetLayoutCode(entry.layoutCode);
        m.SetFeatureWord14C(entry.pageLayout);
    }
    view.ShowSheetPage(entry.sheetPage);
    afterChange(view);
    view.SetFocus(IDC_ADV_LAYOUT_LIST);
}

void AdvancePropPage::onBinding(View& view, int32_t duplexMode)
{
    GUIPrinter& m = *model_;
    if (m.GetLayoutCode() == 2 || m.GetDuplexMode() == duplexMode)
        return;
    m.SetDuplexMode(duplexMode);
    afterChange(view);
}

// The method decides whether both sides print: none ends two-sided printing,
// any other starts it on the long edge when it was off.
void AdvancePropPage::onMethod(View& view)
{
    GUIPrinter& m = *model_;
    const int selection = view.GetListSelection(IDC_ADV_METHOD);
    if (selection < 0)
        return;
    const int32_t method = view.GetListData(IDC_ADV_METHOD, selection);
    m.SetDuplexMethod(method);
    if (method == 0 && m.GetLayoutCode() != 2)
        m.SetDuplexMode(1);
    else if (method != 0 && m.GetDuplexMode() == 1)
        m.SetDuplexMode(2);
    afterChange(view);
}

// The printer's rules may answer through the conflict dialog and change
// other settings; the page then shows what the model holds.
void AdvancePropPage::afterChange(View& view)
{
    model_->CheckConflicts();
    Refresh(view);
}
