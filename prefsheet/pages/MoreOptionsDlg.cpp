#include "MoreOptionsDlg.h"

#include "Options.h"
#include "PageSetupPropPage.h"
#include "ResourceIds.h"

#include <cstdio>
#include <memory>

using namespace MoreOptionsRules;

namespace {

struct ModeButton {
    int id;
    JobWindowMode mode;
};
const ModeButton kModeButtons[] = {
    {IDC_MORE_JOB_SHOW, ShowWindow},
    {IDC_MORE_JOB_MINIMIZED, ShowMinimized},
    {IDC_MORE_JOB_HIDDEN, DoNotShow},
    {IDC_MORE_JOB_NO_SPECIAL, ShowWithoutSpecialMessages},
};

// The template stacks optional sections in two columns; a hidden section's
// height (dialog units) is taken out so the ones below close up.
struct Section {
    int column;
    int height;
    int controls[3];   // the first one says whether it shows; 0 ends early
};
const Section kSections[] = {
    {0, 33, {IDC_MORE_INK_GROUP, IDC_MORE_INK_YES, IDC_MORE_INK_NO}},
    {0, 33, {IDC_MORE_PAGES_GROUP, IDC_MORE_PAGES_YES, IDC_MORE_PAGES_NO}},
    {1, 79, {IDC_MORE_CTP_GROUP, IDC_MORE_CTP_A, IDC_MORE_CTP_B}},
    {1, 30, {IDC_MORE_BALLOON, IDC_MORE_BALLOON_LABEL}},
    {1, 14, {IDC_MORE_SOUND}},
    {1, 14, {IDC_MORE_BLANK_PAGE}},
    {1, 14, {IDC_MORE_DID_YOU_KNOW}},
};

// Sounds the status program plays, beside it: its name without the
// extension, then these endings.
const char* const kWaveEndings[] = {"Alert.wav", "Done.wav"};

std::string withoutExtension(const std::string& file)
{
    const size_t dot = file.find_last_of('.');
    const size_t separator = file.find_last_of("\\/");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return file;
    return file.substr(0, dot);
}

bool fileExists(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
}

}  // namespace

namespace MoreOptionsRules {

JobWindowMode DeriveJobWindowMode(int32_t minimized, int32_t showWindow, int32_t specialMessages)
{
    if (minimized == 1 && showWindow == 1)
        return ShowMinimized;
    if (minimized != 0 || showWindow != 0)
        return showWindow == 1 && minimized == 0 && specialMessages == 0 ? ShowWithoutSpecialMessages : ShowWindow;
    return specialMessages == 0 ? DoNotShow : ShowWindow;
}

JobWindowValues JobWindowOnOK(JobWindowMode mode, int32_t specialMessages)
{
    if (mode == DoNotShow)
        return {0, 0, 0};
    JobWindowValues values{1, 0, 1};
    if (mode == ShowMinimized) {
        values.jobProgressMinimized = 1;
        values.showSpecialMessages = specialMessages;
    } else if (mode == ShowWithoutSpecialMessages) {
        values.showSpecialMessages = 0;
    }
    return values;
}

bool BalloonTipsAvailable(const OsVersion& os)
{
    return os.platform != 1 && os.version >= 0x0500;
}

CompleteToPrintBoxes CompleteToPrintStart(const CompleteToPrintInput& in)
{
    CompleteToPrintBoxes boxes;
    // One mode bit at a time: A and B are never both checked.
    if (in.mode & 1) {
        boxes.aChecked = true;
        boxes.bEnabled = false;
    } else if (in.mode & 2) {
        boxes.bChecked = true;
        boxes.aEnabled = false;
    } else if (in.lockable && (in.storedFlag & 4) != 0) {
        boxes.aEnabled = false;
        boxes.bEnabled = false;
        boxes.locked = true;
    }
    if (in.photoMediaWithoutBlackWhite) {
        // B switched off by the media frees A, as unchecking B does.
        if (boxes.bChecked)
            boxes.aEnabled = true;
        boxes.bChecked = false;
        boxes.bEnabled = false;
    }
    if (in.blackWhite && in.mode == 0) {
        boxes.aEnabled = false;
        boxes.bEnabled = false;
    }
    if (in.photoCartridge) {
        boxes = CompleteToPrintBoxes{false, false, false, false, boxes.locked};
    }
    return boxes;
}

}  // namespace MoreOptionsRules

