#include "PageSetupPropPage.h"

#include "BorderlessInfoDlg.h"
#include "CustomPaperSizeDlg.h"
#include "Options.h"
#include "ResourceIds.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr uint32_t kFlagEdgeToEdge = 0x1000;
constexpr uint32_t kFlagSpecial = 0x4000;
constexpr uint32_t kFlagEnvelope = 0x8000;
constexpr uint32_t kCustomSize = 256;

struct QualityButton {
    int id;
    int label;
    uint32_t up;
    uint32_t down;
};
// Left to right; the automatic button leads and its gap closes when absent.
const QualityButton kQualityButtons[] = {
    {IDC_QUALITY_AUTO, IDC_QUALITY_AUTO_LABEL, PageSetupBitmap::AutoUp, PageSetupBitmap::AutoDown},
    {IDC_QUALITY_DRAFT, IDC_QUALITY_DRAFT_LABEL, PageSetupBitmap::DraftUp, PageSetupBitmap::DraftDown},
    {IDC_QUALITY_NORMAL, IDC_QUALITY_NORMAL_LABEL, PageSetupBitmap::NormalUp, PageSetupBitmap::NormalDown},
    {IDC_QUALITY_BEST, IDC_QUALITY_BEST_LABEL, PageSetupBitmap::BestUp, PageSetupBitmap::BestDown},
};
constexpr int kQualityPitch = 44;   // dialog units between two quality buttons

int buttonForQuality(int32_t quality)
{
    switch (quality) {
    case -2:
        return IDC_QUALITY_NORMAL;
    case -1:
        return IDC_QUALITY_DRAFT;
    case -3:
    case -4:
        return IDC_QUALITY_BEST;
    default:
        return IDC_QUALITY_AUTO;
    }
}

struct PaperEntry {
    uint32_t size;
    uint32_t text;
};
const PaperEntry kPaperSizes[] = {
    {1, IDS_PAPER_LETTER},          {5, IDS_PAPER_LEGAL},
    {7, IDS_PAPER_EXECUTIVE},       {9, IDS_PAPER_A4},
    {11, IDS_PAPER_A5},             {20, IDS_PAPER_ENVELOPE10},
    {27, IDS_PAPER_ENVELOPE_DL},    {28, IDS_PAPER_ENVELOPE_C5},
    {60, IDS_PAPER_PHOTO_4X6},      {61, IDS_PAPER_PHOTO_5X7},
    {62, IDS_PAPER_PHOTO_10X15},    {70, IDS_PAPER_PANORAMA},
    {296, IDS_PAPER_PHOTO_4X6_BORDERLESS}, {297, IDS_PAPER_PHOTO_5X7_BORDERLESS},
    {298, IDS_PAPER_LETTER_BORDERLESS},    {299, IDS_PAPER_A4_BORDERLESS},
    {kCustomSize, IDS_CUSTOM_SIZE},
};

// The media list's order: plain kinds, then special, then photo media.
const uint32_t kMediaOrder[] = {1, 257, 270, 271, 272, 273, 274, 275, 276, 277, 2, 261, 262, 3, 265, 266, 267, 258};

const int32_t kSources[] = {7, 1, 2};   // automatic, first tray, second tray

// Where the model records a chosen media: per paper source, or in both
// trays when they share it.
void recordMediaPerSource(GUIPrinter& m, uint32_t media)
{
    if (m.GetSharedMedia() == 1) {
        m.SetMediaType2(media);
        m.SetMediaType3(media);
    } else if (m.GetPaperSource() == 2) {
        m.SetMediaType3(media);
    } else {
        m.SetMediaType2(media);
    }
}

}  // namespace

