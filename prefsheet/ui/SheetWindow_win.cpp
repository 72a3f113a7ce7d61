#include "SheetWindow_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

const char kSheetClass[] = "PelmoraSheet";

HINSTANCE codeModule()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

}  // namespace

SheetWindow::SheetWindow(HINSTANCE resources, HINSTANCE bitmaps) : resources_(resources), bitmaps_(bitmaps) {}

SheetWindow::~SheetWindow() = default;

void SheetWindow::AddPage(int templateId, const std::string& title, DialogPage& page)
{
    pages_.push_back({templateId, title, std::make_unique<DialogView>(page, resources_, bitmaps_)});
}

bool SheetWindow::Create(HWND parent, int controlId, const RECT& area, bool showTabs)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(codeModule(), kSheetClass, &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Proc;
        wc.hInstance = codeModule();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kSheetClass;
        if (RegisterClassExA(&wc) == 0)
            return false;
    }
    showTabs_ = showTabs;
    window_.reset(CreateWindowExA(WS_EX_CONTROLPARENT, kSheetClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                  area.left, area.top, area.right - area.left, area.bottom - area.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), codeModule(), this));
    if (!window_)
        return false;
    tabs_ = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | (showTabs ? WS_VISIBLE : 0),
                            0, 0, area.right - area.left, area.bottom - area.top, window_.get(), nullptr,
                            codeModule(), nullptr);
    if (tabs_ == nullptr)
        return false;
    SendMessageA(tabs_, WM_SETFONT, SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
    for (size_t i = 0; i < pages_.size(); ++i) {
        TCITEMA tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<char*>(pages_[i].title.c_str());
        SendMessageA(tabs_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&tab));
        // As a property sheet does, a page's window is made when it is first
        // shown; its size comes from its template until then. A parent that
        // cannot convert dialog units gets every page at once.
        SIZE size;
        if (!templateSize(parent, pages_[i].templateId, size)) {
            if (!createPage(i))
                return false;
            RECT r;
            GetWindowRect(pageWindow(static_cast<int>(i)), &r);   // the template's size, before layout
            size = {r.right - r.left, r.bottom - r.top};
        }
        largestPage_.cx = std::max(largestPage_.cx, size.cx);
        largestPage_.cy = std::max(largestPage_.cy, size.cy);
    }
    layout();
    return pages_.empty() || SetActivePage(0);
}

// The pixel size of a page's template (DIALOGEX) in the parent dialog's
// units, which are the pages' too: every template uses the same font.
bool SheetWindow::templateSize(HWND parent, int templateId, SIZE& size) const
{
    HRSRC found = FindResourceA(resources_, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));   // RT_DIALOG
    HGLOBAL loaded = found != nullptr ? LoadResource(resources_, found) : nullptr;
    const auto* bytes = static_cast<const BYTE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    const DWORD length = found != nullptr ? SizeofResource(resources_, found) : 0;
    WORD version = 0, signature = 0;
    if (bytes == nullptr || length < 26)
        return false;
    std::memcpy(&version, bytes, 2);
    std::memcpy(&signature, bytes + 2, 2);
    if (version != 1 || signature != 0xFFFF)
        return false;
    short cx = 0, cy = 0;
    std::memcpy(&cx, bytes + 22, 2);
    std::memcpy(&cy, bytes + 24, 2);
    RECT r = {0, 0, cx, cy};
    if (!MapDialogRect(parent, &r))
        return false;
    size = {r.right, r.bottom};
    return true;
}

bool SheetWindow::createPage(size_t index)
{
    Page& p = pages_[index];
    if (p.view->hwnd() != nullptr)
        return true;
    HWND page = p.view->CreateChild(window_.get(), p.templateId);
    if (page == nullptr)
        return false;
    ShowWindow(page, SW_HIDE);
    if (layedOut_) {
        const RECT area = pageArea();
        SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOACTIVATE);
    }
    return true;
}

SIZE SheetWindow::RequiredSize() const
{
    RECT r = {0, 0, largestPage_.cx, largestPage_.cy};
    if (showTabs_)
        SendMessageA(tabs_, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&r));
    return {r.right - r.left, r.bottom - r.top};
}

void SheetWindow::ShowTabs(bool on)
{
    showTabs_ = on;
    ShowWindow(tabs_, on ? SW_SHOW : SW_HIDE);
    layout();
}

bool SheetWindow::SetActivePage(int index)
{
    if (index < 0 || index >= PageCount())
        return false;
    if (!createPage(static_cast<size_t>(index)))
        return false;
    if (active_ >= 0 && active_ != index)
        ShowWindow(pageWindow(active_), SW_HIDE);
    active_ = index;
    SendMessageA(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    DialogView& shown = view(index);
    shown.page().OnSetActive(shown);
    ShowWindow(shown.hwnd(), SW_SHOW);
    return true;
}

HWND SheetWindow::pageWindow(int index) const
{
    return index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)].view->hwnd() : nullptr;
}

bool SheetWindow::Apply()
{
    for (Page& p : pages_)
        if (p.view->hwnd() != nullptr && !p.view->page().OnOK(*p.view))
            return false;
    return true;
}

void SheetWindow::Cancel()
{
    for (Page& p : pages_)
        if (p.view->hwnd() != nullptr)
            p.view->page().OnCancel(*p.view);
}

// Without tabs a page fills the sheet; with them, the strip's display area.
RECT SheetWindow::pageArea() const
{
    RECT r;
    GetClientRect(window_.get(), &r);
    if (showTabs_)
        SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

void SheetWindow::layout()
{
    RECT client;
    GetClientRect(window_.get(), &client);
    MoveWindow(tabs_, 0, 0, client.right, client.bottom, TRUE);
    const RECT area = pageArea();
    layedOut_ = true;
    for (Page& p : pages_)
        if (p.view->hwnd() != nullptr)
            SetWindowPos(p.view->hwnd(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOACTIVATE);
}

LRESULT CALLBACK SheetWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<SheetWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_NCDESTROY) {
            // Gone with its parent: nothing left for the destructor to destroy.
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            if (self != nullptr) {
                self->window_.release();
                self->tabs_ = nullptr;
            }
        }
        if (self != nullptr && message != WM_NCCREATE && message != WM_NCDESTROY)
            return self->handle(window, message, wParam, lParam);
    } catch (...) {
        OutputDebugStringA("SheetWindow: a handler raised an exception; message dropped\n");
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT SheetWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
            SetActivePage(static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0)));
            return 0;
        }
        break;
    }
    case WM_SIZE:
        if (tabs_ != nullptr)
            layout();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
