#include "QualityPropPage.h"

#include "BitmapIds.h"
#include "Options.h"
#include "ResourceIds.h"

using namespace PageSetupRules;

namespace {

constexpr int kStatusProgramTask = 100;      // the status program's main window
constexpr uint32_t kLinkWhite = 0xFFFFFF;
constexpr uint32_t kLinkSilver = 0xC0C0C0;   // greyed on the link's dark picture
constexpr uint32_t kLinkGreyText = 0x808080; // the system grey-text colour of the standard scheme

struct QualityControl {
    int radio;
    int picture;
    uint32_t up;
    uint32_t down;
};
const QualityControl kQualities[] = {
    {IDC_QP_AUTO, IDC_QP_AUTO_PICTURE, IDB_QUALITY_AUTO_UP, IDB_QUALITY_AUTO_DOWN},
    {IDC_QP_DRAFT, IDC_QP_DRAFT_PICTURE, IDB_QUALITY_DRAFT_UP, IDB_QUALITY_DRAFT_DOWN},
    {IDC_QP_NORMAL, IDC_QP_NORMAL_PICTURE, IDB_QUALITY_NORMAL_UP, IDB_QUALITY_NORMAL_DOWN},
    {IDC_QP_BEST, IDC_QP_BEST_PICTURE, IDB_QUALITY_BEST_UP, IDB_QUALITY_BEST_DOWN},
    {IDC_QP_PHOTO, IDC_QP_PHOTO_PICTURE, IDB_QUALITY_PHOTO_UP, IDB_QUALITY_PHOTO_DOWN},
};

// The radio button a picture button stands for; 0 when the id is neither.
int qualityRadio(int id)
{
    for (const QualityControl& q : kQualities)
        if (id == q.radio || id == q.picture)
            return q.radio;
    return 0;
}

}  // namespace

QualityPropPage::QualityPropPage(const PageContext& context) : QualityPropPage(context, true) {}

QualityPropPage::QualityPropPage(const PageContext& context, bool mediaSense)
    : context_(context), mediaSense_(mediaSense), ink_(MakeInkDisplay(context))
{
    const Options o(context_.product);
    regionPhotoMedia_ = o.equals(OptionKey::IDO_REGION_PHOTO_MEDIA, 1);
    makerPhotoMedia_ = o.equals(OptionKey::IDO_PELMORA_PHOTO_MEDIA, 1);
    photoNoBlackWhite_ = o.equals(OptionKey::IDO_UNSUPPORT_PRINTPHOTOBLACKWHITE, 1);
    sharpening_ = o.equals(OptionKey::IDO_IMAGE_SHARPENING, 1);
    imageBuffer_ = o.equals(OptionKey::IDO_IMAGE_BUFFER, 1);
    photoDpi_ = o.equals(OptionKey::IDO_SUPPORT_PHOTODPI, 1);
    bestShown_ = !o.equals(OptionKey::IDO_SUPPORT_BESTPRINTQUALITY, 0);
    completeAPrint_ = o.equals(OptionKey::IDO_SUPPORT_COMPLETE_A_PRINT, 1);
    pygCartridges_ = o.equals(OptionKey::IDO_SUPPORT_PYGCARTRIDGES, 1);
    paperPathType1_ = o.equals(OptionKey::IDO_PAPER_PATH_TYPE, 1);
}

void QualityPropPage::OnInit(View& view)
{
    GUIPrinter& m = *model_;
    view.SetRange(IDC_QP_COPIES_SPIN, 1, 99);
    view.SetTextLimit(IDC_QP_COPIES, 2);
    setupQualityControls(view);
    setupOptions(view);
    setupLinks(view);
    setupMedia(view);

    copies_ = m.GetCopies();
    pageOrder_ = m.GetPageOrder();
    m.SetRememberedQuality(m.GetPrintQuality());

    INKINFO words;
    m.GetInkInfo2(words);
    ink_->SetPrinterName(m.GetPrinterName());
    ink_->SetInkInfo(&words);
    cartridgeState_ = GetCartridgeState(m.GetLogicalCartridge1(), m.GetLogicalCartridge2(), ink_->IsPhotoCartridge(2));
    context_.trace.OutputData(std::string("QualityPropPage::GetCartridgeState() ") + CartridgeStateName(cartridgeState_));
    // A photo cartridge prints no black: black and white cannot stay on.
    if (cartridgeState_ == ColorAndPhoto && m.GetColorMode() == 1) {
        m.SetColorMode(2);
        m.SetBlackWhite(0);
    }
    Refresh(view);
}