MoreOptionsDlg::MoreOptionsDlg(const PageContext& context, GUIPrinter& model, const std::string& printerName)
    : context_(context), model_(model), printerName_(printerName)
{
}

void MoreOptionsDlg::OnInit(View& view)
{
    const Options o(context_.product);
    startCompleteToPrint(view);
    startYesNo(view, OptionKey::IDO_DISPLAY_INKLEVELS_OPTION, IDC_MORE_INK_GROUP, IDC_MORE_INK_YES,
               IDC_MORE_INK_NO, model_.GetShowInkLevels());
    startYesNo(view, OptionKey::IDO_DISPLAY_PAGE_REMAINING_OPTION, IDC_MORE_PAGES_GROUP, IDC_MORE_PAGES_YES,
               IDC_MORE_PAGES_NO, model_.GetShowNumberOfPages());
    mode_ = DeriveJobWindowMode(model_.GetJobProgressMinimized(), model_.GetShowProcessWindow(),
                                model_.GetShowSpecialMessages());
    specialMessages_ = model_.GetShowSpecialMessages();
    showJobWindowMode(view);
    startBalloonTips(view);
    startSound(view);
    if (o.equals(OptionKey::IDO_SHOW_MOREOPTIONS_CAP, 0)) {
        for (int id : {IDC_MORE_CTP_GROUP, IDC_MORE_CTP_A, IDC_MORE_CTP_B})
            view.Show(id, false);
    }
    startOthers(view);
    closeGaps(view);
}

void MoreOptionsDlg::startCompleteToPrint(View& view)
{
    const Options o(context_.product);
    CompleteToPrintInput in{};
    in.mode = model_.GetCompleteToPrint();
    in.lockable = !o.equals(OptionKey::IDO_PMKPRODLIKE, 0);
    // Bit 2 of the status program's own value keeps the options to itself.
    if (in.lockable && (in.mode & 3) == 0)
        in.storedFlag = ReadStoredCompleteToPrint(context_.registry, context_.product, printerName_);
    photoMediaWithoutBlackWhite_ = PageSetupRules::IsPhotoMedia(model_.GetMediaType()) &&
                                   o.equals(OptionKey::IDO_UNSUPPORT_PRINTPHOTOBLACKWHITE, 1);
    in.photoMediaWithoutBlackWhite = photoMediaWithoutBlackWhite_;
    in.blackWhite = model_.GetBlackWhite() == 1;
    std::unique_ptr<InkDisplay> ink = MakeInkDisplay(context_);
    INKINFO words;
    model_.GetInkInfo2(words);
    ink->SetInkInfo(&words);
    in.photoCartridge = ink->IsPhotoCartridge(1) || ink->IsPhotoCartridge(2);
    boxes_ = CompleteToPrintStart(in);
    view.SetCheck(IDC_MORE_CTP_A, boxes_.aChecked);
    view.Enable(IDC_MORE_CTP_A, boxes_.aEnabled);
    view.SetCheck(IDC_MORE_CTP_B, boxes_.bChecked);
    view.Enable(IDC_MORE_CTP_B, boxes_.bEnabled);
}

void MoreOptionsDlg::startYesNo(View& view, const char* key, int group, int yes, int no, int32_t value)
{
    if (!Options(context_.product).equals(key, 1)) {
        for (int id : {group, yes, no})
            view.Show(id, false);
        return;
    }
    view.SetCheck(yes, value != 0);
    view.SetCheck(no, value == 0);
}

