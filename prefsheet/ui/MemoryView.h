// The view kept in memory: every control a page touches comes into being on
// first use (enabled, visible, empty). Native tests drive pages through it
// and read back what a user would see.
#pragma once

#include "View.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class MemoryView : public View {
public:
    struct Control {
        bool enabled = true;
        bool visible = true;
        bool checked = false;
        std::string text;
        int textLimit = 0;
        std::vector<std::pair<std::string, int32_t>> items;
        int selection = -1;
        int low = 0;
        int high = 100;
        int position = 0;
        uint32_t picture = 0;
        int movedX = 0;
        int movedY = 0;
        int redraws = 0;
        uint32_t textColour = kTextBlack;
        uint32_t pressedPicture = 0;   // a picture button's pressed look
        bool pressed = false;          // drawn pressed (SetPressed)
    };
    struct Message {
        std::string text;
        std::string caption;
        unsigned flags;
    };
    using DialogRunner = std::function<int(int templateId, DialogPage& page)>;

    void Enable(int id, bool on) override { at(id).enabled = on; }
    bool IsEnabled(int id) const override { return get(id).enabled; }
    void Show(int id, bool on) override { at(id).visible = on; }
    bool IsVisible(int id) const override { return get(id).visible; }
    void SetCheck(int id, bool on) override { at(id).checked = on; }
    bool GetCheck(int id) const override { return get(id).checked; }
    void SetText(int id, const std::string& text) override;
    std::string GetText(int id) const override { return get(id).text; }
    void SetTextLimit(int id, int characters) override { at(id).textLimit = characters; }
    void SetWindowTitle(const std::string& text) override { title = text; }
    void SetTextColour(int id, uint32_t rgb) override { at(id).textColour = rgb; }

    void ClearList(int id) override;
    void AddListItem(int id, const std::string& text, int32_t data) override;
    int GetListCount(int id) const override { return static_cast<int>(get(id).items.size()); }
    int32_t GetListData(int id, int index) const override;
    void SetListSelection(int id, int index) override;
    int GetListSelection(int id) const override { return get(id).selection; }

    void SetRange(int id, int low, int high) override;
    void SetPosition(int id, int position) override;
    int GetPosition(int id) const override { return get(id).position; }

    void SetPicture(int id, uint32_t bitmapId) override { at(id).picture = bitmapId; }
    uint32_t GetPicture(int id) const override { return get(id).picture; }
    void MoveBy(int id, int dx, int dy) override;

    void SetFocus(int id) override { focus = id; }
    void Redraw(int id) override { ++at(id).redraws; }

    // "#<id>" unless the test gave the string a text.
    std::string String(uint32_t stringId) const override;
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    // Without a runner a child dialog is initialised and cancelled.
    int RunDialog(int templateId, DialogPage& page) override;
    void EndDialog(int result) override { ended = result; }
    void SetTimer(int timerId, unsigned milliseconds) override { timers[timerId] = milliseconds; }
    void KillTimer(int timerId) override { timers.erase(timerId); }
    void AttachInkDisplay(InkDisplay& display, int leftTankId, int rightTankId) override
    {
        inkDisplay = &display;
        inkTanks = {leftTankId, rightTankId};
    }
    void OpenHelp(const std::string& helpFile, const std::string& window, uint32_t topic) override
    {
        helpOpened.push_back(Help{helpFile, window, topic});
    }
    void SetButtonPictures(int id, uint32_t upId, uint32_t downId) override
    {
        at(id).picture = upId;
        at(id).pressedPicture = downId;
    }

    // The embedded sheet's pages each get a view of their own, initialised
    // when the sheet is made; showing one activates it.
    bool EmbedSheet(int placeholderId, int raise, const std::vector<SheetPage>& pages) override;
    void ShowSheetPage(int index) override;
    MemoryView& sheetView(int index) { return *sheetViews_.at(static_cast<size_t>(index)); }
    int sheetPageShown = -1;
    std::vector<SheetPage> sheetPages;

    void SetWatermarkPreview(int id, const WatermarkPreview& preview) override
    {
        previews[id] = preview;
        ++at(id).redraws;
    }

    // What a user does: each changes the control, then tells the page.
    void ShowSheetTabs(bool on) override { sheetTabsShown = on; }
    int ActiveSheetPage() const override { return sheetPageShown; }
    View* SheetPageView(int index) override;
    void FocusSheetTabs() override { focus = kSheetTabsFocus; }
    void EnableMenuCommand(int command, bool on) override { menuEnabled[command] = on; }
    void SetPopupItems(int menu, int position, const std::vector<MenuItem>& items) override
    {
        popups[{menu, position}] = items;
    }
    void SetIcon(uint32_t iconId) override { icon = iconId; }
    void SetContextHelpButton(bool on) override { contextHelpButton = on; }
    void SetPalette(uint32_t bitmapId) override { palette = bitmapId; }
    void OpenHelpIndex(const std::string& helpFile) override { helpCommands.push_back("index " + helpFile); }
    void SearchHelp(const std::string& helpFile, const std::string& query) override
    {
        helpCommands.push_back("search " + helpFile + " for " + query);
    }
    static constexpr int kSheetTabsFocus = -2;
    std::vector<std::string> helpCommands;
    bool sheetTabsShown = false;
    std::map<int, bool> menuEnabled;
    std::map<std::pair<int, int>, std::vector<MenuItem>> popups;
    uint32_t icon = 0;
    bool contextHelpButton = false;
    uint32_t palette = 0;

    void Click(DialogPage& page, int id);
    void Select(DialogPage& page, int id, int index);
    void Type(DialogPage& page, int id, const std::string& text);
    // A key pressed on control `id`; a key the page makes a space bar press
    // clicks the control, as space does on a button.
    KeyAction PressKey(DialogPage& page, int id, Key key, char character = 0);
    void Leave(DialogPage& page, int id) { page.OnCommand(*this, id, Notify::LostFocus); }

    // Alternate main window: rectangles the test gives, a screen of
    // `screenWidth` pixels, modeless dialogs initialised on first opening.
    ScreenRect ControlScreenRect(int id) const override;
    int ScreenWidth() const override { return screenWidth; }
    void SetPressed(int id, bool pressed) override { at(id).pressed = pressed; }
    bool OpenModeless(int templateId, DialogPage& page) override;
    ScreenRect ModelessRect(const DialogPage& page) const override;
    void ShowModelessAt(DialogPage& page, int x, int y) override;
    bool ApplySheet() override;
    void CancelSheet() override;
    struct Modeless {
        int templateId = 0;
        std::unique_ptr<MemoryView> view;
        int x = 0;
        int y = 0;
        int shown = 0;   // times ShowModelessAt showed it
    };
    // Null when `page` was never opened as a modeless dialog.
    Modeless* modeless(const DialogPage& page);
    std::map<int, ScreenRect> rects;
    int screenWidth = 1024;
    int modelessWidth = 200;    // every modeless dialog's size
    int modelessHeight = 300;

    const Control& control(int id) const { return get(id); }
    // The list entry shown selected, "" when none.
    std::string SelectedText(int id) const;

    struct Help {
        std::string file;
        std::string window;
        uint32_t topic;
    };

    std::map<uint32_t, std::string> strings;
    std::vector<Message> messages;
    int messageAnswer = kDialogOk;
    DialogRunner runDialog;
    std::vector<int> dialogsRun;
    std::map<int, unsigned> timers;
    std::string title;
    int focus = 0;
    int ended = 0;
    InkDisplay* inkDisplay = nullptr;
    std::pair<int, int> inkTanks{0, 0};
    std::vector<Help> helpOpened;
    std::map<int, WatermarkPreview> previews;

private:
    Control& at(int id) { return controls_[id]; }
    const Control& get(int id) const;

    std::map<int, Control> controls_;
    std::vector<std::unique_ptr<MemoryView>> sheetViews_;
    std::map<const DialogPage*, Modeless> modeless_;
};