namespace PageSetupRules {

bool IsPlainKind(uint32_t media)
{
    return media == 1 || media == 257 || (media >= 270 && media <= 277);
}

bool IsPhotoMedia(uint32_t media)
{
    return media == 3 || (media >= 265 && media <= 268);
}

bool IsBorderlessSize(uint32_t size)
{
    static const uint32_t sizes[] = {271, 296, 297, 298, 299, 301, 302, 303, 304, 305, 308, 310, 312, 313, 315, 317};
    return std::find(std::begin(sizes), std::end(sizes), size) != std::end(sizes);
}

uint32_t CopiesIllustration(int32_t copies, int32_t collate, int32_t pageOrder)
{
    if (copies <= 1)
        return pageOrder == 1 ? 6724 : 6723;
    if (collate == 0 && pageOrder == 2)
        return 6721;
    if (collate == 0 && pageOrder == 1)
        return 6722;
    if (collate == 1 && pageOrder == 2)
        return 6725;
    if (collate == 1 && pageOrder == 1)
        return 6726;
    return 6723;
}

PaperIllustration PaperPictures(uint32_t paperFlags, uint32_t paperSize, int32_t pageLayout)
{
    if (pageLayout == 1)
        return {6928, 6929};
    if (paperFlags & kFlagSpecial)
        return {6731, 6732};
    if (paperFlags & kFlagEdgeToEdge)
        return {6727, 6728};
    if (paperFlags & kFlagEnvelope)
        return paperSize >= 284 && paperSize <= 290 ? PaperIllustration{6841, 6735} : PaperIllustration{6730, 6733};
    return {6729, 6734};
}

CartridgeState GetCartridgeState(uint32_t left, uint32_t right, bool rightIsPhoto)
{
    if (left == kNoCartridge && right == kNoCartridge)
        return MissingAndMissing;
    if (left == kNoCartridge)
        return MissingAndBlack;
    if (right == kNoCartridge)
        return ColorAndMissing;
    if (rightIsPhoto)
        return ColorAndPhoto;
    return ColorAndBlack;
}

const char* CartridgeStateName(CartridgeState state)
{
    switch (state) {
    case MissingAndMissing:
        return "MISSING_AND_MISSING";
    case MissingAndBlack:
        return "MISSING_AND_BLACK";
    case ColorAndMissing:
        return "COLOR_AND_MISSING";
    case ColorAndPhoto:
        return "COLOR_AND_PHOTO";
    default:
        return "COLOR_AND_BLACK";
    }
}

uint32_t PaperSizeStringId(uint32_t size)
{
    for (const PaperEntry& e : kPaperSizes)
        if (e.size == size)
            return e.text;
    return 0;
}

uint32_t MediaStringId(uint32_t media)
{
    switch (media) {
    case 1:
        return IDS_MEDIA_PLAIN;
    case 2:
        return IDS_MEDIA_TRANSPARENCY;
    case 3:
        return IDS_MEDIA_GLOSSY;
    case 257:
        return IDS_AUTOMATIC;
    case 258:
        return IDS_MEDIA_PREMIUM;
    case 261:
        return IDS_MEDIA_BROCHURE;
    case 262:
        return IDS_MEDIA_MATTE;
    case 265:
        return IDS_MEDIA_SOFT_GLOSS;
    case 266:
        return IDS_MEDIA_HIGH_GLOSS;
    case 267:
        return IDS_MEDIA_MATTE_PHOTO;
    default:
        return media >= 270 && media <= 277 ? IDS_MEDIA_PLAIN_FIRST + (media - 270) : 0;
    }
}

void FillMediaList(View& view, int listId, GUIPrinter& model, bool withAutomatic)
{
    view.ClearList(listId);
    for (uint32_t media : kMediaOrder) {
        const bool offered =
            media == 257 ? withAutomatic : model.IsMediaTypeSupported(static_cast<uint16_t>(media)) != 0;
        if (offered)
            view.AddListItem(listId, view.String(MediaStringId(media)), static_cast<int32_t>(media));
    }
}

void SelectMedia(View& view, int listId, uint32_t media, bool regionPhotoMedia)
{
    int position = 0;
    if (regionPhotoMedia && media >= 265 && media <= 267) {
        position = static_cast<int>(media - 265) + 3;
    } else if (media == 268) {
        position = view.GetListCount(listId) > 6 ? 6 : 0;
    } else {
        for (int i = 0; i < view.GetListCount(listId); ++i)
            if (view.GetListData(listId, i) == static_cast<int32_t>(media))
                position = i;
    }
    view.SetListSelection(listId, position);
}

int32_t CopiesFromText(const std::string& text)
{
    if (text == "0")
        return 1;
    const long copies = std::strtol(text.c_str(), nullptr, 10);
    if (copies <= 0)
        return 0;
    return static_cast<int32_t>(std::min(copies, 99L));
}

MediaChoiceResult ApplyMediaChoice(GUIPrinter& m, uint32_t media, const MediaChoice& choice)
{
    MediaChoiceResult result;
    result.envelopeMode = choice.envelopeMode;
    if (m.GetMediaType() == 258 && media != 258)
        m.SetFeatureWord14C(0);

    if (IsPlainKind(media)) {
        m.SetMediaType(media);
        recordMediaPerSource(m, media);
        if (choice.photoListQuality != 0)
            m.SetPrintQuality(choice.photoListQuality);
        if (media == 257 && choice.paperPathType1 && choice.photoListQuality != 0) {
            m.SetPrintQuality(-4);
            result.photoListToStandard = true;
        }
    } else if (media == 2 || media == 261 || media == 262 || IsPhotoMedia(media)) {
        m.SetMediaType(media);
        recordMediaPerSource(m, media);
    } else if (media == 258) {
        if (m.GetLayoutCode() == 2)
            m.SetDuplexMode(1);
        m.SetLayoutCode(0);
        m.SetMediaType(258);
        if (choice.envelopeBranches) {
            if ((m.GetPaperFlags() == kFlagEnvelope && choice.envelopeMode) || (m.GetPaperFlags() & kFlagEdgeToEdge))
                m.SetMediaType(1);
            if (m.GetMediaType() == 258) {
                result.envelopeMode = false;
                m.SetEnvelopeMode(0);
            }
        }
    } else {
        m.SetMediaType(1);
        m.SetPaperSize(choice.otherFromSavedSize ? m.GetSavedPaperSize() : m.GetPlainPaperDefaultSize());
    }
    if (m.GetLayoutCode() == 2 && m.GetPaperSize() != 1 && m.GetPaperSize() != 9)
        m.SetPaperSize(m.GetPlainPaperDefaultSize());
    m.SetRememberedQuality(m.GetPrintQuality());
    return result;
}

}  // namespace PageSetupRules

