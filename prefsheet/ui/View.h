// What a page or dialog sees of its window: controls addressed by id. The
// rules of every page talk only to this; the Win32 layer implements it over
// a dialog HWND (DialogView_win) and native tests over memory (MemoryView).
#pragma once

#include "WatermarkPreview.h"

#include <cstdint>
#include <string>
#include <vector>

class DialogPage;
class InkDisplay;

// What happened to a control, as the page needs to know it.
enum class Notify {
    Clicked,      // button, check box, radio button, picture control
    SelChange,    // list or combo box selection
    EditChange,   // edit field text
    // Added for the watermark edit dialog:
    LostFocus,    // the user left an edit field
};

// One page of a sheet embedded in a window; the page object outlives it.
struct SheetPage {
    int templateId;
    std::string title;
    DialogPage* page;
};

// One command of a menu.
struct MenuItem {
    int command;
    std::string text;
};

// Answers of message boxes and modal dialogs, as on Windows.
constexpr int kDialogOk = 1;
constexpr int kDialogCancel = 2;

// Text colours of SetTextColour.
constexpr uint32_t kTextBlack = 0x000000;
constexpr uint32_t kTextRed = 0x0000FF;
// Screen pixels, as a Windows RECT. Added for the alternate main window.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Keys a page may take before the dialog manager acts on them.
enum class Key {
    Enter,          // Return, on any control
    Tab,            // Tab without Shift
    AltCharacter,   // Alt with a letter or a digit (the character, upper case)
};

// What the page makes of such a key.
enum class KeyAction {
    Default,        // the dialog manager acts as usual
    PressAsSpace,   // the control gets a space bar press instead
    Handled,        // the page acted; the key goes no further
};

class View {
public:
    virtual ~View() = default;

    virtual void Enable(int id, bool on) = 0;
    virtual bool IsEnabled(int id) const = 0;
    virtual void Show(int id, bool on) = 0;
    virtual bool IsVisible(int id) const = 0;
    virtual void SetCheck(int id, bool on) = 0;
    virtual bool GetCheck(int id) const = 0;
    virtual void SetText(int id, const std::string& text) = 0;
    virtual std::string GetText(int id) const = 0;
    virtual void SetTextLimit(int id, int characters) = 0;
    virtual void SetWindowTitle(const std::string& text) = 0;
    // A static text's colour, as a Windows COLORREF (red in the low byte).
    virtual void SetTextColour(int id, uint32_t rgb) = 0;

    // Lists and combo boxes: items carry a number beside their text.
    virtual void ClearList(int id) = 0;
    virtual void AddListItem(int id, const std::string& text, int32_t data) = 0;
    virtual int GetListCount(int id) const = 0;
    virtual int32_t GetListData(int id, int index) const = 0;
    virtual void SetListSelection(int id, int index) = 0;   // -1 selects nothing
    virtual int GetListSelection(int id) const = 0;

    // Spin controls (up-down) and sliders (trackbars).
    virtual void SetRange(int id, int low, int high) = 0;
    virtual void SetPosition(int id, int position) = 0;
    virtual int GetPosition(int id) const = 0;

    // A picture control shows a bitmap of the bitmap library.
    virtual void SetPicture(int id, uint32_t bitmapId) = 0;
    virtual uint32_t GetPicture(int id) const = 0;
    // Moves a control by dialog units, to close gaps left by hidden ones.
    virtual void MoveBy(int id, int dx, int dy) = 0;

    virtual void SetFocus(int id) = 0;
    virtual void Redraw(int id) = 0;   // 0 redraws the whole window

    virtual std::string String(uint32_t stringId) const = 0;   // resource library
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    // Runs a modal dialog of the resource library's template over this one.
    virtual int RunDialog(int templateId, DialogPage& page) = 0;
    // Ends this window when it is a modal dialog.
    virtual void EndDialog(int result) = 0;
    virtual void SetTimer(int timerId, unsigned milliseconds) = 0;
    virtual void KillTimer(int timerId) = 0;

    // Lets the common library's ink display draw into two ink-tank controls.
    virtual void AttachInkDisplay(InkDisplay& display, int leftTankId, int rightTankId) = 0;
    // Opens a topic of a help file through the common library; window is
    // appended to the file name (">name" picks a window of the help file).
    virtual void OpenHelp(const std::string& helpFile, const std::string& window, uint32_t topic) = 0;

