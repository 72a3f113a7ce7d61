#include "DialogView_win.h"

#include "CommonLibrary.h"
#include "SheetWindow_win.h"
#include "WatermarkPreview_win.h"
#include "drvcommon.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {

// The views whose pages hear keys first, and whether the key that is down
// now is an Enter turned into a space (its release must follow).
struct KeyFilter {
    HHOOK hook = nullptr;
    std::vector<DialogView*> views;
    bool enterAsSpace = false;
};

// Everything runs on the one user-interface thread of the driver's process.
KeyFilter& keyFilter()
{
    static KeyFilter filter;
    return filter;
}

LPARAM withScanCodeOf(LPARAM keyData, UINT virtualKey)
{
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, 0)) << 16;
    return (keyData & ~static_cast<LPARAM>(0x01FF0000)) | scan;   // no extended-key bit either
}

bool isLetterOrDigit(WPARAM key)
{
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}

}  // namespace

DialogView::DialogView(DialogPage& page, HINSTANCE resources, HINSTANCE bitmaps)
    : page_(page), resources_(resources), bitmaps_(bitmaps)
{
}

DialogView::~DialogView()
{
    detachKeys();
    if (hwnd_ != nullptr)
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
}

INT_PTR DialogView::RunModal(HWND owner, int templateId)
{
    modal_ = true;
    return DialogBoxParamA(resources_, MAKEINTRESOURCEA(templateId), owner, Proc, reinterpret_cast<LPARAM>(this));
}

HWND DialogView::CreateChild(HWND parent, int templateId)
{
    modal_ = false;
    child_.reset(CreateDialogParamA(resources_, MAKEINTRESOURCEA(templateId), parent, Proc,
                                    reinterpret_cast<LPARAM>(this)));
    return child_.get();
}

// The scratch-program pattern: `this` rides in at WM_INITDIALOG and every
// later message goes to one member. Nothing thrown may unwind into user32.
INT_PTR CALLBACK DialogView::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            auto* self = reinterpret_cast<DialogView*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
            self->hwnd_ = window;
            self->attachKeys();
            return self->handle(message, wParam, lParam);
        }
        auto* self = reinterpret_cast<DialogView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self == nullptr)
            return FALSE;
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            self->detachKeys();
            self->hwnd_ = nullptr;
            self->child_.release();
            return FALSE;
        }
        return self->handle(message, wParam, lParam);
    } catch (...) {
        OutputDebugStringA("DialogView: a handler raised an exception; message dropped\n");
        return FALSE;
    }
}

