// The more-options dialog of the advanced page: how the status program's job
// window shows, ink levels and remaining pages, the two complete-to-print
// options, balloon tips, sound, blank-page suppression and did-you-know
// tips. It works on its own copy of these values and writes them into the
// model only on OK.
#pragma once

#include "CommonLibrary.h"
#include "GUIPrinter.h"
#include "PageContext.h"
#include "View.h"

#include <cstdint>
#include <string>

namespace MoreOptionsRules {

enum JobWindowMode {
    ShowWindow = 0,
    ShowMinimized = 1,
    DoNotShow = 2,
    ShowWithoutSpecialMessages = 3,
};

// The mode from job progress minimized, show process window and show
// special messages.
JobWindowMode DeriveJobWindowMode(int32_t minimized, int32_t showWindow, int32_t specialMessages);

struct JobWindowValues {
    int32_t showProcessWindow;
    int32_t jobProgressMinimized;
    int32_t showSpecialMessages;
};
// What OK writes for a mode; `specialMessages` is the dialog's value, which
// only the minimized mode keeps.
JobWindowValues JobWindowOnOK(JobWindowMode mode, int32_t specialMessages);

// Balloon tips need the notification area of Windows 2000 and later: the
// Windows 95 family (platform 1) and NT 4.0 and older lack them.
bool BalloonTipsAvailable(const OsVersion& os);

// What the complete-to-print boxes start as.
struct CompleteToPrintInput {
    int32_t mode;               // the model's complete-to-print mode
    bool lockable;              // IDO_PMKPRODLIKE is not 0
    uint32_t storedFlag;        // "PSW" value; read only when lockable and no mode bit is set
    bool photoMediaWithoutBlackWhite;   // photo-group media and IDO_UNSUPPORT_PRINTPHOTOBLACKWHITE = 1
    bool blackWhite;            // the model's black-and-white flag is 1
    bool photoCartridge;        // either holder has a photo cartridge
};
struct CompleteToPrintBoxes {
    bool aChecked = false;
    bool aEnabled = true;
    bool bChecked = false;
    bool bEnabled = true;
    bool locked = false;
};
CompleteToPrintBoxes CompleteToPrintStart(const CompleteToPrintInput& in);

constexpr int kStatusProgramTask = 308;
constexpr uint32_t kHelpTopic = 6709;   // the dialog's own topic in the how-to window

}  // namespace MoreOptionsRules

class MoreOptionsDlg : public DialogPage {
public:
    MoreOptionsDlg(const PageContext& context, GUIPrinter& model, const std::string& printerName);

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    void OnHelp(View& view, int id) override { ShowControlHelp(view, context_.product, id); }
    bool OnOK(View& view) override;

    MoreOptionsRules::JobWindowMode jobWindowMode() const { return mode_; }
    bool completeToPrintLocked() const { return boxes_.locked; }

private:
    void startCompleteToPrint(View& view);
    void startYesNo(View& view, const char* key, int group, int yes, int no, int32_t value);
    void startBalloonTips(View& view);
    void startSound(View& view);
    void startOthers(View& view);
    void closeGaps(View& view);
    void showJobWindowMode(View& view);
    void onOptionA(View& view);
    void onOptionB(View& view);
    void openHelp(View& view);
    bool waveFilesFound() const;

    PageContext context_;
    GUIPrinter& model_;
    std::string printerName_;

    // The dialog's values, taken from the model at start.
    MoreOptionsRules::JobWindowMode mode_ = MoreOptionsRules::ShowWindow;
    int32_t specialMessages_ = 0;
    MoreOptionsRules::CompleteToPrintBoxes boxes_;
    bool photoMediaWithoutBlackWhite_ = false;
    bool balloonShown_ = false;
};