void QualityPropPage::setupQualityControls(View& view)
{
    const Options o(context_.product);
    for (const QualityControl& q : kQualities)
        view.SetButtonPictures(q.picture, q.up, q.down);
    view.Show(IDC_QP_AUTO, mediaSense_);
    view.Show(IDC_QP_AUTO_PICTURE, mediaSense_);

    // Where the product has no best quality, photo takes its place.
    uint32_t bestLabel = IDS_QUALITY_BEST;
    if (bestShown_)
        bestLabel = o.equals(OptionKey::IDO_SUPPORT_PHOTOPRINTQUALITY, 1) ? IDS_QUALITY_PHOTO : IDS_QUALITY_NORMAL;
    view.SetText(IDC_QP_BEST, view.String(bestLabel));
    view.Show(IDC_QP_BEST, bestShown_);
    view.Show(IDC_QP_BEST_PICTURE, bestShown_);
    view.SetText(IDC_QP_PHOTO, view.String(IDS_QUALITY_PHOTO));
    view.Show(IDC_QP_PHOTO, !bestShown_);
    view.Show(IDC_QP_PHOTO_PICTURE, !bestShown_);

    view.Show(IDC_QP_PHOTO_DPI, photoListInUse());
    view.Show(IDC_QP_PHOTO_DPI_LABEL, photoListInUse());
    if (photoListInUse()) {
        const int32_t quality = model_->GetPrintQuality();
        view.ClearList(IDC_QP_PHOTO_DPI);
        view.AddListItem(IDC_QP_PHOTO_DPI, view.String(IDS_STANDARD_PHOTO), -4);
        view.AddListItem(IDC_QP_PHOTO_DPI, view.String(IDS_MAXIMUM_DPI), -3);
        view.SetListSelection(IDC_QP_PHOTO_DPI, quality == -3 ? 1 : 0);
    }
}

void QualityPropPage::setupOptions(View& view)
{
    const Options o(context_.product);
    const bool inkStyle = !o.equals(OptionKey::IDO_INKSTYLE, 3);
    view.Show(IDC_QP_BLACK_WHITE_PICTURE, inkStyle);
    if (inkStyle)
        view.SetPicture(IDC_QP_BLACK_WHITE_PICTURE, IDB_INK_STYLE);

    view.Show(IDC_QP_SHARPENING, sharpening_);
    view.Show(IDC_QP_SHARPENING_PICTURE, sharpening_);
    if (sharpening_) {
        view.SetText(IDC_QP_SHARPENING, view.String(IDS_IMAGE_SHARPENING));
        view.SetPicture(IDC_QP_SHARPENING_PICTURE, IDB_SHARPENING);
    }
}

void QualityPropPage::setupLinks(View& view)
{
    const Options o(context_.product);
    const bool paperLink = o.equals(OptionKey::IDO_AUTOPAPERTYPE_LINK, 1) &&
                           !o.equals(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, 2);
    view.SetPicture(IDC_QP_PAPER_TYPE_LINK, IDB_PAPER_TYPE_LINK);
    view.SetText(IDC_QP_PAPER_TYPE_LINK, view.String(IDS_PAPER_TYPE_LINK));
    view.SetTextColour(IDC_QP_PAPER_TYPE_LINK, kLinkWhite);
    view.Show(IDC_QP_PAPER_TYPE_LINK, paperLink);
    view.SetText(IDC_QP_STATUS_LINK, view.String(IDS_STATUS_PROGRAM_LINK));
    view.Show(IDC_QP_STATUS_LINK, true);

    const uint32_t port = model_->GetPortType();
    if (IsPortWithoutTwoWay(port)) {
        view.SetTextColour(IDC_QP_PAPER_TYPE_LINK, kLinkSilver);
        view.Enable(IDC_QP_PAPER_TYPE_LINK, false);
    } else if (port == 12) {
        for (int link : {IDC_QP_PAPER_TYPE_LINK, IDC_QP_STATUS_LINK}) {
            view.SetTextColour(link, kLinkGreyText);
            view.Enable(link, false);
        }
    }
}

// Without automatic media (no sensing, or a port that cannot report the
// paper) the choice is always the list's, and automatic media is off.
void QualityPropPage::setupMedia(View& view)
{
    GUIPrinter& m = *model_;
    FillMediaList(view, IDC_QP_MEDIA_LIST, m, false);
    view.SetListSelection(IDC_QP_MEDIA_LIST, 0);
    view.Show(IDC_QP_MEDIA_AUTO, mediaSense_);
    view.Show(IDC_QP_MEDIA_MANUAL, mediaSense_);
    portLocked_ = IsPortWithoutTwoWay(m.GetPortType());
    if (!mediaSense_ || portLocked_) {
        if (m.GetMediaType() == 257)
            m.SetMediaType(1);
        setAutoMedia(0);
        // Automatic quality needs the printer to see the paper.
        if (m.GetPrintQuality() < -4 || m.GetPrintQuality() > -1) {
            m.SetPrintQuality(-2);
            m.SetRememberedQuality(-2);
        }
    }
    if (portLocked_) {
        view.Enable(IDC_QP_MEDIA_AUTO, false);
        view.Enable(IDC_QP_AUTO, false);
        view.Enable(IDC_QP_AUTO_PICTURE, false);
    }
}

