#include "WindowTestSupport.h"

#include "Screenshot_win.h"

using namespace testsupport;

namespace windowtest {

bool saveScreenshot(HWND window, const std::string& path)
{
    return SaveWindowBitmap(window, path);
}

void Controls::choose(int id, int32_t data) const
{
    char className[32] = "";
    GetClassNameA(item(id), className, sizeof className);
    const bool list = lstrcmpiA(className, "ListBox") == 0;
    const int count = static_cast<int>(SendMessageA(item(id), list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (static_cast<int32_t>(SendMessageA(item(id), list ? LB_GETITEMDATA : CB_GETITEMDATA, i, 0)) == data) {
            SendMessageA(item(id), list ? LB_SETCURSEL : CB_SETCURSEL, i, 0);
            SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, list ? LBN_SELCHANGE : CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(item(id)));
            pump();
            return;
        }
    }
    ADD_FAILURE() << "no entry " << data << " in list " << id;
}

namespace {

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool SheetHost::open(const char* title)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = hostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "PelmoraPageHost";
    RegisterClassA(&wc);   // fails harmlessly when a test before registered it
    host_.reset(CreateWindowExA(WS_EX_CONTROLPARENT, "PelmoraPageHost", title,
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 20, 20, 540, 460, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr));
    if (!host_) {
        ADD_FAILURE() << "host window, error " << GetLastError();
        return false;
    }
    RECT area;
    GetClientRect(host_.get(), &area);
    InflateRect(&area, -6, -6);
    if (!sheet_.Create(host_.get(), 100, area, true)) {
        ADD_FAILURE() << "sheet, error " << GetLastError();
        return false;
    }
    const SIZE need = sheet_.RequiredSize();
    MoveWindow(sheet_.hwnd(), 6, 6, need.cx, need.cy, TRUE);
    RECT frame = {0, 0, need.cx + 12, need.cy + 12};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(host_.get(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(host_.get(), GWL_EXSTYLE)));
    SetWindowPos(host_.get(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    UpdateWindow(host_.get());
    pump();
    return true;
}

void Answerer::arm()
{
    current = this;
    SetTimer(nullptr, 0, 30, tick);
}

BOOL CALLBACK Answerer::findDialog(HWND window, LPARAM)
{
    Answerer& a = *current;
    if (a.answered || GetDlgItem(window, a.marker) == nullptr || !IsWindowVisible(window))
        return TRUE;
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    a.texts.push_back(text);
    GetDlgItemTextA(window, a.textId, text, sizeof text);
    a.texts.push_back(text);
    a.answered = true;
    const Controls dialog{window};
    if (!a.screenshot.empty()) {
        settle(window);
        saveScreenshot(window, a.screenshot);
    }
    for (const auto& [id, typed] : a.typing)
        SetDlgItemTextA(window, id, typed.c_str());
    for (int& id : a.sliders)
        id = dialog.position(id);
    if (a.act)
        a.act(dialog);
    for (int id : a.presses) {
        if (id == IDCANCEL)
            SendMessageA(window, WM_CLOSE, 0, 0);
        else
            SendMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0);
    }
    return FALSE;
}

void CALLBACK Answerer::tick(HWND, UINT, UINT_PTR timer, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), findDialog, 0);
    if (current->answered)
        KillTimer(nullptr, timer);
}

}  // namespace windowtest
