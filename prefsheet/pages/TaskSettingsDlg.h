// Existing pages shown whole inside another window: the alternate main
// window's sheet pages of templates 5042, 5043 and 5316 (FramedPage) and the
// task menu's settings dialogs 5210-5215 and 5295 (TaskSettingsDlg), each a
// frame whose placeholder takes one embedded page.
#pragma once

#include "CWatermarkTabPropPage.h"
#include "GUIPrinter.h"
#include "PageContext.h"
#include "View.h"

#include <memory>
#include <vector>

enum class TaskPage { Quality, Paper, Layout, Poster, Watermark, Color, Maintenance };

namespace TaskPages {
// The page a frame template shows; false for a template that is no frame.
bool PageOfFrame(int frameTemplateId, TaskPage& page);
// The template of the page itself (the quality page's by the product's
// automatic media sensing).
int PageTemplate(TaskPage page, const ProductOptions& product);
// The page, given the model; the watermark page lists the screen's fonts.
std::unique_ptr<DialogPage> MakePage(TaskPage page, const PageContext& context, const ScreenFonts& fonts,
                                     GUIPrinter* model);
// No fonts, where no one enumerates the screen's.
std::vector<FontFamily> NoFonts();
}  // namespace TaskPages

class FramedPage : public DialogPage {
public:
    FramedPage(const PageContext& context, ScreenFonts fonts, int frameTemplateId);

    // Makes the embedded page for the model; before the window exists.
    void SetPrinter(GUIPrinter* model);
    int FrameTemplate() const { return frameTemplate_; }
    DialogPage* page() { return page_.get(); }

    void OnInit(View& view) override;
    bool OnCommand(View&, int, Notify) override { return false; }
    // Showing the frame shows its page again, which re-reads the model.
    void OnSetActive(View& view) override { view.ShowSheetPage(0); }
    bool OnOK(View& view) override { return view.ApplySheet(); }
    void OnCancel(View& view) override { view.CancelSheet(); }

protected:
    PageContext context_;
    ScreenFonts fonts_;
    GUIPrinter* model_ = nullptr;

private:
    const int frameTemplate_;
    std::unique_ptr<DialogPage> page_;
};

// What a settings dialog's Cancel puts back: the record and what the model
// keeps beside it that the embedded pages can change.
class ModelSnapshot {
public:
    explicit ModelSnapshot(const GUIPrinter& model);
    void Restore(GUIPrinter& model) const;

private:
    LCDEVMODE record_;
    std::vector<LCWMARKINFO> watermarks_;
    StatusProgramOptions status_;
    int32_t autoMedia1_;
    int32_t autoMedia2_;
    int32_t envelopeMode_;
    int32_t rememberedQuality_;
    int32_t showIWantToMenu_;
};

// A settings dialog of the task menu: OK keeps what the page changed,
// Cancel restores the model as it was when the dialog opened, Help opens
// the dialog's topic.
class TaskSettingsDlg : public FramedPage {
public:
    TaskSettingsDlg(const PageContext& context, ScreenFonts fonts, GUIPrinter* model, int templateId);

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    void OnCancel(View& view) override;

private:
    std::unique_ptr<ModelSnapshot> opened_;
};