void MoreOptionsDlg::showJobWindowMode(View& view)
{
    for (const ModeButton& b : kModeButtons)
        view.SetCheck(b.id, b.mode == mode_);
}

void MoreOptionsDlg::startBalloonTips(View& view)
{
    balloonShown_ = Options(context_.product).equals(OptionKey::IDO_CATS_GUI_SUPPORTED, 1) &&
                    BalloonTipsAvailable(context_.os);
    if (!balloonShown_) {
        view.Show(IDC_MORE_BALLOON, false);
        view.Show(IDC_MORE_BALLOON_LABEL, false);
        return;
    }
    const bool on = model_.GetBalloonTips() != 0;
    view.SetCheck(IDC_MORE_BALLOON, on);
    context_.trace.OutputData(on ? "MoreOptions:: Balloon tip is initially checked"
                                 : "MoreOptions:: Balloon tip is initially unchecked");
}

void MoreOptionsDlg::startSound(View& view)
{
    if (Options(context_.product).equals(OptionKey::IDO_HIDE_SOUND_OPTION, 1)) {
        view.Show(IDC_MORE_SOUND, false);
        return;
    }
    view.SetCheck(IDC_MORE_SOUND, model_.GetSound() != 0);
    context_.trace.OutputData(waveFilesFound() ? "Wave Files Found." : "Wave Files NOT Found!");
}

bool MoreOptionsDlg::waveFilesFound() const
{
    std::string folder = model_.GetDirectory();
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    const std::string stem = folder + withoutExtension(Options(context_.product).text(OptionKey::IDO_PSWX_NT));
    for (const char* ending : kWaveEndings)
        if (!fileExists(stem + ending))
            return false;
    return true;
}

void MoreOptionsDlg::startOthers(View& view)
{
    const Options o(context_.product);
    const bool blankPage = o.equals(OptionKey::IDO_BLANK_PAGE_SUPPRESSION, 1);
    view.Show(IDC_MORE_BLANK_PAGE, blankPage);
    view.SetCheck(IDC_MORE_BLANK_PAGE, model_.GetBlankPageSuppression() != 0);
    // The box says "show the tips"; the model keeps 1 for tips turned off.
    // Hidden, it still carries the stored value through OK.
    const bool tips = o.equals(OptionKey::IDO_SUPPORT_DIDYOUKNOWTIPS, 1);
    view.Show(IDC_MORE_DID_YOU_KNOW, tips && o.equals(OptionKey::IDO_KIOSKEN_SUPPORT, 0));
    view.SetCheck(IDC_MORE_DID_YOU_KNOW, model_.GetDidYouKnowTips() == 0);
}

void MoreOptionsDlg::closeGaps(View& view)
{
    int taken[2] = {0, 0};
    for (const Section& section : kSections) {
        if (!view.IsVisible(section.controls[0])) {
            taken[section.column] += section.height;
            continue;
        }
        for (int id : section.controls)
            if (id != 0 && taken[section.column] != 0)
                view.MoveBy(id, 0, -taken[section.column]);
    }
}

bool MoreOptionsDlg::OnCommand(View& view, int id, Notify code)
{
    if (code != Notify::Clicked)
        return false;
    for (const ModeButton& b : kModeButtons) {
        if (b.id == id) {
            mode_ = b.mode;
            showJobWindowMode(view);
            return true;
        }
    }
    switch (id) {
    case IDC_MORE_INK_YES:
    case IDC_MORE_INK_NO:
        view.SetCheck(IDC_MORE_INK_YES, id == IDC_MORE_INK_YES);
        view.SetCheck(IDC_MORE_INK_NO, id == IDC_MORE_INK_NO);
        return true;
    case IDC_MORE_PAGES_YES:
    case IDC_MORE_PAGES_NO:
        view.SetCheck(IDC_MORE_PAGES_YES, id == IDC_MORE_PAGES_YES);
        view.SetCheck(IDC_MORE_PAGES_NO, id == IDC_MORE_PAGES_NO);
        return true;
    case IDC_MORE_CTP_A:
        onOptionA(view);
        return true;
    case IDC_MORE_CTP_B:
        onOptionB(view);
        return true;
    case IDC_MORE_STATUS_PROGRAM:
        context_.companions.LaunchStatusProgram(printerName_, kStatusProgramTask);
        return true;
    case IDC_MORE_HELP:
        openHelp(view);
        return true;
    case IDC_MORE_BALLOON:
    case IDC_MORE_SOUND:
    case IDC_MORE_BLANK_PAGE:
    case IDC_MORE_DID_YOU_KNOW:
        return true;   // their boxes keep the value until OK
    default:
        return false;
    }
}

