#include "CWatermarkEditDlg.h"

#include "ResourceIds.h"
#include "WatermarkRules.h"

#include <algorithm>
#include <cstring>
#include <new>

using namespace WatermarkRules;

namespace {

const uint32_t kColors[] = {
    0x000000,   // black
    0x0000FF,   // red (red in the low byte)
    0x00FF00,   // green
    0xFF0000,   // blue
    0xFFFF00,   // cyan
    0xFF00FF,   // magenta
    0x00FFFF,   // yellow
};
const int32_t kAngles[] = {0, 450, 900};
const int kEditControls[] = {IDC_WME_TEXT, IDC_WME_FONT, IDC_WME_STYLE, IDC_WME_SIZE,
                             IDC_WME_COLOR, IDC_WME_ANGLE, IDC_WME_SHADE};

int positionOfData(const View& view, int id, int32_t data)
{
    for (int i = 0; i < view.GetListCount(id); ++i)
        if (view.GetListData(id, i) == data)
            return i;
    return -1;
}

}  // namespace

CWatermarkEditDlg::CWatermarkEditDlg(const PageContext& context, GUIPrinter& model, const ScreenFonts& fonts,
                                     const std::vector<LCWMARKINFO>& list, bool edit, int index)
    : context_(context), model_(model), original_(list), list_(list), edit_(edit), index_(index)
{
    if (fonts)
        families_ = fonts();
    std::sort(families_.begin(), families_.end(),
              [](const FontFamily& a, const FontFamily& b) { return a.face < b.face; });
    if (index_ < 0 || static_cast<size_t>(index_) >= list_.size())
        index_ = 0;
}

void CWatermarkEditDlg::OnInit(View& view)
{
    fillLists(view);
    fillNames(view);
    view.SetTextLimit(IDC_WME_TEXT, static_cast<int>(kTextLimit));
    view.SetTextLimit(IDC_WME_SIZE, 3);
    view.Show(IDC_WME_NAME_EDIT, false);
    if (list_.empty()) {
        for (int id : kEditControls)
            view.Enable(id, false);
        return;
    }
    showRecord(view);
    // Adding starts with the new record, ready for its name.
    if (!edit_)
        onNewWatermark(view);
}

void CWatermarkEditDlg::fillLists(View& view)
{
    view.ClearList(IDC_WME_FONT);
    for (size_t i = 0; i < families_.size(); ++i)
        view.AddListItem(IDC_WME_FONT, families_[i].face, static_cast<int32_t>(i));
    int arial = -1;
    for (size_t i = 0; i < families_.size() && arial < 0; ++i)
        if (SameName(families_[i].face, "Arial"))
            arial = static_cast<int>(i);
    context_.trace.OutputData("index of Arial... " + std::to_string(arial));
    view.SetListSelection(IDC_WME_FONT, arial);

    view.ClearList(IDC_WME_STYLE);
    const uint32_t styles[] = {IDS_WM_STYLE_REGULAR, IDS_WM_STYLE_ITALIC, IDS_WM_STYLE_BOLD, IDS_WM_STYLE_BOLD_ITALIC};
    for (int i = 0; i < 4; ++i)
        view.AddListItem(IDC_WME_STYLE, view.String(styles[i]), i);
    view.ClearList(IDC_WME_COLOR);
    for (int i = 0; i < 7; ++i)
        view.AddListItem(IDC_WME_COLOR, view.String(IDS_WM_COLOR_BLACK + i), static_cast<int32_t>(kColors[i]));
    view.ClearList(IDC_WME_ANGLE);
    for (int i = 0; i < 3; ++i)
        view.AddListItem(IDC_WME_ANGLE, view.String(IDS_WM_ANGLE_0 + i), kAngles[i]);
    view.SetListSelection(IDC_WME_ANGLE, 1);
    view.SetRange(IDC_WME_SHADE, 0, 100);
}

void CWatermarkEditDlg::fillNames(View& view)
{
    view.ClearList(IDC_WME_NAME);
    for (const LCWMARKINFO& mark : list_)
        view.AddListItem(IDC_WME_NAME, NameOf(mark), static_cast<int32_t>(mark.wmIndex));
    view.SetListSelection(IDC_WME_NAME, index_);
}

