// What the Wine tests of the preferences' windows share: a top-level window
// hosting pages in the real sheet, clicks and choices by control id the way
// a user's actions arrive, a stand-in user for the modal dialogs that open
// on the way, and screenshots. Runs on the Wine session's Xvfb display.
#pragma once

#include "Handles_win.h"
#include "ResourceIds.h"
#include "SheetWindow_win.h"

#include "TestSupport.h"
#include "WindowSearch_win.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace windowtest {

inline void pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The screen shows a window's drawing once Wine has flushed it to the
// display: redraw, then let a few rounds of messages pass.
inline void settle(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int round = 0; round < 10; ++round) {
        pump();
        Sleep(20);
    }
}

// A 24-bit BMP of what the screen shows of the window.
bool saveScreenshot(HWND window, const std::string& path);

// A shown control anywhere inside `root`, through embedded sheets and
// pages; null when none shows. Added with the alternate main window's test.
inline HWND visibleDescendant(HWND root, int id)
{
    return windowsearch::VisibleDescendant(root, id);
}

// Reads and acts on the controls of one dialog window.
struct Controls {
    HWND hwnd = nullptr;

    HWND item(int id) const { return GetDlgItem(hwnd, id); }
    void click(int id) const
    {
        SendMessageA(item(id), BM_CLICK, 0, 0);
        pump();
    }
    // A mouse click in the middle of a control that has no BM_CLICK (a
    // picture or a link).
    void press(int id) const
    {
        RECT r;
        GetClientRect(item(id), &r);
        const LPARAM middle = MAKELPARAM(r.right / 2, r.bottom / 2);
        SendMessageA(item(id), WM_LBUTTONDOWN, MK_LBUTTON, middle);
        SendMessageA(item(id), WM_LBUTTONUP, 0, middle);
        pump();
    }
    // Selects the combo box or list box entry whose item data is `data`, and
    // notifies the dialog as a user's choice does.
    void choose(int id, int32_t data) const;
    void type(int id, const std::string& text) const
    {
        SetWindowTextA(item(id), text.c_str());
        pump();
    }
    // A slider moved and released by the user.
    void slide(int id, int position) const
    {
        SendMessageA(item(id), TBM_SETPOS, TRUE, position);
        SendMessageA(hwnd, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(item(id)));
        pump();
    }
    bool checked(int id) const { return SendMessageA(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool enabled(int id) const { return IsWindowEnabled(item(id)) != FALSE; }
    bool visible(int id) const { return IsWindowVisible(item(id)) != FALSE; }
    std::string text(int id) const
    {
        char buffer[512] = "";
        GetWindowTextA(item(id), buffer, sizeof buffer);
        return buffer;
    }
    int position(int id) const { return static_cast<int>(SendMessageA(item(id), TBM_GETPOS, 0, 0)); }
};

// The pages in the real sheet inside a top-level window, grown so that the
// pages show whole.
class SheetHost {
public:
    SheetHost(HINSTANCE resources, HINSTANCE bitmaps) : sheet_(resources, bitmaps) {}
    void add(int templateId, const std::string& title, DialogPage& page) { sheet_.AddPage(templateId, title, page); }
    // False (with a test failure) when a window cannot be made.
    bool open(const char* title = "Printing Preferences");

    SheetWindow& sheet() { return sheet_; }
    HWND window() const { return host_.get(); }
    Controls page(int index) const { return Controls{sheet_.pageWindow(index)}; }

private:
    SheetWindow sheet_;
    UniqueWindow host_;
};

// A modal dialog that the next user action opens, and what the "user" does
// in it; a thread timer acts from inside the dialog's own message loop.
struct Answerer {
    int marker = 0;                                     // a control only that dialog has
    int textId = IDC_CONFLICT_TEXT1;                    // read into texts after the title
    std::vector<std::pair<int, std::string>> typing;   // typed before the presses
    std::function<void(const Controls&)> act;          // anything else, before the presses
    std::vector<int> presses;                           // IDCANCEL stands for the close box
    std::vector<std::string> texts;                     // title, then the text control
    std::vector<int> sliders;                           // positions of these sliders after typing
    std::string screenshot;                             // where to save a picture of the dialog
    bool answered = false;

    void arm();

private:
    static BOOL CALLBACK findDialog(HWND window, LPARAM);
    static void CALLBACK tick(HWND, UINT, UINT_PTR timer, DWORD);
    static inline Answerer* current = nullptr;
};

}  // namespace windowtest