using namespace PageSetupRules;

PageSetupPropPage::PageSetupPropPage(const PageContext& context)
    : context_(context),
      product_(context.product),
      registry_(context.registry),
      slots_(context.slots),
      trace_(context.trace),
      ink_(MakeInkDisplay(context))
{
    const Options o(product_);
    autoQuality_ = o.equals(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, 1);
    traysShown_ = o.number(OptionKey::IDO_NUMBER_BINS) > 1;
    photoDpi_ = o.equals(OptionKey::IDO_SUPPORT_PHOTODPI, 1);
    regionPhotoMedia_ = o.equals(OptionKey::IDO_REGION_PHOTO_MEDIA, 1);
    photoNoBlackWhite_ = o.equals(OptionKey::IDO_UNSUPPORT_PRINTPHOTOBLACKWHITE, 1);
    prodLike_ = o.equals(OptionKey::IDO_PMKPRODLIKE, 1);
    completeAPrint_ = o.equals(OptionKey::IDO_SUPPORT_COMPLETE_A_PRINT, 1);
    draftGlossyConflict_ = o.equals(OptionKey::IDO_DRAFT_GLOSSY_CONFLICT, 1);
    paperPathType1_ = o.equals(OptionKey::IDO_PAPER_PATH_TYPE, 1);
}

void PageSetupPropPage::OnInit(View& view)
{
    GUIPrinter& m = *model_;
    const Options o(product_);
    setupQualityButtons(view);
    view.SetRange(IDC_COPIES_SPIN, 1, 99);
    view.SetTextLimit(IDC_COPIES, 2);
    setupLabels(view);

    if (o.equals(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, 0) || IsPortWithoutTwoWay(m.GetPortType())) {
        if (m.GetMediaType() == 257)
            m.SetMediaType(1);
        m.SetAutoMedia(0);
        m.SetAutoMediaValue1(0);
        m.SetAutoMediaValue2(0);
    }
    if (prodLike_)
        blackWhite_ = m.GetBlackWhite() != 0;
    copies_ = m.GetCopies();
    m.SetRememberedQuality(m.GetPrintQuality());
    best_ = m.GetPrintQuality() == -3 || m.GetPrintQuality() == -4;

    if (photoDpi_) {
        view.ClearList(IDC_PHOTO_DPI);
        view.AddListItem(IDC_PHOTO_DPI, view.String(IDS_STANDARD_PHOTO), -4);
        view.AddListItem(IDC_PHOTO_DPI, view.String(IDS_MAXIMUM_DPI), -3);
        view.SetListSelection(IDC_PHOTO_DPI, m.GetPrintQuality() == -3 ? 1 : 0);
        view.Enable(IDC_PHOTO_DPI, best_);   // the list refines best quality only
    } else {
        view.Show(IDC_PHOTO_DPI, false);
    }

    setupInk(view);
    setupSources(view);

    cartridgeState_ = GetCartridgeState(m.GetLogicalCartridge1(), m.GetLogicalCartridge2(),
                                        ink_->IsPhotoCartridge(2));
    trace_.OutputData(std::string("PageSetupPropPage::GetCartridgeState() ") + CartridgeStateName(cartridgeState_));
    envelopeMode_ = m.GetEnvelopeMode() != 0;

    const uint32_t sensed = m.GetAutoMediaType1();
    if ((sensed == 2 || sensed == 7 || sensed == 8) && autoQuality_) {
        photoDetected_ = true;
        trace_.OutputData("Photo/Glossy Paper detected - disabling Print B & W");
    }
    Refresh(view);
}

void PageSetupPropPage::setupQualityButtons(View& view)
{
    for (const QualityButton& b : kQualityButtons) {
        if (b.id == IDC_QUALITY_AUTO && !autoQuality_) {
            view.Show(b.id, false);
            view.Show(b.label, false);
            view.Enable(b.id, false);
            continue;
        }
        if (!autoQuality_) {
            view.MoveBy(b.id, -kQualityPitch, 0);
            view.MoveBy(b.label, -kQualityPitch, 0);
        }
    }
}