void CWatermarkEditDlg::showRecord(View& view)
{
    LCWMARKINFO& mark = record();
    const std::string face(mark.wmFont.lfFaceName, strnlen(mark.wmFont.lfFaceName, sizeof mark.wmFont.lfFaceName));
    int font = -1;
    for (size_t i = 0; i < families_.size() && font < 0; ++i)
        if (SameName(families_[i].face, face))
            font = static_cast<int>(i);
    // A face the screen lacks stays the record's; the list then names none.
    view.SetListSelection(IDC_WME_FONT, font);
    if (font >= 0) {
        mark.wmFont.lfCharSet = families_[static_cast<size_t>(font)].charSet;
        mark.wmFont.lfPitchAndFamily = families_[static_cast<size_t>(font)].pitchAndFamily;
    }
    view.SetText(IDC_WME_TEXT, TextOf(mark));
    view.SetText(IDC_WME_SIZE, std::to_string(mark.wmFont.lfHeight / 20));
    view.SetListSelection(IDC_WME_ANGLE, positionOfData(view, IDC_WME_ANGLE, mark.wmFont.lfEscapement));
    view.SetListSelection(IDC_WME_STYLE, StyleOf(mark));
    view.SetListSelection(IDC_WME_COLOR, positionOfData(view, IDC_WME_COLOR, static_cast<int32_t>(mark.wmColor)));
    view.SetPosition(IDC_WME_SHADE, static_cast<int>(mark.wmShade));
    const bool editable = mark.wmIndex != 0;
    for (int id : kEditControls)
        view.Enable(id, editable);
    showPreview(view);
}

void CWatermarkEditDlg::showPreview(View& view)
{
    view.SetWatermarkPreview(IDC_WME_PREVIEW, Describe(record()));
}

// The name list becomes an editable one whose first entry is the new record.
void CWatermarkEditDlg::onNewWatermark(View& view)
{
    if (newIndex_ >= 0)
        return;
    try {
        LCWMARKINFO fresh = model_.Features().GetDefaultWatermark();
        fresh.wmIndex = static_cast<uint32_t>(list_.size());
        SetName(fresh, "");
        list_.push_back(fresh);
    } catch (const std::bad_alloc&) {
        context_.trace.OutputData("Unable to allocate enough space.");
        return;
    }
    newIndex_ = static_cast<int>(list_.size() - 1);
    index_ = newIndex_;
    view.Show(IDC_WME_NAME, false);
    view.Show(IDC_WME_NAME_EDIT, true);
    view.ClearList(IDC_WME_NAME_EDIT);
    view.AddListItem(IDC_WME_NAME_EDIT, "", newIndex_);
    for (int i = 0; i < newIndex_; ++i)
        view.AddListItem(IDC_WME_NAME_EDIT, NameOf(list_[static_cast<size_t>(i)]), i);
    view.SetTextLimit(IDC_WME_NAME_EDIT, static_cast<int>(kNameLimit));
    view.SetListSelection(IDC_WME_NAME_EDIT, 0);
    view.SetFocus(IDC_WME_NAME_EDIT);
    view.Enable(IDC_WME_NEW, false);
    showRecord(view);
}

void CWatermarkEditDlg::onName(View& view)
{
    const int id = newIndex_ >= 0 ? IDC_WME_NAME_EDIT : IDC_WME_NAME;
    const int position = view.GetListSelection(id);
    if (position < 0)
        return;
    const int32_t index = view.GetListData(id, position);
    if (index < 0 || static_cast<size_t>(index) >= list_.size())
        return;
    index_ = index;
    if (newIndex_ >= 0 && position == 0)
        SetName(record(), view.GetText(IDC_WME_NAME_EDIT));
    showRecord(view);
}

void CWatermarkEditDlg::onFont(View& view)
{
    const int position = view.GetListSelection(IDC_WME_FONT);
    const int32_t family = view.GetListData(IDC_WME_FONT, position);
    if (family < 0 || static_cast<size_t>(family) >= families_.size())
        return;
    const FontFamily& f = families_[static_cast<size_t>(family)];
    LCLOGFONTA& font = record().wmFont;
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, f.face.data(), std::min(f.face.size(), sizeof font.lfFaceName - 1));
    font.lfCharSet = f.charSet;
    font.lfPitchAndFamily = f.pitchAndFamily;
}

// Sizes in range are taken while typing; the rest waits for leaving the field.
void CWatermarkEditDlg::onSizeTyped(View& view)
{
    const int points = TypedSize(view.GetText(IDC_WME_SIZE));
    if (points >= kMinSize && points <= kMaxSize)
        record().wmFont.lfHeight = points * 20;
}

