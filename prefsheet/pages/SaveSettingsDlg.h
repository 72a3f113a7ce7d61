// Saves the current settings as one of the five named personal settings:
// the user picks a slot and types its name.
#pragma once

#include "GUIPrinter.h"
#include "PageContext.h"
#include "View.h"

class SaveSettingsDlg : public DialogPage {
public:
    SaveSettingsDlg(const PageContext& context, GUIPrinter& model);

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    bool OnOK(View& view) override;

    int savedSlot() const { return saved_; }   // 0 when nothing was saved

private:
    void showSlot(View& view);

    PageContext context_;
    GUIPrinter& model_;
    std::vector<std::string> names_;   // stored names of slots 2..6
    int saved_ = 0;
};