void QualityPropPage::setAutoMedia(int32_t on)
{
    model_->SetAutoMedia(on);
    model_->SetAutoMediaValue1(on);
    model_->SetAutoMediaValue2(on);
}

void QualityPropPage::Refresh(View& view)
{
    GUIPrinter& m = *model_;
    showQuality(view);
    showMedia(view);
    if (m.GetColorMode() == 2)
        m.SetBlackWhite(0);
    else if (m.GetColorMode() == 1)
        m.SetBlackWhite(1);
    view.SetCheck(IDC_QP_BLACK_WHITE, m.GetColorMode() == 1);
    view.SetCheck(IDC_QP_SHARPENING, (imageBuffer_ ? m.GetImageSharpening() : m.GetPlainSharpening()) != 0);
    copies_ = m.GetCopies();
    pageOrder_ = m.GetPageOrder();
    showCopies(view);
    evaluateBlackWhite(view);
}

void QualityPropPage::showQuality(View& view)
{
    const int32_t quality = model_->GetPrintQuality();
    int chosen = mediaSense_ ? IDC_QP_AUTO : 0;
    if (quality == -2)
        chosen = IDC_QP_NORMAL;
    else if (quality == -1)
        chosen = IDC_QP_DRAFT;
    else if (quality == -3 || quality == -4)
        chosen = bestShown_ ? IDC_QP_BEST : IDC_QP_PHOTO;
    for (const QualityControl& q : kQualities) {
        view.SetCheck(q.radio, q.radio == chosen);
        view.SetCheck(q.picture, q.radio == chosen);
    }
    // The list refines best quality only, however the model came to it.
    best_ = photoListInUse() && chosen == IDC_QP_BEST;
    if (photoListInUse())
        view.Enable(IDC_QP_PHOTO_DPI, best_);
}

void QualityPropPage::showMedia(View& view)
{
    const uint32_t media = model_->GetMediaType();
    autoMediaChosen_ = mediaSense_ && media == 257;
    manualChosen_ = !autoMediaChosen_;
    view.SetCheck(IDC_QP_MEDIA_AUTO, autoMediaChosen_);
    view.SetCheck(IDC_QP_MEDIA_MANUAL, manualChosen_);
    view.Enable(IDC_QP_MEDIA_LIST, manualChosen_);
    if (autoMediaChosen_ || (media == 265 && !regionPhotoMedia_ && !makerPhotoMedia_))
        view.SetListSelection(IDC_QP_MEDIA_LIST, 0);
    else
        SelectMedia(view, IDC_QP_MEDIA_LIST, media, regionPhotoMedia_);
}

void QualityPropPage::showCopies(View& view)
{
    GUIPrinter& m = *model_;
    if (copies_ == 0) {
        copies_ = 1;
        m.SetCopies(1);
    }
    view.SetText(IDC_QP_COPIES, std::to_string(copies_));
    view.SetPosition(IDC_QP_COPIES_SPIN, copies_);
    view.SetCheck(IDC_QP_COLLATE, m.GetCollate() != 0);
    view.Enable(IDC_QP_COLLATE, copies_ > 1);
    view.SetCheck(IDC_QP_PAGE_ORDER, pageOrder_ == 1);
    view.SetPicture(IDC_QP_COPIES_PICTURE, CopiesIllustration(copies_, m.GetCollate(), pageOrder_));
}

bool QualityPropPage::photoCartridge() const
{
    return ink_->IsPhotoCartridge(1) || ink_->IsPhotoCartridge(2);
}

// The status program keeps whether the black cartridge is at its end of
// life; without black ink there is no black and white.
bool QualityPropPage::eolBlack()
{
    const std::string valueName = Options(context_.product).text(OptionKey::IDO_KEY_NAME_PYGSUPPORT);
    return (ReadStoredPswNumber(context_.registry, model_->GetPrinterName(), valueName) & 1) != 0;
}