INT_PTR DialogView::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        ++quiet_;
        page_.OnInit(*this);
        --quiet_;
        return TRUE;
    case WM_COMMAND:
        // A menu command comes without a control and with notification 0.
        if (lParam == 0 && HIWORD(wParam) == 0 && LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) {
            if (quiet_ == 0)
                page_.OnCommand(*this, LOWORD(wParam), Notify::Clicked);
            return TRUE;
        }
        command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_QUERYNEWPALETTE:
        return realisePalette(true) ? TRUE : FALSE;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) != hwnd_)
            realisePalette(true);
        return FALSE;
    case WM_SYSCOLORCHANGE:
        realisePalette(true);
        return FALSE;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam != 0) {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            page_.OnScroll(*this, id, GetPosition(id));
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header != nullptr && quiet_ == 0)
            page_.OnNotify(*this, static_cast<int>(header->idFrom), static_cast<int>(header->code));
        return FALSE;
    }
    case WM_TIMER:
        page_.OnTimer(*this, static_cast<int>(wParam));
        return TRUE;
    case WM_ERASEBKGND:
        // The page brings its controls in step, then the dialog paints as usual.
        page_.OnPaint(*this);
        return FALSE;
    case WM_HELP: {
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        page_.OnHelp(*this, info != nullptr ? info->iCtrlId : 0);
        return TRUE;
    }
    case WM_CONTEXTMENU:
        page_.OnHelp(*this, GetDlgCtrlID(reinterpret_cast<HWND>(wParam)));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETTINGCHANGE:
        page_.OnSettingsChange(*this);
        return FALSE;
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        auto preview = draw != nullptr ? previews_.find(static_cast<int>(draw->CtlID)) : previews_.end();
        if (preview == previews_.end())
            return FALSE;
        DrawWatermarkPreview(*draw, preview->second);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void DialogView::command(int id, int code)
{
    if (quiet_ > 0)
        return;
    if (modal_ && id == IDOK && code == BN_CLICKED) {
        if (page_.OnOK(*this))
            ::EndDialog(hwnd_, IDOK);
        return;
    }
    if (id == IDCANCEL && (code == BN_CLICKED || modal_)) {
        page_.OnCancel(*this);
        if (modal_)
            ::EndDialog(hwnd_, IDCANCEL);
        return;
    }
    switch (kind(id)) {
    case Kind::Button:
    case Kind::PictureButton:
    case Kind::Static:
    case Kind::PictureStatic:   // STN_CLICKED, with SS_NOTIFY
    case Kind::Link:
        if (code == BN_CLICKED)
            page_.OnCommand(*this, id, Notify::Clicked);
        break;
    case Kind::Combo:
        if (code == CBN_SELCHANGE)
            page_.OnCommand(*this, id, Notify::SelChange);
        else if (code == CBN_EDITCHANGE)
            page_.OnCommand(*this, id, Notify::EditChange);
        break;
    case Kind::List:
        if (code == LBN_SELCHANGE)
            page_.OnCommand(*this, id, Notify::SelChange);
        break;
    case Kind::Edit:
        if (code == EN_CHANGE)
            page_.OnCommand(*this, id, Notify::EditChange);
        else if (code == EN_KILLFOCUS)
            page_.OnCommand(*this, id, Notify::LostFocus);
        break;
    default:
        break;
    }
}

HWND DialogView::item(int id) const
{
    return GetDlgItem(hwnd_, id);
}

DialogView::Kind DialogView::kind(int id) const
{
    char name[32] = "";
    if (GetClassNameA(item(id), name, sizeof name) == 0)
        return Kind::Other;
    struct Entry {
        const char* name;
        Kind kind;
    };
    static const Entry kinds[] = {
        {"Button", Kind::Button},          {"ComboBox", Kind::Combo},
        {"ListBox", Kind::List},           {"Edit", Kind::Edit},
        {UPDOWN_CLASSA, Kind::Spin},       {TRACKBAR_CLASSA, Kind::Slider},
        {"Static", Kind::Static},
        {GUI_CLASS_OWNBUTTON, Kind::PictureButton},
        {GUI_CLASS_GUIBUTTON, Kind::PictureButton},
        {GUI_CLASS_TRANSSTATICBMP, Kind::PictureStatic},
        {GUI_CLASS_TRANSPARENTBMP, Kind::PictureStatic},
        {GUI_CLASS_LINK, Kind::Link},
        {GUI_CLASS_URLLINK, Kind::Link},
    };
    for (const Entry& e : kinds)
        if (lstrcmpiA(name, e.name) == 0)
            return e.kind;
    return Kind::Other;
}

void DialogView::Enable(int id, bool on)
{
    EnableWindow(item(id), on ? TRUE : FALSE);
}

bool DialogView::IsEnabled(int id) const
{
    return IsWindowEnabled(item(id)) != FALSE;
}

void DialogView::Show(int id, bool on)
{
    if (IsVisible(id) == on)
        return;
    ShowWindow(id == 0 ? hwnd_ : item(id), on ? SW_SHOW : SW_HIDE);
}