void CWatermarkEditDlg::onSizeLeft(View& view)
{
    const std::string typed = view.GetText(IDC_WME_SIZE);
    const int points = std::max(0, TypedSize(typed));
    const int clamped = ClampSize(points);
    if (clamped != points || typed.empty())
        view.SetText(IDC_WME_SIZE, std::to_string(clamped));
    record().wmFont.lfHeight = clamped * 20;
}

bool CWatermarkEditDlg::OnCommand(View& view, int id, Notify code)
{
    if (list_.empty())
        return false;
    if (code == Notify::Clicked && id == IDC_WME_NEW) {
        onNewWatermark(view);
        return true;
    }
    if (code == Notify::EditChange && id == IDC_WME_NAME_EDIT && newIndex_ >= 0) {
        // Typing names the new record and makes it the one shown again.
        const bool switchBack = index_ != newIndex_;
        index_ = newIndex_;
        SetName(record(), view.GetText(IDC_WME_NAME_EDIT));
        if (switchBack)
            showRecord(view);
        return true;
    }
    if (code == Notify::LostFocus && id == IDC_WME_SIZE) {
        onSizeLeft(view);
        showPreview(view);
        return true;
    }
    if (code == Notify::EditChange) {
        if (id == IDC_WME_TEXT)
            SetText(record(), view.GetText(IDC_WME_TEXT));
        else if (id == IDC_WME_SIZE)
            onSizeTyped(view);
        else
            return false;
        showPreview(view);
        return true;
    }
    if (code != Notify::SelChange)
        return false;
    const int position = view.GetListSelection(id);
    const int32_t data = view.GetListData(id, position);
    switch (id) {
    case IDC_WME_NAME:
    case IDC_WME_NAME_EDIT:
        onName(view);
        return true;
    case IDC_WME_FONT:
        onFont(view);
        break;
    case IDC_WME_STYLE:
        if (position >= 0)
            SetStyle(record(), position);
        break;
    case IDC_WME_COLOR:
        if (position >= 0)
            record().wmColor = static_cast<uint32_t>(data);
        break;
    case IDC_WME_ANGLE:
        if (position >= 0)
            record().wmFont.lfEscapement = record().wmFont.lfOrientation = data;
        break;
    default:
        return false;
    }
    showPreview(view);
    return true;
}

void CWatermarkEditDlg::OnScroll(View& view, int id, int position)
{
    if (id != IDC_WME_SHADE || list_.empty())
        return;
    record().wmShade = static_cast<uint32_t>(std::clamp(position, 0, 100));
    showPreview(view);
}

bool CWatermarkEditDlg::OnOK(View& view)
{
    if (list_.empty())
        return true;
    // Enter pressed in the size field leaves it without losing the focus.
    onSizeLeft(view);
    // A new record the user turned away from (by choosing an existing name)
    // was never filled in: it is not stored.
    if (newIndex_ >= 0 && index_ != newIndex_) {
        list_.erase(list_.begin() + newIndex_);
        newIndex_ = -1;
    }
    if (record().wmIndex != 0 && !validate(view))
        return false;
    const bool changed = list_.size() != original_.size() ||
                         std::memcmp(list_.data(), original_.data(), list_.size() * sizeof(LCWMARKINFO)) != 0;
    if (changed)
        model_.Features().SetCurWatermarkList(list_.data(), static_cast<uint32_t>(list_.size()));
    return true;
}

bool CWatermarkEditDlg::validate(View& view)
{
    const LCWMARKINFO& mark = record();
    const std::string name = NameOf(mark);
    if (IsBlank(name) || SameName(name, view.String(IDS_DEFAULT_WATERMARK_NAME))) {
        view.MessageBox(view.String(IDS_WM_NAME_NEEDED), view.String(IDS_WM_NAME_CAPTION), MessageFlag::Exclamation);
        return false;
    }
    for (size_t i = 0; i < list_.size(); ++i) {
        if (static_cast<int>(i) != index_ && SameName(NameOf(list_[i]), name)) {
            view.MessageBox(view.String(IDS_WM_NAME_TAKEN_START) + "\"" + name + "\"" +
                                view.String(IDS_WM_NAME_TAKEN_END),
                            model_.GetPrinterName(), MessageFlag::Information);
            return false;
        }
    }
    if (IsBlank(TextOf(mark))) {
        view.MessageBox(view.String(IDS_WM_TEXT_NEEDED), model_.GetPrinterName(), MessageFlag::Information);
        return false;
    }
    return true;
}
