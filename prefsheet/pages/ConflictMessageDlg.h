// The conflict dialog the settings model runs when a rule fires: a title, a
// heading, up to six texts and the two choices that answer 2 and 3. The
// draft/photo rule may add a third choice that keeps neither (normal
// quality). Closing the dialog any other way answers neither as well.
#pragma once

#include "ConflictDialog.h"
#include "View.h"

// What closing the dialog, or its third choice, answers: neither 2 nor 3.
// (IDCANCEL is 2 on Windows, so the window result is never passed on as is.)
constexpr int kConflictAnswerNeither = 0;

// The rules of the dialog window itself.
class ConflictMessageDlg : public DialogPage {
public:
    explicit ConflictMessageDlg(const ConflictMessage& message) : message_(message) {}

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    void OnCancel(View& view) override;
    int answer() const { return answer_; }

private:
    const ConflictMessage& message_;
    int answer_ = kConflictAnswerNeither;
};

// GUIPrinter's conflict dialog, run modally over the window of `owner`.
class ConflictDialogRunner : public ConflictDialog {
public:
    explicit ConflictDialogRunner(View& owner) : owner_(owner) {}
    int Run(const ConflictMessage& message) override;

private:
    View& owner_;
};