void QualityPropPage::evaluateBlackWhite(View& view)
{
    GUIPrinter& m = *model_;
    bool available = true;
    bool uncheck = false;
    if (completeAPrint_ && ((m.GetCompleteToPrint() & 3) != 0 || photoCartridge())) {
        available = false;   // complete-to-print owns the choice: the check stays as it is
    } else {
        switch (cartridgeState_) {
        case ColorAndBlack:
            if (pygCartridges_ && eolBlack()) {
                context_.trace.OutputData("PYGSuport is set to EOL_BLACK. Disable Print in Black and White");
                available = false;
                uncheck = true;
            }
            break;
        case MissingAndBlack:
            break;
        case ColorAndPhoto:
            available = false;
            uncheck = true;
            break;
        case MissingAndMissing:
        case ColorAndMissing:
            available = false;
            uncheck = true;
            view.Redraw(0);
            break;
        }
        if (IsPhotoMedia(m.GetMediaType()) && photoNoBlackWhite_) {
            available = false;
            uncheck = true;
        }
        if (portLocked_ && photoCartridge())
            available = false;
    }
    // An unchecked box that the model still printed in black and white
    // would print what the page does not show.
    if (uncheck) {
        view.SetCheck(IDC_QP_BLACK_WHITE, false);
        m.SetColorMode(2);
        m.SetBlackWhite(0);
    }
    view.Enable(IDC_QP_BLACK_WHITE, available);
    view.Enable(IDC_QP_BLACK_WHITE_PICTURE, available);
}

bool QualityPropPage::OnCommand(View& view, int id, Notify code)
{
    GUIPrinter& m = *model_;
    if (code == Notify::SelChange) {
        if (id == IDC_QP_MEDIA_LIST)
            onMediaList(view);
        else if (id == IDC_QP_PHOTO_DPI)
            onPhotoDpi(view);
        else
            return false;
        return true;
    }
    if (code == Notify::EditChange && id == IDC_QP_COPIES) {
        onCopies(view);
        return true;
    }
    if (code != Notify::Clicked)
        return false;
    if (const int radio = qualityRadio(id)) {
        onQuality(view, radio);
        return true;
    }
    switch (id) {
    case IDC_QP_MEDIA_AUTO:
        onMediaAutomatic(view);
        return true;
    case IDC_QP_MEDIA_MANUAL:
        onMediaManual(view);
        return true;
    case IDC_QP_BLACK_WHITE:
    case IDC_QP_BLACK_WHITE_PICTURE:
        onBlackWhite(view);
        return true;
    case IDC_QP_SHARPENING:
    case IDC_QP_SHARPENING_PICTURE:
        onSharpening(view);
        return true;
    case IDC_QP_COLLATE:
        m.SetCollate(m.GetCollate() != 0 ? 0 : 1);
        afterChange(view);
        return true;
    case IDC_QP_PAGE_ORDER: {
        const int32_t order = m.GetPageOrder() == 1 ? 2 : 1;
        m.SetPageOrder(order);
        m.SetSavedPageOrder(order);
        afterChange(view);
        return true;
    }
    case IDC_QP_PAPER_TYPE_LINK: {
        const Options o(context_.product);
        const std::string window = o.text(OptionKey::IDO_HELPFILEHOWTOWND);
        view.OpenHelp(o.text(OptionKey::IDO_PROP_HELPFILE), window.empty() ? "" : ">" + window,
                      IDC_QP_PAPER_TYPE_LINK);
        return true;
    }
    case IDC_QP_STATUS_LINK:
        context_.companions.LaunchStatusProgram(m.GetPrinterName(), kStatusProgramTask);
        return true;
    case IDC_QP_HELP:
        onHelpButton(view);
        return true;
    default:
        return false;
    }
}

// Every change is checked against the printer's rules, which may answer
// through the conflict dialog and change other settings; the page then
// shows what the model holds.
void QualityPropPage::afterChange(View& view)
{
    model_->CheckConflicts();
    Refresh(view);
}

int32_t QualityPropPage::qualityFromPhotoList(View& view) const
{
    return PhotoListQuality(view.GetListSelection(IDC_QP_PHOTO_DPI));
}