void PageSetupPropPage::setupLabels(View& view)
{
    const Options o(product_);
    const bool e2e = o.equals(OptionKey::IDO_SUPPORT_E2E, 1);
    view.Show(IDC_EDGE_TO_EDGE, e2e);
    if (e2e)
        view.SetText(IDC_EDGE_TO_EDGE, view.String(IDS_BORDERLESS));
    else
        view.Enable(IDC_EDGE_TO_EDGE, false);
    const bool envelope = o.equals(OptionKey::IDO_ENVELOPECHECKBOX, 1);
    view.Show(IDC_ENVELOPE, envelope);
    if (envelope)
        view.SetText(IDC_ENVELOPE, view.String(IDS_ENVELOPE));
    else
        view.Enable(IDC_ENVELOPE, false);
    if (o.equals(OptionKey::IDO_DRAFT_QUICKPRINT_STRING, 1))
        view.SetText(IDC_QUALITY_DRAFT_LABEL, view.String(IDS_QUICK));
    if (o.equals(OptionKey::IDO_BESTQUALITY_STRING, 1))
        view.SetText(IDC_QUALITY_BEST_LABEL, view.String(IDS_BEST_PHOTO));
}

void PageSetupPropPage::setupInk(View& view)
{
    LabelOrderInk(view, product_, IDC_ORDER_INK);
    SetUpInkDisplay(view, *ink_, *model_, IDC_ORDER_INK, IDC_INK_TANK_LEFT, IDC_INK_TANK_RIGHT);

    const bool layoutPage = static_cast<bool>(context_.showLayoutPage);
    view.Show(IDC_LAYOUT_OPTIONS, layoutPage);
    view.Show(IDC_LAYOUT_NOTE, layoutPage);
    if (layoutPage)
        view.SetText(IDC_LAYOUT_OPTIONS, view.String(IDS_LAYOUT_OPTIONS));
}

void PageSetupPropPage::setupSources(View& view)
{
    GUIPrinter& m = *model_;
    view.Show(IDC_PAPER_SOURCE, traysShown_);
    view.Show(IDC_PAPER_SOURCE_LABEL, traysShown_);
    if (!traysShown_)
        return;
    view.ClearList(IDC_PAPER_SOURCE);
    view.AddListItem(IDC_PAPER_SOURCE, view.String(IDS_AUTOMATIC), kSources[0]);
    view.AddListItem(IDC_PAPER_SOURCE, view.String(IDS_TRAY1), kSources[1]);
    view.AddListItem(IDC_PAPER_SOURCE, view.String(IDS_TRAY2), kSources[2]);
    const bool attached = m.IsOptTrayAttached() != 0;
    if (!attached) {
        view.SetListSelection(IDC_PAPER_SOURCE, 0);
        m.SetPaperSource(7);
    }
    const bool enabled = attached && m.GetPortType() != 12;
    view.Enable(IDC_PAPER_SOURCE, enabled);
    view.Enable(IDC_PAPER_SOURCE_LABEL, enabled);
}

void PageSetupPropPage::Refresh(View& view)
{
    GUIPrinter& m = *model_;
    const int32_t quality = m.GetPrintQuality();
    pressQuality(view, quality >= -4 && quality <= -1 ? buttonForQuality(quality) : IDC_QUALITY_AUTO);
    if (m.GetColorMode() == 2) {
        blackWhite_ = false;
        m.SetBlackWhite(0);
    } else if (m.GetColorMode() == 1) {
        blackWhite_ = true;
        m.SetBlackWhite(1);
    }
    view.SetCheck(IDC_BLACK_WHITE, blackWhite_);
    envelopeMode_ = m.GetEnvelopeMode() != 0;
    copies_ = m.GetCopies();
    view.SetCheck(IDC_EDGE_TO_EDGE, (m.GetPaperFlags() & kFlagEdgeToEdge) != 0);
    view.SetCheck(IDC_PORTRAIT, m.GetOrientation() != 2);
    view.SetCheck(IDC_LANDSCAPE, m.GetOrientation() == 2);
    FillMediaList(view, IDC_MEDIA_TYPE, m, autoQuality_);
    SelectMedia(view, IDC_MEDIA_TYPE, m.GetMediaType(), regionPhotoMedia_);
    fillPaperList(view);
    if (traysShown_) {
        const auto it = std::find(std::begin(kSources), std::end(kSources), m.GetPaperSource());
        view.SetListSelection(IDC_PAPER_SOURCE, it == std::end(kSources) ? 0 : static_cast<int>(it - kSources));
    }
    applyCopiesEnables(view);
    applyPhotoRule(view);
    const uint32_t flags = m.GetPaperFlags();
    if ((flags & kFlagSpecial) || m.GetFeatureWord14C() == 1 || m.GetLayoutCode() == 4 ||
        (flags & kFlagEdgeToEdge)) {
        m.SetDuplexMode(1);
        m.SetDuplexMethod(0);
    }
    view.SetCheck(IDC_BLANK_PAGE, m.GetBlankPageSuppression() != 0);
    OnPaint(view);
    view.Redraw(0);
}

