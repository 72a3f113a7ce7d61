// The alternate main window's task menu ("I want to..."): a modeless popup
// of tasks, each a picture button and a link that open one settings
// dialog, the how-to help and the "Show On Startup" check box.
#pragma once

#include "GUIPrinter.h"
#include "PageContext.h"
#include "View.h"

#include <cstdint>
#include <map>

// A task of the menu: its two buttons, its text and pictures, and the
// settings dialog it opens.
struct MenuTask {
    int picture;
    int text;
    uint32_t label;
    uint32_t up;
    uint32_t down;
    int dialog;
};

namespace TaskMenuRules {
constexpr int kTaskCount = 7;
const MenuTask* Tasks();
// The settings dialog a button opens; 0 for any other control.
int DialogOf(int buttonId);
// The character after the first '&' that does not double it, upper case;
// 0 when the text has none.
char Mnemonic(const std::string& text);
}  // namespace TaskMenuRules

// What the menu asks of the window that owns it.
class TaskMenuOwner {
public:
    virtual ~TaskMenuOwner() = default;
    // Runs one settings dialog over the main window; its result.
    virtual int RunTask(int dialogTemplateId) = 0;
    virtual void TaskMenuHidden() = 0;
};

class TaskMenuDlg : public DialogPage {
public:
    TaskMenuDlg(const PageContext& context, TaskMenuOwner& owner);

    void SetPrinter(GUIPrinter* model) { model_ = model; }

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    void OnCancel(View& view) override { hide(view); }
    KeyAction OnKey(View& view, int id, Key key, char character) override;

private:
    void hide(View& view);
    void runTask(View& view, int dialog);
    void openHowTo(View& view);

    PageContext context_;
    TaskMenuOwner& owner_;
    GUIPrinter* model_ = nullptr;
    std::map<char, int> mnemonics_;   // character -> the task's text button
};