void QualityPropPage::onQuality(View& view, int radio)
{
    GUIPrinter& m = *model_;
    if (!view.IsEnabled(radio) || !view.IsVisible(radio))
        return;
    if (copies_ == 0) {
        copies_ = 1;
        m.SetCopies(1);
        view.SetText(IDC_QP_COPIES, "1");
    }
    int32_t quality = m.GetPrintQuality();
    best_ = false;
    switch (radio) {
    case IDC_QP_AUTO:
        quality = -99;
        break;
    case IDC_QP_DRAFT:
        quality = -1;
        break;
    case IDC_QP_NORMAL:
        quality = -2;
        break;
    case IDC_QP_BEST:
        if (photoListInUse()) {
            best_ = true;
            if (quality != -3 && quality != -4)
                quality = qualityFromPhotoList(view);
        } else {
            quality = -4;
        }
        break;
    default:
        quality = -4;
        break;
    }
    if (photoListInUse() && (radio == IDC_QP_AUTO || radio == IDC_QP_NORMAL))
        view.SetListSelection(IDC_QP_PHOTO_DPI, 0);
    m.SetPrintQuality(quality);
    m.SetRememberedQuality(quality);
    afterChange(view);
    if (best_)
        view.SetFocus(IDC_QP_PHOTO_DPI);
}

void QualityPropPage::onPhotoDpi(View& view)
{
    model_->SetPrintQuality(qualityFromPhotoList(view));
    model_->SetRememberedQuality(model_->GetPrintQuality());
    afterChange(view);
}

MediaChoice QualityPropPage::mediaChoice(View& view) const
{
    MediaChoice choice;
    choice.photoListQuality = best_ && photoListInUse() ? qualityFromPhotoList(view) : 0;
    choice.paperPathType1 = paperPathType1_;
    choice.envelopeBranches = false;   // this page has neither envelope nor edge-to-edge printing
    choice.otherFromSavedSize = true;
    return choice;
}

void QualityPropPage::onMediaAutomatic(View& view)
{
    if (!mediaSense_ || portLocked_)
        return;
    GUIPrinter& m = *model_;
    if (ApplyMediaChoice(m, 257, mediaChoice(view)).photoListToStandard)
        view.SetListSelection(IDC_QP_PHOTO_DPI, 0);
    m.SetFeatureWord14C(0);
    setAutoMedia(1);
    afterChange(view);
}

void QualityPropPage::onMediaManual(View& view)
{
    GUIPrinter& m = *model_;
    const MediaChoice choice = mediaChoice(view);
    if (m.GetMediaType() == 257)
        ApplyMediaChoice(m, 1, choice);
    else if (choice.photoListQuality != 0)
        m.SetPrintQuality(choice.photoListQuality);
    setAutoMedia(0);
    afterChange(view);
}

void QualityPropPage::onMediaList(View& view)
{
    const int selection = view.GetListSelection(IDC_QP_MEDIA_LIST);
    if (selection < 0)
        return;
    const uint32_t media = static_cast<uint32_t>(view.GetListData(IDC_QP_MEDIA_LIST, selection));
    ApplyMediaChoice(*model_, media, mediaChoice(view));
    afterChange(view);
}

void QualityPropPage::onBlackWhite(View& view)
{
    GUIPrinter& m = *model_;
    if (!view.IsEnabled(IDC_QP_BLACK_WHITE))
        return;
    const bool on = m.GetColorMode() != 1;
    m.SetColorMode(on ? 1 : 2);
    m.SetBlackWhite(on ? 1 : 0);
    if (completeAPrint_)
        m.SetCompleteToPrint(on ? 4 : 0);
    afterChange(view);
}

void QualityPropPage::onSharpening(View& view)
{
    GUIPrinter& m = *model_;
    if (!sharpening_)
        return;
    if (imageBuffer_)
        m.SetImageSharpening(m.GetImageSharpening() != 0 ? 0 : 1);
    else
        m.SetPlainSharpening(m.GetPlainSharpening() != 0 ? 0 : 1);
    view.SetCheck(IDC_QP_SHARPENING, (imageBuffer_ ? m.GetImageSharpening() : m.GetPlainSharpening()) != 0);
}

void QualityPropPage::onCopies(View& view)
{
    const std::string text = view.GetText(IDC_QP_COPIES);
    const int32_t copies = CopiesFromText(text);
    if (text == "0")
        view.SetText(IDC_QP_COPIES, "1");
    if (copies == 0)
        return;   // an empty or non-numeric field keeps the count
    copies_ = copies;
    model_->SetCopies(copies_);
    view.Enable(IDC_QP_COLLATE, copies_ > 1);
    view.SetPicture(IDC_QP_COPIES_PICTURE, CopiesIllustration(copies_, model_->GetCollate(), pageOrder_));
}

// The page's own help: the main window's topic of the product's help file.
void QualityPropPage::onHelpButton(View& view)
{
    const Options o(context_.product);
    const std::string window = o.text(OptionKey::IDO_HELPFILEMAINWND);
    view.OpenHelp(o.text(OptionKey::IDO_PROP_HELPFILE), window.empty() ? "" : ">" + window,
                  mediaSense_ ? IDD_QUALITY : IDD_QUALITY_NO_MEDIA_SENSE);
}