    // A sheet of pages embedded over a placeholder control, raised by
    // `raise` pixels, its tab strip hidden; its first page shows. False when
    // it cannot be made. One per window.
    virtual bool EmbedSheet(int placeholderId, int raise, const std::vector<SheetPage>& pages) = 0;
    virtual void ShowSheetPage(int index) = 0;
    // Maintenance page: a picture button with a raised and a pressed picture.
    virtual void SetButtonPictures(int id, uint32_t upId, uint32_t downId) = 0;
    // Added for the watermark edit dialog: an owner-drawn control shows a
    // page with the watermark drawn as described.
    virtual void SetWatermarkPreview(int id, const WatermarkPreview& preview) = 0;

    // Added for the main dialog: a sheet whose tab strip the user clicks,
    // the menu bar, the window's icon and its palette.
    virtual void ShowSheetTabs(bool on) = 0;
    virtual int ActiveSheetPage() const = 0;   // -1 without a sheet
    // Null without such a page, and before the page was first shown.
    virtual View* SheetPageView(int index) = 0;
    virtual void FocusSheetTabs() = 0;
    virtual void EnableMenuCommand(int command, bool on) = 0;
    // Replaces the commands of the popup at `position` of menu `menu` of the
    // menu bar.
    virtual void SetPopupItems(int menu, int position, const std::vector<MenuItem>& items) = 0;
    virtual void SetIcon(uint32_t iconId) = 0;
    virtual void SetContextHelpButton(bool on) = 0;
    // A 256-colour palette from a bitmap's colour table, realised whenever
    // the display's palette changes.
    virtual void SetPalette(uint32_t bitmapId) = 0;
    // The help file's index, and its full-text search for a query.
    virtual void OpenHelpIndex(const std::string& helpFile) = 0;
    virtual void SearchHelp(const std::string& helpFile, const std::string& query) = 0;
    // Added for the alternate main window and its task menu. Show and
    // IsVisible take id 0 as the window itself. Rectangles are in screen
    // pixels; a control's is 0 when it has none.
    virtual ScreenRect ControlScreenRect(int id) const = 0;
    virtual int ScreenWidth() const = 0;
    // A push button drawn pressed (or released) without being clicked.
    virtual void SetPressed(int id, bool pressed) = 0;
    // A modeless dialog owned by this window, made hidden on its first call
    // for `page` and kept until this window goes; false when it cannot be made.
    virtual bool OpenModeless(int templateId, DialogPage& page) = 0;
    virtual ScreenRect ModelessRect(const DialogPage& page) const = 0;
    virtual void ShowModelessAt(DialogPage& page, int x, int y) = 0;
    // The embedded sheet's pages take OK (false when one refuses) or Cancel.
    virtual bool ApplySheet() = 0;
    virtual void CancelSheet() = 0;
};

// The rules of one page or dialog. Handlers get the view they act on; a
// handler that returns false leaves the message to the default handling.
class DialogPage {
public:
    virtual ~DialogPage() = default;
    virtual void OnInit(View& view) = 0;
    virtual bool OnCommand(View& view, int id, Notify code) = 0;
    virtual void OnScroll(View&, int /*id*/, int /*position*/) {}
    // A common control's notification (WM_NOTIFY code, negative numbers).
    virtual void OnNotify(View&, int /*id*/, int /*code*/) {}
    virtual void OnTimer(View&, int /*timerId*/) {}
    virtual void OnPaint(View&) {}           // before the window's background is drawn
    virtual void OnSetActive(View&) {}       // a sheet shows this page
    virtual void OnHelp(View&, int /*id*/) {}
    // OK: false keeps the dialog open. Cancel cannot be refused.
    virtual bool OnOK(View&) { return true; }
    virtual void OnCancel(View&) {}
    // A key pressed on control `id` of this page, before the dialog manager.
    virtual KeyAction OnKey(View&, int /*id*/, Key, char /*character*/) { return KeyAction::Default; }
    // Added for the alternate main window: the system's settings changed.
    virtual void OnSettingsChange(View&) {}
};