void PageSetupPropPage::pressQuality(View& view, int button)
{
    for (const QualityButton& b : kQualityButtons) {
        view.SetCheck(b.id, b.id == button);
        view.SetPicture(b.id, b.id == button ? b.down : b.up);
    }
}

void PageSetupPropPage::applyCopiesEnables(View& view)
{
    const GUIPrinter& m = *model_;
    const bool edgeToEdge = (m.GetPaperFlags() & kFlagEdgeToEdge) != 0;
    const bool special = (m.GetPaperFlags() & kFlagSpecial) != 0;
    const bool copiesLocked = m.GetLayoutCode() == 4 || special || edgeToEdge;
    view.Enable(IDC_COPIES, !copiesLocked);
    view.Enable(IDC_COPIES_SPIN, !copiesLocked);
    const bool layoutLocked = m.GetLayoutCode() == 2 || m.GetLayoutCode() == 4 || special || edgeToEdge ||
                              m.GetDuplexMode() == 2 || m.GetDuplexMode() == 3;
    view.Enable(IDC_LAYOUT_OPTIONS, !layoutLocked);
    view.Enable(IDC_LAYOUT_NOTE, !layoutLocked);
    if (traysShown_ && (m.GetPaperFlags() & kFlagEdgeToEdge))
        view.Enable(IDC_PAPER_SOURCE, false);
}

void PageSetupPropPage::applyPhotoRule(View& view)
{
    GUIPrinter& m = *model_;
    if (!IsPhotoMedia(m.GetMediaType()) || !photoNoBlackWhite_)
        return;
    view.Enable(IDC_BLACK_WHITE, false);
    view.SetCheck(IDC_BLACK_WHITE, false);
    blackWhite_ = false;
    m.SetColorMode(2);
    m.SetBlackWhite(0);
    if (m.GetCompleteToPrint() == 2)
        m.SetCompleteToPrint(0);
}

void PageSetupPropPage::fillPaperList(View& view)
{
    GUIPrinter& m = *model_;
    view.ClearList(IDC_PAPER_SIZE);
    int selected = -1;
    for (const PaperEntry& e : kPaperSizes) {
        if (m.IsPaperSizeSupported(e.size) == 0)
            continue;
        if (e.size == m.GetPaperSize())
            selected = view.GetListCount(IDC_PAPER_SIZE);
        view.AddListItem(IDC_PAPER_SIZE, view.String(e.text), static_cast<int32_t>(e.size));
    }
    view.SetListSelection(IDC_PAPER_SIZE, selected);
}

void PageSetupPropPage::showCopies(View& view)
{
    if (copies_ == 0) {
        copies_ = 1;
        model_->SetCopies(1);
    }
    view.SetText(IDC_COPIES, std::to_string(copies_));
    view.SetPosition(IDC_COPIES_SPIN, copies_);
}

void PageSetupPropPage::drawIllustrations(View& view)
{
    const GUIPrinter& m = *model_;
    const PaperIllustration paper = PaperPictures(m.GetPaperFlags(), m.GetPaperSize(), m.GetFeatureWord14C());
    view.SetPicture(IDC_PAPER_PICTURE, paper.picture);
    view.SetPicture(IDC_PAPER_PICTURE2, paper.companion);
    view.SetPicture(IDC_COPIES_PICTURE, CopiesIllustration(copies_, m.GetCollate(), m.GetPageOrder()));
}

