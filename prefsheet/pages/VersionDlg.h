// The about box: the printer the preferences belong to and the library's
// version.
#pragma once

#include "View.h"

#include <string>

class VersionDlg : public DialogPage {
public:
    VersionDlg(std::string printerName, std::string version);

    void OnInit(View& view) override;
    bool OnCommand(View&, int, Notify) override { return false; }

private:
    std::string printerName_;
    std::string version_;
};