void MoreOptionsDlg::onOptionA(View& view)
{
    if (view.GetCheck(IDC_MORE_CTP_A)) {
        view.SetCheck(IDC_MORE_CTP_B, false);
        view.Enable(IDC_MORE_CTP_B, false);
    } else {
        view.Enable(IDC_MORE_CTP_B, !photoMediaWithoutBlackWhite_);
    }
}

void MoreOptionsDlg::onOptionB(View& view)
{
    if (view.GetCheck(IDC_MORE_CTP_B)) {
        view.SetCheck(IDC_MORE_CTP_A, false);
        view.Enable(IDC_MORE_CTP_A, false);
    } else {
        view.Enable(IDC_MORE_CTP_A, true);
    }
}

void MoreOptionsDlg::openHelp(View& view)
{
    const Options o(context_.product);
    const std::string window = o.text(OptionKey::IDO_HELPFILEHOWTOWND);
    view.OpenHelp(o.text(OptionKey::IDO_PROP_HELPFILE), window.empty() ? "" : ">" + window, kHelpTopic);
}

bool MoreOptionsDlg::OnOK(View& view)
{
    const Options o(context_.product);
    // Arrow keys move through a radio group too; the checked button is the mode.
    for (const ModeButton& b : kModeButtons)
        if (view.GetCheck(b.id))
            mode_ = b.mode;
    const JobWindowValues job = JobWindowOnOK(mode_, specialMessages_);
    model_.SetShowProcessWindow(job.showProcessWindow);
    model_.SetJobProgressMinimized(job.jobProgressMinimized);
    model_.SetShowSpecialMessages(job.showSpecialMessages);

    if (o.equals(OptionKey::IDO_DISPLAY_INKLEVELS_OPTION, 1))
        model_.SetShowInkLevels(view.GetCheck(IDC_MORE_INK_YES) ? 1 : 0);
    if (o.equals(OptionKey::IDO_DISPLAY_PAGE_REMAINING_OPTION, 1))
        model_.SetShowNumberOfPages(view.GetCheck(IDC_MORE_PAGES_YES) ? 1 : 0);

    if (!boxes_.locked)
        model_.SetCompleteToPrint(view.GetCheck(IDC_MORE_CTP_B) ? 2 : view.GetCheck(IDC_MORE_CTP_A) ? 1 : 0);

    if (balloonShown_) {
        const bool on = view.GetCheck(IDC_MORE_BALLOON);
        context_.trace.OutputData("MoreOptions:: OnOK: Balloon Tip was");
        context_.trace.OutputData(on ? "checked" : "unchecked");
        model_.SetBalloonTips(on ? 1 : 0);
    }
    if (o.equals(OptionKey::IDO_BLANK_PAGE_SUPPRESSION, 1))
        model_.SetBlankPageSuppression(view.GetCheck(IDC_MORE_BLANK_PAGE) ? 1 : 0);
    if (o.equals(OptionKey::IDO_SUPPORT_DIDYOUKNOWTIPS, 1))
        model_.SetDidYouKnowTips(view.GetCheck(IDC_MORE_DID_YOU_KNOW) ? 0 : 1);
    if (o.equals(OptionKey::IDO_HIDE_SOUND_OPTION, 0))
        model_.SetSound(view.GetCheck(IDC_MORE_SOUND) ? 1 : 0);
    return true;
}