void PageSetupPropPage::OnPaint(View& view)
{
    GUIPrinter& m = *model_;
    showCopies(view);
    drawIllustrations(view);
    view.SetCheck(IDC_COLLATE, m.GetCollate() != 0);
    view.SetCheck(IDC_PAGE_ORDER, m.GetPageOrder() == 1);

    // Black and white: locked by complete-to-print and photo cartridges,
    // refused on photo media where the product says so, else by cartridges.
    const bool photoCartridge = ink_->IsPhotoCartridge(1) || ink_->IsPhotoCartridge(2);
    if (completeToPrintLocksBlackWhite()) {
        view.Enable(IDC_BLACK_WHITE, false);
        view.SetCheck(IDC_BLACK_WHITE, false);
        blackWhite_ = false;
        m.SetColorMode(2);
        m.SetBlackWhite(0);
    } else if (m.GetCompleteToPrint() == 1 || m.GetCompleteToPrint() == 2 || photoCartridge) {
        view.Enable(IDC_BLACK_WHITE, false);
        if (IsPhotoMedia(m.GetMediaType()) && m.GetCompleteToPrint() == 2 && photoNoBlackWhite_)
            m.SetCompleteToPrint(0);
    } else if ((IsPhotoMedia(m.GetMediaType()) || photoDetected_) && photoNoBlackWhite_) {
        view.Enable(IDC_BLACK_WHITE, false);
        view.SetCheck(IDC_BLACK_WHITE, false);
        blackWhite_ = false;
        if (completeAPrint_)
            m.SetCompleteToPrint(0);
    } else if (cartridgeState_ == MissingAndMissing || cartridgeState_ == ColorAndMissing) {
        view.Enable(IDC_BLACK_WHITE, false);
        view.SetCheck(IDC_BLACK_WHITE, false);
    } else {
        view.Enable(IDC_BLACK_WHITE, true);
    }

    view.Enable(IDC_COLLATE, copies_ > 1 && (m.GetPaperFlags() & kFlagSpecial) == 0);
    const bool e2eOffered = Options(product_).equals(OptionKey::IDO_SUPPORT_E2E, 1);
    bool e2eEnabled = e2eOffered && m.GetPaperSize() != kCustomSize;
    if (m.GetMediaType() == 258 && m.GetPrintQuality() != -1)
        view.SetCheck(IDC_EDGE_TO_EDGE, false);
    view.SetCheck(IDC_PORTRAIT, m.GetOrientation() != 2);
    view.SetCheck(IDC_LANDSCAPE, m.GetOrientation() == 2);

    const bool envelopeOffered = Options(product_).equals(OptionKey::IDO_ENVELOPECHECKBOX, 1);
    if (envelopeMode_ && m.GetPaperFlags() != kFlagEdgeToEdge) {
        view.SetCheck(IDC_ENVELOPE, true);
        e2eEnabled = false;
    } else {
        view.SetCheck(IDC_ENVELOPE, false);
    }
    view.Enable(IDC_EDGE_TO_EDGE, e2eEnabled);
    view.Enable(IDC_ENVELOPE, envelopeOffered && m.GetPaperFlags() != kFlagEdgeToEdge && m.GetPaperSource() != 2);
    view.Enable(IDC_BLANK_PAGE, m.GetLayoutCode() != 4 && m.GetLayoutCode() != 1 &&
                                    m.GetPaperFlags() != kFlagSpecial && m.GetDuplexMode() == 1);
}

bool PageSetupPropPage::OnCommand(View& view, int id, Notify code)
{
    if (code == Notify::Clicked) {
        switch (id) {
        case IDC_QUALITY_AUTO:
        case IDC_QUALITY_DRAFT:
        case IDC_QUALITY_NORMAL:
        case IDC_QUALITY_BEST:
            onQuality(view, id);
            return true;
        case IDC_BLACK_WHITE:
            onBlackWhite(view);
            return true;
        case IDC_COLLATE:
            model_->SetCollate(model_->GetCollate() != 0 ? 0 : 1);
            afterChange(view);
            return true;
        case IDC_PAGE_ORDER: {
            const int32_t order = model_->GetPageOrder() == 1 ? 2 : 1;
            model_->SetPageOrder(order);
            model_->SetSavedPageOrder(order);
            afterChange(view);
            return true;
        }
        case IDC_PORTRAIT:
        case IDC_PORTRAIT_PICTURE:
            onOrientation(view, 1);
            return true;
        case IDC_LANDSCAPE:
        case IDC_LANDSCAPE_PICTURE:
            onOrientation(view, 2);
            return true;
        case IDC_ENVELOPE:
            onEnvelope(view);
            return true;
        case IDC_EDGE_TO_EDGE:
            onEdgeToEdge(view);
            return true;
        case IDC_ORDER_INK:
            context_.companions.OnOrderSupplies(model_->GetPrinterName());
            return true;
        case IDC_LAYOUT_OPTIONS:
            if (context_.showLayoutPage)
                context_.showLayoutPage();
            return true;
        case IDC_BLANK_PAGE: {
            const int32_t on = model_->GetBlankPageSuppression() != 0 ? 0 : 1;
            model_->SetBlankPageSuppression(on);
            model_->SetRememberedBlankPageSuppression(on);
            view.SetCheck(IDC_BLANK_PAGE, on != 0);
            return true;
        }
        default:
            return false;
        }
    }
    if (code == Notify::SelChange) {
        switch (id) {
        case IDC_PHOTO_DPI:
            onPhotoDpi(view);
            return true;
        case IDC_MEDIA_TYPE:
            onMedia(view);
            return true;
        case IDC_PAPER_SIZE:
            onPaperSize(view);
            return true;
        case IDC_PAPER_SOURCE:
            onPaperSource(view);
            return true;
        default:
            return false;
        }
    }
    if (code == Notify::EditChange && id == IDC_COPIES) {
        onCopies(view);
        return true;
    }
    return false;
}

// The copies spin moves its buddy field, whose change notification does the work.
void PageSetupPropPage::OnScroll(View&, int, int) {}

// Every change is checked against the printer's rules, which may answer
// through the conflict dialog and change other settings; the page then
// shows what the model holds.
void PageSetupPropPage::afterChange(View& view)
{
    model_->CheckConflicts();
    Refresh(view);
}

int32_t PageSetupPropPage::qualityFromPhotoList(View& view) const
{
    return PhotoListQuality(view.GetListSelection(IDC_PHOTO_DPI));
}

