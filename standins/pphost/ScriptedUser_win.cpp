#include "ScriptedUser_win.h"

#include "Screenshot_win.h"
#include "WindowSearch_win.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

constexpr int kSheetId = 2401;   // the main dialog's sheet (placeholder + 1)

struct User {
    std::vector<std::string> steps;
    std::vector<std::string> log;
    bool done = false;
};

User& user()
{
    static User state;
    return state;
}

void pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void settle(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int round = 0; round < 10; ++round) {
        pump();
        Sleep(20);
    }
}

void notifyParent(HWND control, int code)
{
    SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

bool choose(HWND control, LRESULT data)
{
    char className[32] = "";
    GetClassNameA(control, className, sizeof className);
    const bool list = lstrcmpiA(className, "ListBox") == 0;
    const LRESULT count = SendMessageA(control, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (SendMessageA(control, list ? LB_GETITEMDATA : CB_GETITEMDATA, static_cast<WPARAM>(i), 0) != data)
            continue;
        SendMessageA(control, list ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        notifyParent(control, list ? LBN_SELCHANGE : CBN_SELCHANGE);
        return true;
    }
    return false;
}

bool seenAnywhere(int id)
{
    bool found = false;
    windowsearch::ForEachThreadWindow([&found, id](HWND window) {
        found = IsWindowVisible(window) && windowsearch::VisibleDescendant(window, id) != nullptr;
        return !found;
    });
    return found;
}

bool showTab(HWND main, int index)
{
    HWND sheet = GetDlgItem(main, kSheetId);
    HWND tabs = sheet != nullptr ? FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr) : nullptr;
    if (tabs == nullptr || SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0) == -1)
        return false;
    NMHDR header{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(sheet, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    return true;
}

// One step; false when it could not be done.
bool act(HWND main, const std::string& step)
{
    std::istringstream in(step);
    std::string verb;
    in >> verb;
    int id = 0;
    if (verb == "tab" && in >> id)
        return showTab(main, id);
    if (verb == "ok" || verb == "cancel") {
        SendMessageA(main, WM_COMMAND, MAKEWPARAM(verb == "ok" ? IDOK : IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(main, verb == "ok" ? IDOK : IDCANCEL)));
        return true;
    }
    if (verb == "shot") {
        std::string path;
        std::getline(in >> std::ws, path);
        settle(main);
        return SaveWindowBitmap(main, path);
    }
    if (!(in >> id))
        return false;
    if (verb == "seen")
        return seenAnywhere(id);
    HWND control = windowsearch::VisibleDescendant(main, id);
    if (control == nullptr)
        return false;
    if (verb == "click") {
        SendMessageA(control, BM_CLICK, 0, 0);
        return true;
    }
    if (verb == "type") {
        std::string text;
        std::getline(in >> std::ws, text);
        SetWindowTextA(control, text.c_str());
        return true;
    }
    long data = 0;
    if (verb == "choose" && in >> data)
        return choose(control, data);
    return false;
}

BOOL CALLBACK findMain(HWND window, LPARAM found)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (!IsWindowVisible(window) || lstrcmpA(className, "#32770") != 0 || GetWindow(window, GW_OWNER) != nullptr)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK tick(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND main = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findMain, reinterpret_cast<LPARAM>(&main));
    if (main == nullptr)
        return;
    KillTimer(nullptr, timer);
    User& u = user();
    u.done = true;
    settle(main);
    for (const std::string& step : u.steps) {
        const bool done = act(main, step);
        u.log.push_back((done ? "did:    " : "FAILED: ") + step);
        pump();
        if (!done && (step == "ok" || step == "cancel"))
            break;
    }
}

}  // namespace

bool StartScriptedUser(const std::vector<std::string>& steps)
{
    static const char* const verbs[] = {"tab", "click", "type", "choose", "shot", "seen", "ok", "cancel"};
    for (const std::string& step : steps) {
        const std::string verb = step.substr(0, step.find(' '));
        bool known = false;
        for (const char* v : verbs)
            known = known || verb == v;
        if (!known) {
            std::fprintf(stderr, "pphost: unknown step \"%s\"\n", step.c_str());
            return false;
        }
    }
    user().steps = steps;
    return SetTimer(nullptr, 0, 100, tick) != 0;
}

const std::vector<std::string>& ScriptedUserLog()
{
    return user().log;
}