bool DialogView::IsVisible(int id) const
{
    return (GetWindowLongPtrA(id == 0 ? hwnd_ : item(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

// Setters leave a control alone when it already shows the value: the page
// re-applies its rules on every background paint, and a control that
// repaints itself for nothing would ask for the next one.
void DialogView::SetCheck(int id, bool on)
{
    if (GetCheck(id) == on)
        return;
    CheckDlgButton(hwnd_, id, on ? BST_CHECKED : BST_UNCHECKED);
}

bool DialogView::GetCheck(int id) const
{
    return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

void DialogView::SetText(int id, const std::string& text)
{
    if (GetText(id) == text)
        return;
    ++quiet_;
    SetDlgItemTextA(hwnd_, id, text.c_str());
    --quiet_;
}

std::string DialogView::GetText(int id) const
{
    const int length = GetWindowTextLengthA(item(id));
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const UINT got = GetDlgItemTextA(hwnd_, id, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), got);
}

void DialogView::SetTextLimit(int id, int characters)
{
    SendDlgItemMessageA(hwnd_, id, kind(id) == Kind::Combo ? CB_LIMITTEXT : EM_LIMITTEXT,
                        static_cast<WPARAM>(characters), 0);
}

void DialogView::SetWindowTitle(const std::string& text)
{
    SetWindowTextA(hwnd_, text.c_str());
}

void DialogView::SetTextColour(int id, uint32_t rgb)
{
    if (kind(id) == Kind::Link) {
        SendDlgItemMessageA(hwnd_, id, GUI_SETLINKCOLOR, static_cast<WPARAM>(rgb), 0);   // a link paints its own text
        return;
    }
    if (rgb == kTextBlack)
        textColours_.erase(id);
    else
        textColours_[id] = static_cast<COLORREF>(rgb);
    InvalidateRect(item(id), nullptr, TRUE);
}

// Only the statics given a colour are answered; every other control keeps
// the dialog's own answer (the common library's controls paint on it).
INT_PTR DialogView::colourStatic(HDC dc, HWND control)
{
    const auto it = textColours_.find(GetDlgCtrlID(control));
    if (it == textColours_.end())
        return FALSE;
    SetTextColor(dc, it->second);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

void DialogView::ClearList(int id)
{
    SendDlgItemMessageA(hwnd_, id, kind(id) == Kind::List ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
}

void DialogView::AddListItem(int id, const std::string& text, int32_t data)
{
    const bool list = kind(id) == Kind::List;
    const LRESULT index = SendDlgItemMessageA(hwnd_, id, list ? LB_ADDSTRING : CB_ADDSTRING, 0,
                                              reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0)
        SendDlgItemMessageA(hwnd_, id, list ? LB_SETITEMDATA : CB_SETITEMDATA, static_cast<WPARAM>(index),
                            static_cast<LPARAM>(data));
}

int DialogView::GetListCount(int id) const
{
    return static_cast<int>(SendDlgItemMessageA(hwnd_, id, kind(id) == Kind::List ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
}

int32_t DialogView::GetListData(int id, int index) const
{
    if (index < 0 || index >= GetListCount(id))
        return -1;
    return static_cast<int32_t>(SendDlgItemMessageA(
        hwnd_, id, kind(id) == Kind::List ? LB_GETITEMDATA : CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void DialogView::SetListSelection(int id, int index)
{
    SendDlgItemMessageA(hwnd_, id, kind(id) == Kind::List ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(index),
                        0);
}

int DialogView::GetListSelection(int id) const
{
    return static_cast<int>(
        SendDlgItemMessageA(hwnd_, id, kind(id) == Kind::List ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
}

void DialogView::SetRange(int id, int low, int high)
{
    if (kind(id) == Kind::Slider) {
        SendDlgItemMessageA(hwnd_, id, TBM_SETRANGEMIN, FALSE, low);
        SendDlgItemMessageA(hwnd_, id, TBM_SETRANGEMAX, TRUE, high);
    } else {
        SendDlgItemMessageA(hwnd_, id, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
    }
}

void DialogView::SetPosition(int id, int position)
{
    if (GetPosition(id) == position)
        return;
    ++quiet_;
    if (kind(id) == Kind::Slider)
        SendDlgItemMessageA(hwnd_, id, TBM_SETPOS, TRUE, position);
    else
        SendDlgItemMessageA(hwnd_, id, UDM_SETPOS32, 0, position);
    --quiet_;
}

int DialogView::GetPosition(int id) const
{
    if (kind(id) == Kind::Slider)
        return static_cast<int>(SendDlgItemMessageA(hwnd_, id, TBM_GETPOS, 0, 0));
    return static_cast<int>(SendDlgItemMessageA(hwnd_, id, UDM_GETPOS32, 0, 0));
}

// The id is kept even when the bitmap library lacks the picture, so the
// rules stay observable; the control then shows nothing.
void DialogView::SetPicture(int id, uint32_t bitmapId)
{
    auto shown = pictureIds_.find(id);
    if (shown != pictureIds_.end() && shown->second == bitmapId)
        return;
    pictureIds_[id] = bitmapId;
    const Kind controlKind = kind(id);
    if (controlKind == Kind::PictureButton || controlKind == Kind::PictureStatic || controlKind == Kind::Link) {
        const GuiPictureSource source = {bitmaps_, bitmapId, 0, kGuiTransparent};
        SendDlgItemMessageA(hwnd_, id, GUI_SETPICTURES,
                            controlKind == Kind::PictureStatic ? WPARAM(GuiPictureCentred) : WPARAM(0),
                            reinterpret_cast<LPARAM>(&source));
        return;
    }
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageA(bitmaps_, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    const bool button = kind(id) == Kind::Button;
    SendDlgItemMessageA(hwnd_, id, button ? BM_SETIMAGE : STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(bitmap.get()));
    pictures_[id] = std::move(bitmap);
}

uint32_t DialogView::GetPicture(int id) const
{
    auto it = pictureIds_.find(id);
    return it == pictureIds_.end() ? 0 : it->second;
}

void DialogView::MoveBy(int id, int dx, int dy)
{
    RECT delta = {0, 0, dx, dy};
    MapDialogRect(hwnd_, &delta);
    RECT r;
    HWND control = item(id);
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(control, nullptr, r.left + delta.right, r.top + delta.bottom, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogView::SetFocus(int id)
{
    ::SetFocus(item(id));
}

void DialogView::Redraw(int id)
{
    InvalidateRect(id == 0 ? hwnd_ : item(id), nullptr, TRUE);
}

std::string DialogView::String(uint32_t stringId) const
{
    char buffer[1024];
    const int length = LoadStringA(resources_, stringId, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

int DialogView::MessageBox(const std::string& text, const std::string& caption, unsigned flags)
{
    return ::MessageBoxA(hwnd_, text.c_str(), caption.c_str(), flags);
}

int DialogView::RunDialog(int templateId, DialogPage& page)
{
    DialogView child(page, resources_, bitmaps_);
    return static_cast<int>(child.RunModal(hwnd_, templateId));
}

void DialogView::EndDialog(int result)
{
    if (modal_)
        ::EndDialog(hwnd_, result);
}

void DialogView::SetTimer(int timerId, unsigned milliseconds)
{
    ::SetTimer(hwnd_, static_cast<UINT_PTR>(timerId), milliseconds, nullptr);
}

void DialogView::KillTimer(int timerId)
{
    ::KillTimer(hwnd_, static_cast<UINT_PTR>(timerId));
}

void DialogView::AttachInkDisplay(InkDisplay& display, int leftTankId, int rightTankId)
{
    display.SetInkTanks(item(leftTankId), item(rightTankId));
}

void DialogView::OpenHelp(const std::string& helpFile, const std::string& window, uint32_t topic)
{
    const UINT helpContext = 0x000F;   // HH_HELP_CONTEXT: the topic mapped to a number
    GuiShowHelp(hwnd_, helpFile.c_str(), window.c_str(), helpContext, topic);
}

bool DialogView::EmbedSheet(int placeholderId, int raise, const std::vector<SheetPage>& pages)
{
    HWND placeholder = item(placeholderId);
    if (placeholder == nullptr || sheet_ != nullptr)
        return false;
    RECT area;
    GetWindowRect(placeholder, &area);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&area), 2);
    area.top -= raise;
    ShowWindow(placeholder, SW_HIDE);
    auto sheet = std::make_unique<SheetWindow>(resources_, bitmaps_);
    for (const SheetPage& p : pages)
        sheet->AddPage(p.templateId, p.title, *p.page);
    if (!sheet->Create(hwnd_, placeholderId + 1, area, false))
        return false;
    // Tab order: the sheet takes the placeholder's place.
    SetWindowPos(sheet->hwnd(), placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    sheet_ = std::move(sheet);
    return true;
}

void DialogView::ShowSheetPage(int index)
{
    if (sheet_ != nullptr)
        sheet_->SetActivePage(index);
}

void DialogView::SetButtonPictures(int id, uint32_t upId, uint32_t downId)
{
    pictureIds_[id] = upId;
    const GuiPictureSource source = {bitmaps_, upId, downId, kGuiTransparent};
    SendDlgItemMessageA(hwnd_, id, GUI_SETPICTURES, 0, reinterpret_cast<LPARAM>(&source));
}

void DialogView::attachKeys()
{
    KeyFilter& filter = keyFilter();
    if (std::find(filter.views.begin(), filter.views.end(), this) != filter.views.end())
        return;
    if (filter.hook == nullptr) {
        filter.hook = SetWindowsHookExA(WH_GETMESSAGE, KeyHook, nullptr, GetCurrentThreadId());
        if (filter.hook == nullptr) {
            const std::string line = "DialogView: SetWindowsHookEx failed, error " + std::to_string(GetLastError()) + "\n";
            OutputDebugStringA(line.c_str());
            return;
        }
    }
    filter.views.push_back(this);
}

void DialogView::detachKeys()
{
    KeyFilter& filter = keyFilter();
    filter.views.erase(std::remove(filter.views.begin(), filter.views.end(), this), filter.views.end());
    if (filter.views.empty() && filter.hook != nullptr) {
        UnhookWindowsHookEx(filter.hook);
        filter.hook = nullptr;
        filter.enterAsSpace = false;
    }
}

// Sees every message the thread takes from its queue, before the loop that
// took it (a dialog manager's or the driver's) hands it on.
LRESULT CALLBACK DialogView::KeyHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE && lParam != 0) {
        try {
            filterKey(*reinterpret_cast<MSG*>(lParam));
            routeToPopup(*reinterpret_cast<MSG*>(lParam));
        } catch (...) {
            OutputDebugStringA("DialogView: a key handler raised an exception; key left alone\n");
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DialogView::filterKey(MSG& message)
{
    KeyFilter& filter = keyFilter();
    if (message.message == WM_KEYUP && message.wParam == VK_RETURN && filter.enterAsSpace) {
        filter.enterAsSpace = false;
        message.wParam = VK_SPACE;
        message.lParam = withScanCodeOf(message.lParam, VK_SPACE);
        return;
    }
    Key key;
    char character = 0;
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
        key = Key::Enter;
    } else if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_SHIFT) >= 0) {
        key = Key::Tab;
    } else if (message.message == WM_SYSKEYDOWN && isLetterOrDigit(message.wParam)) {
        key = Key::AltCharacter;
        character = static_cast<char>(message.wParam);
    } else {
        return;
    }

    // The nearest view around the window with the focus, and its control.
    DialogView* view = nullptr;
    HWND control = nullptr;
    for (HWND window = message.hwnd; window != nullptr; window = GetParent(window)) {
        auto found = std::find_if(filter.views.begin(), filter.views.end(),
                                  [window](const DialogView* v) { return v->hwnd_ == window; });
        if (found != filter.views.end()) {
            view = *found;
            break;
        }
        if ((GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) == 0)
            return;
        control = window;
    }
    if (view == nullptr)
        return;
    const int id = control != nullptr ? GetDlgCtrlID(control) : 0;
    switch (view->page_.OnKey(*view, id, key, character)) {
    case KeyAction::PressAsSpace:
        if (key == Key::Enter) {
            filter.enterAsSpace = true;
            message.wParam = VK_SPACE;
            message.lParam = withScanCodeOf(message.lParam, VK_SPACE);
        }
        break;
    case KeyAction::Handled:
        message.message = WM_NULL;
        break;
    default:
        break;
    }
}

void DialogView::SetWatermarkPreview(int id, const WatermarkPreview& preview)
{
    auto shown = previews_.find(id);
    if (shown != previews_.end() && shown->second == preview)
        return;
    previews_[id] = preview;
    InvalidateRect(item(id), nullptr, TRUE);
}

void DialogView::ShowSheetTabs(bool on)
{
    if (sheet_ == nullptr)
        return;
    sheet_->ShowTabs(on);
    // The strip takes room from the pages: grow the sheet so they show whole.
    RECT area;
    GetWindowRect(sheet_->hwnd(), &area);
    const SIZE needed = sheet_->RequiredSize();
    const int width = std::max<int>(area.right - area.left, needed.cx);
    const int height = std::max<int>(area.bottom - area.top, needed.cy);
    SetWindowPos(sheet_->hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int DialogView::ActiveSheetPage() const
{
    return sheet_ != nullptr ? sheet_->GetActivePage() : -1;
}

View* DialogView::SheetPageView(int index)
{
    if (sheet_ == nullptr || sheet_->pageWindow(index) == nullptr)
        return nullptr;
    return &sheet_->view(index);
}

void DialogView::FocusSheetTabs()
{
    if (sheet_ != nullptr && sheet_->tabs() != nullptr)
        ::SetFocus(sheet_->tabs());
}

void DialogView::EnableMenuCommand(int command, bool on)
{
    HMENU bar = GetMenu(hwnd_);
    if (bar == nullptr || ::EnableMenuItem(bar, static_cast<UINT>(command), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)) == -1) {
        const std::string line = "DialogView: no menu command " + std::to_string(command) + "\n";
        OutputDebugStringA(line.c_str());
        return;
    }
    DrawMenuBar(hwnd_);
}

void DialogView::SetPopupItems(int menu, int position, const std::vector<MenuItem>& items)
{
    HMENU bar = GetMenu(hwnd_);
    HMENU column = bar != nullptr ? GetSubMenu(bar, menu) : nullptr;
    HMENU popup = column != nullptr ? GetSubMenu(column, position) : nullptr;
    if (popup == nullptr) {
        OutputDebugStringA("DialogView: no such popup menu\n");
        return;
    }
    while (GetMenuItemCount(popup) > 0)
        DeleteMenu(popup, 0, MF_BYPOSITION);
    for (const MenuItem& entry : items) {
        if (!AppendMenuA(popup, MF_STRING, static_cast<UINT_PTR>(entry.command), entry.text.c_str())) {
            const std::string line = "DialogView: AppendMenu failed, error " + std::to_string(GetLastError()) + "\n";
            OutputDebugStringA(line.c_str());
        }
    }
    DrawMenuBar(hwnd_);
}

void DialogView::SetIcon(uint32_t iconId)
{
    auto load = [this, iconId](int size) {
        return static_cast<HICON>(LoadImageA(resources_, MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, 0));
    };
    bigIcon_.reset(load(GetSystemMetrics(SM_CXICON)));
    smallIcon_.reset(load(GetSystemMetrics(SM_CXSMICON)));
    if (bigIcon_.get() == nullptr || smallIcon_.get() == nullptr) {
        const std::string line = "DialogView: icon " + std::to_string(iconId) + " not loaded, error " +
                                 std::to_string(GetLastError()) + "\n";
        OutputDebugStringA(line.c_str());
    }
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void DialogView::SetContextHelpButton(bool on)
{
    LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE);
    style = on ? (style | WS_EX_CONTEXTHELP) : (style & ~static_cast<LONG_PTR>(WS_EX_CONTEXTHELP));
    SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, style);
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

// The palette is the colour table of a 256-colour bitmap of the bitmap
// library (CPalette256); it matters only on a display of 256 colours or fewer.
void DialogView::SetPalette(uint32_t bitmapId)
{
    palette_.reset(GuiCreatePalette256(bitmaps_, bitmapId));
    if (palette_.get() == nullptr)
        OutputDebugStringA("DialogView: no palette from the bitmap library\n");
}

// True when the display's colours changed and the window was repainted.
bool DialogView::realisePalette(bool repaint)
{
    if (palette_.get() == nullptr)
        return false;
    WindowDc dc(hwnd_);
    HPALETTE previous = SelectPalette(dc.get(), palette_.get(), FALSE);
    const UINT changed = RealizePalette(dc.get());
    SelectPalette(dc.get(), previous, TRUE);
    if (changed != 0 && changed != GDI_ERROR && repaint)
        InvalidateRect(hwnd_, nullptr, TRUE);
    return changed != 0 && changed != GDI_ERROR;
}

void DialogView::OpenHelpIndex(const std::string& helpFile)
{
    const UINT displayIndex = 0x0002;   // HH_DISPLAY_INDEX
    GuiShowHelp(hwnd_, helpFile.c_str(), "", displayIndex, 0);
}

// HtmlHelp's full-text search takes its query in a structure of eight
// 32-bit fields on 32-bit Windows (HH_FTS_QUERY).
void DialogView::SearchHelp(const std::string& helpFile, const std::string& query)
{
    struct FullTextQuery {
        int size;
        BOOL unicode;
        const char* text;
        LONG proximity;
        BOOL stemmed;
        BOOL titleOnly;
        BOOL execute;
        const char* window;
    } search = {static_cast<int>(sizeof(FullTextQuery)), FALSE, query.c_str(), -1, FALSE, FALSE, FALSE, nullptr};
    const UINT displaySearch = 0x0003;   // HH_DISPLAY_SEARCH
    GuiShowHelp(hwnd_, helpFile.c_str(), "", displaySearch, reinterpret_cast<DWORD_PTR>(&search));
}

ScreenRect DialogView::ControlScreenRect(int id) const
{
    RECT r = {0, 0, 0, 0};
    HWND window = id == 0 ? hwnd_ : item(id);
    if (window == nullptr || !GetWindowRect(window, &r))
        return ScreenRect{};
    return ScreenRect{r.left, r.top, r.right, r.bottom};
}

int DialogView::ScreenWidth() const
{
    return GetSystemMetrics(SM_CXSCREEN);
}

void DialogView::SetPressed(int id, bool pressed)
{
    SendDlgItemMessageA(hwnd_, id, BM_SETSTATE, pressed ? TRUE : FALSE, 0);
}

bool DialogView::OpenModeless(int templateId, DialogPage& page)
{
    auto& slot = modeless_[&page];
    if (slot != nullptr && slot->hwnd() != nullptr)
        return true;
    slot = std::make_unique<DialogView>(page, resources_, bitmaps_);
    slot->popup_ = true;
    if (slot->CreateChild(hwnd_, templateId) == nullptr) {
        const std::string line = "DialogView: CreateDialogParam " + std::to_string(templateId) + " failed, error " +
                                 std::to_string(GetLastError()) + "\n";
        OutputDebugStringA(line.c_str());
        slot.reset();
        return false;
    }
    return true;
}

DialogView* DialogView::modeless(const DialogPage& page) const
{
    auto it = modeless_.find(&page);
    return it == modeless_.end() ? nullptr : it->second.get();
}

ScreenRect DialogView::ModelessRect(const DialogPage& page) const
{
    const DialogView* dialog = modeless(page);
    return dialog != nullptr ? dialog->ControlScreenRect(0) : ScreenRect{};
}

void DialogView::ShowModelessAt(DialogPage& page, int x, int y)
{
    DialogView* dialog = modeless(page);
    if (dialog == nullptr || dialog->hwnd() == nullptr)
        return;
    SetWindowPos(dialog->hwnd(), HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
    ShowWindow(dialog->hwnd(), SW_SHOW);
}

bool DialogView::ApplySheet()
{
    return sheet_ == nullptr || sheet_->Apply();
}

void DialogView::CancelSheet()
{
    if (sheet_ != nullptr)
        sheet_->Cancel();
}

void DialogView::routeToPopup(MSG& message)
{
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || message.hwnd == nullptr)
        return;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const KeyFilter& filter = keyFilter();
    const bool popup = std::any_of(filter.views.begin(), filter.views.end(),
                                   [root](const DialogView* v) { return v->popup_ && v->hwnd_ == root; });
    if (popup && IsDialogMessageA(root, &message))
        message.message = WM_NULL;
}
