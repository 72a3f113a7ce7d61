// Lists the five personal settings and deletes the ones the user no
// longer wants (the slot's name becomes "NULL"; its record stays).
#pragma once

#include "PageContext.h"
#include "View.h"

#include <string>

class ManageSettingsDlg : public DialogPage {
public:
    ManageSettingsDlg(const PageContext& context, std::string printerName);

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;

private:
    void fill(View& view, int selection);
    void onDelete(View& view);

    PageContext context_;
    std::string printerName_;
    std::vector<std::string> names_;   // stored names of slots 2..6
};
