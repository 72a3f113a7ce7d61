// A dialog of the resource library whose rules live in a DialogPage: the
// View over its HWND and the routing of its messages to the page. The same
// object serves a modal dialog (RunModal) and a sheet's child page
// (CreateChild).
#pragma once

#include "Handles_win.h"
#include "View.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

class SheetWindow;

class DialogView : public View {
public:
    // resources holds the templates and strings, bitmaps the pictures; both
    // outlive the view.
    DialogView(DialogPage& page, HINSTANCE resources, HINSTANCE bitmaps);
    ~DialogView() override;
    DialogView(const DialogView&) = delete;
    DialogView& operator=(const DialogView&) = delete;

    // The dialog's result, or -1 when the template cannot be made a window.
    INT_PTR RunModal(HWND owner, int templateId);
    // A child dialog (the template's style says WS_CHILD | DS_CONTROL);
    // null when it cannot be created. The view destroys it.
    HWND CreateChild(HWND parent, int templateId);
    HWND hwnd() const { return hwnd_; }
    DialogPage& page() { return page_; }

    void Enable(int id, bool on) override;
    bool IsEnabled(int id) const override;
    void Show(int id, bool on) override;
    bool IsVisible(int id) const override;
    void SetCheck(int id, bool on) override;
    bool GetCheck(int id) const override;
    void SetText(int id, const std::string& text) override;
    std::string GetText(int id) const override;
    void SetTextLimit(int id, int characters) override;
    void SetWindowTitle(const std::string& text) override;
    void SetTextColour(int id, uint32_t rgb) override;
    void ClearList(int id) override;
    void AddListItem(int id, const std::string& text, int32_t data) override;
    int GetListCount(int id) const override;
    int32_t GetListData(int id, int index) const override;
    void SetListSelection(int id, int index) override;
    int GetListSelection(int id) const override;
    void SetRange(int id, int low, int high) override;
    void SetPosition(int id, int position) override;
    int GetPosition(int id) const override;
    void SetPicture(int id, uint32_t bitmapId) override;
    uint32_t GetPicture(int id) const override;
    void MoveBy(int id, int dx, int dy) override;
    void SetFocus(int id) override;
    void Redraw(int id) override;
    std::string String(uint32_t stringId) const override;
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    int RunDialog(int templateId, DialogPage& page) override;
    void EndDialog(int result) override;
    void SetTimer(int timerId, unsigned milliseconds) override;
    void KillTimer(int timerId) override;
    void AttachInkDisplay(InkDisplay& display, int leftTankId, int rightTankId) override;
    void OpenHelp(const std::string& helpFile, const std::string& window, uint32_t topic) override;
    bool EmbedSheet(int placeholderId, int raise, const std::vector<SheetPage>& pages) override;
    void ShowSheetPage(int index) override;
    SheetWindow* embeddedSheet() const { return sheet_.get(); }
    void SetButtonPictures(int id, uint32_t upId, uint32_t downId) override;
    void SetWatermarkPreview(int id, const WatermarkPreview& preview) override;
    void ShowSheetTabs(bool on) override;
    int ActiveSheetPage() const override;
    View* SheetPageView(int index) override;
    void FocusSheetTabs() override;
    void EnableMenuCommand(int command, bool on) override;
    void SetPopupItems(int menu, int position, const std::vector<MenuItem>& items) override;
    void SetIcon(uint32_t iconId) override;
    void SetContextHelpButton(bool on) override;
    void SetPalette(uint32_t bitmapId) override;
    void OpenHelpIndex(const std::string& helpFile) override;
    void SearchHelp(const std::string& helpFile, const std::string& query) override;
    // Alternate main window and its task menu.
    ScreenRect ControlScreenRect(int id) const override;
    int ScreenWidth() const override;
    void SetPressed(int id, bool pressed) override;
    bool OpenModeless(int templateId, DialogPage& page) override;
    ScreenRect ModelessRect(const DialogPage& page) const override;
    void ShowModelessAt(DialogPage& page, int x, int y) override;
    bool ApplySheet() override;
    void CancelSheet() override;
    // The modeless dialog opened for `page`, null when none.
    DialogView* modeless(const DialogPage& page) const;

private:
    // PictureButton and PictureStatic are the common library's picture
    // controls, which load their own bitmaps from the bitmap library.
    enum class Kind { Other, Button, List, Combo, Edit, Spin, Slider, Static, PictureButton, PictureStatic, Link };

    static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(int id, int code);
    INT_PTR colourStatic(HDC dc, HWND control);
    HWND item(int id) const;
    Kind kind(int id) const;

    // Keys reach a page before the dialog manager (which may belong to a
    // host we do not own) through one message hook of the thread, kept while
    // any view has a window.
    static LRESULT CALLBACK KeyHook(int code, WPARAM wParam, LPARAM lParam);
    static void filterKey(MSG& message);
    void attachKeys();
    void detachKeys();

    DialogPage& page_;
    HINSTANCE resources_;
    HINSTANCE bitmaps_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    // Programmatic changes raise the same notifications as typing; the page
    // hears only the user's.
    int quiet_ = 0;
    std::map<int, UniqueBitmap> pictures_;
    std::map<int, uint32_t> pictureIds_;
    std::map<int, COLORREF> textColours_;   // statics whose text is not the default colour
    std::unique_ptr<SheetWindow> sheet_;   // its windows go with child_, its views with it
    std::map<int, WatermarkPreview> previews_;   // owner-drawn statics
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    UniquePalette palette_;
    bool realisePalette(bool repaint);
    std::map<const DialogPage*, std::unique_ptr<DialogView>> modeless_;   // owned popups
    // A modeless popup: the modal loop it lives in is another dialog's, so
    // the key hook gives it the dialog manager's keys (Tab, Escape, arrows).
    bool popup_ = false;
    static void routeToPopup(MSG& message);
    UniqueWindow child_;   // last: the window goes before its pictures
};