void PageSetupPropPage::onQuality(View& view, int button)
{
    GUIPrinter& m = *model_;
    if (copies_ == 0) {
        copies_ = 1;
        m.SetCopies(1);
        view.SetText(IDC_COPIES, "1");
    }
    pressQuality(view, button);
    int32_t quality = m.GetPrintQuality();
    switch (button) {
    case IDC_QUALITY_AUTO:
    case IDC_QUALITY_NORMAL:
        quality = button == IDC_QUALITY_AUTO ? -99 : -2;
        if (photoDpi_) {
            view.SetListSelection(IDC_PHOTO_DPI, 0);
            view.Enable(IDC_PHOTO_DPI, false);
        }
        best_ = false;
        break;
    case IDC_QUALITY_DRAFT:
        quality = -1;
        best_ = false;
        break;
    default:
        if (photoDpi_) {
            view.Enable(IDC_PHOTO_DPI, true);
            if (quality != -3 && quality != -4)
                quality = qualityFromPhotoList(view);
            view.SetFocus(IDC_PHOTO_DPI);
        } else {
            quality = -4;
        }
        best_ = true;
        break;
    }
    m.SetPrintQuality(quality);
    m.SetRememberedQuality(quality);
    afterChange(view);
}

void PageSetupPropPage::onPhotoDpi(View& view)
{
    model_->SetPrintQuality(qualityFromPhotoList(view));
    model_->SetRememberedQuality(model_->GetPrintQuality());
    afterChange(view);
}

void PageSetupPropPage::endCompleteToPrint()
{
    if (!prodLike_ && completeAPrint_ && Options(product_).equals(OptionKey::IDO_PMKPRODLIKE, 0))
        model_->SetCompleteToPrint(0);
}

// The status program's complete-to-print choice, as the main window stored
// it, keeps black and white off while complete-to-print is on.
bool PageSetupPropPage::completeToPrintLocksBlackWhite()
{
    if (prodLike_ || model_->GetCompleteToPrint() == 0)
        return false;
    return (ReadStoredCompleteToPrint(registry_, product_, model_->GetPrinterName()) & 3) != 0;
}

void PageSetupPropPage::onBlackWhite(View& view)
{
    blackWhite_ = view.GetCheck(IDC_BLACK_WHITE);
    model_->SetColorMode(blackWhite_ ? 1 : 2);
    model_->SetBlackWhite(blackWhite_ ? 1 : 0);
    endCompleteToPrint();
    afterChange(view);
}

void PageSetupPropPage::onCopies(View& view)
{
    const std::string text = view.GetText(IDC_COPIES);
    const int32_t copies = CopiesFromText(text);
    if (text == "0")
        view.SetText(IDC_COPIES, "1");
    if (copies == 0)
        return;   // an empty or non-numeric field keeps the count
    copies_ = copies;
    model_->SetCopies(copies_);
    view.Enable(IDC_COLLATE, copies_ > 1 && (model_->GetPaperFlags() & kFlagSpecial) == 0);
    view.SetPicture(IDC_COPIES_PICTURE, CopiesIllustration(copies_, model_->GetCollate(), model_->GetPageOrder()));
}

void PageSetupPropPage::onOrientation(View& view, int32_t orientation)
{
    GUIPrinter& m = *model_;
    if (orientation == m.GetOrientation()) {
        view.SetCheck(IDC_PORTRAIT, orientation == 1);
        view.SetCheck(IDC_LANDSCAPE, orientation == 2);
        return;
    }
    if ((m.GetPaperFlags() & (kFlagEnvelope | kFlagSpecial | kFlagEdgeToEdge)) == 0 && m.GetPaperSource() != 2)
        m.SetSavedOrientation(m.GetOrientation());
    m.SetOrientation(orientation);
    afterChange(view);
}

void PageSetupPropPage::onMedia(View& view)
{
    GUIPrinter& m = *model_;
    const int selection = view.GetListSelection(IDC_MEDIA_TYPE);
    if (selection < 0)
        return;
    const uint32_t media = static_cast<uint32_t>(view.GetListData(IDC_MEDIA_TYPE, selection));
    MediaChoice choice;
    choice.photoListQuality = best_ && photoDpi_ ? qualityFromPhotoList(view) : 0;
    choice.paperPathType1 = paperPathType1_;
    choice.envelopeMode = envelopeMode_;
    const MediaChoiceResult result = ApplyMediaChoice(m, media, choice);
    envelopeMode_ = result.envelopeMode;
    if (result.photoListToStandard)
        view.SetListSelection(IDC_PHOTO_DPI, 0);
    applyPhotoRule(view);
    afterChange(view);
}

void PageSetupPropPage::onPaperSize(View& view)
{
    GUIPrinter& m = *model_;
    const int selection = view.GetListSelection(IDC_PAPER_SIZE);
    if (selection < 0)
        return;
    uint32_t size = static_cast<uint32_t>(view.GetListData(IDC_PAPER_SIZE, selection));
    if (m.GetPaperFlags() & kFlagEdgeToEdge) {
        m.SetPaperSize(IsBorderlessSize(size) ? size : kEdgeToEdgeSize);
    } else if (size == kCustomSize) {
        CustomPaperSizeDlg dialog(m, product_, context_.decimalSymbol);
        view.RunDialog(IDD_CUSTOM_SIZE, dialog);   // OK stores the size; Cancel leaves the model
    } else {
        m.SetPaperSize(size);
    }
    afterChange(view);
}

void PageSetupPropPage::onPaperSource(View& view)
{
    GUIPrinter& m = *model_;
    const int selection = view.GetListSelection(IDC_PAPER_SOURCE);
    if (selection < 0 || selection > 2)
        return;
    m.SetPaperSource(kSources[selection]);
    afterChange(view);
}

void PageSetupPropPage::onEnvelope(View& view)
{
    GUIPrinter& m = *model_;
    if (!envelopeMode_) {
        slots_.SaveSnapshot(m, SnapshotKind::Envelope);
        m.SetEnvelopeMode(1);
        envelopeMode_ = true;
        view.SetCheck(IDC_ENVELOPE, true);
        m.SetLayoutCode(0);
        m.SetFeatureWord14C(0);
        m.SetSavedCollate(m.GetCollate());
        m.SetSavedCopies(m.GetCopies());
        m.SetSavedMediaType(m.GetMediaType());
        m.SetPaperFlags(kFlagEnvelope);
        m.SetDuplexMode(1);
        m.SetPageOrder(2);
        m.SetCollate(0);
        static const uint32_t landscape[] = {38, 19, 20, 27, 28, 31, 34, 37, 264, kCustomSize};
        const bool wide = std::find(std::begin(landscape), std::end(landscape), m.GetPaperSize()) != std::end(landscape);
        m.SetOrientation(wide ? 2 : 1);
        if (m.GetMediaType() == 258)
            m.SetMediaType(1);
        if (traysShown_ && m.GetPaperSource() == 2)
            m.SetPaperSource(7);
    } else {
        view.SetCheck(IDC_ENVELOPE, false);
        // Kept when neither the saved record nor the defaults can be read.
        if (m.GetPaperFlags() & kFlagEnvelope) {
            m.SetPaperSize(m.GetSavedPaperSize());
            m.SetOrientation(m.GetSavedOrientation());
        }
        slots_.RestoreSnapshot(m, SnapshotKind::Envelope);
        m.SetEnvelopeMode(0);
        envelopeMode_ = false;
    }
    afterChange(view);
    view.SetFocus(IDC_ENVELOPE);
}

void PageSetupPropPage::onEdgeToEdge(View& view)
{
    GUIPrinter& m = *model_;
    if ((m.GetPaperFlags() & kFlagEdgeToEdge) == 0) {
        slots_.SaveSnapshot(m, SnapshotKind::EdgeToEdge);
        m.SetEnvelopeMode(0);
        envelopeMode_ = false;
        m.SetDuplexMethod(0);
        m.SetDuplexMode(1);
        m.SetLayoutCode(0);
        m.SetFeatureWord14C(0);
        m.SetSavedPageOrder(m.GetPageOrder());
        m.SetSavedCollate(m.GetCollate());
        m.SetSavedCopies(m.GetCopies());
        m.SetPageOrder(2);
        m.SetCollate(0);
        if (m.GetMediaType() == 258)
            m.SetMediaType(1);
        m.SetPaperFlags(kFlagEdgeToEdge);
        afterChange(view);

        // A missing value leaves the note shown.
        uint32_t showAlert = 0;
        registry_.SetFriendlyName(m.GetPrinterName());
        registry_.Create("LPA");
        try {
            registry_.Read("E2EShowAlert", &showAlert, sizeof showAlert);
        } catch (const RegistryReadError&) {
            showAlert = 0;
        }
        trace_.OutputData("E2EShowAlert regkey =" + std::to_string(showAlert));
        if (showAlert == 0) {
            BorderlessInfoDlg note(m);
            if (view.RunDialog(IDD_BORDERLESS_INFO, note) == kDialogOk && note.dontShowAgain()) {
                const uint32_t one = 1;
                registry_.Write("E2EShowAlert", kRegNumber, &one, sizeof one);
            }
        }
        registry_.Close();
        view.SetFocus(IDC_EDGE_TO_EDGE);
    } else {
        view.SetCheck(IDC_EDGE_TO_EDGE, false);
        if (m.GetPaperFlags() & kFlagEdgeToEdge) {
            m.SetPaperSize(m.GetSavedPaperSize());
            m.SetOrientation(m.GetSavedOrientation());
        }
        slots_.RestoreSnapshot(m, SnapshotKind::EdgeToEdge);
        afterChange(view);
        view.SetFocus(IDC_EDGE_TO_EDGE);
    }
}
