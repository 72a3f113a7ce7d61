// The watermark tab of the main sheet and, sharing its rules, the list
// dialog of the alternate main window: two lists of the printer's
// watermarks (first or odd pages on the left, other or even pages on the
// right), the page mode and placement, and add, edit and delete over a copy
// of the store's list.
#pragma once

#include "CommonLibrary.h"
#include "GUIPrinter.h"
#include "PageContext.h"
#include "View.h"
#include "WatermarkPreview.h"

#include <functional>
#include <memory>
#include <vector>

// The screen's TrueType families, for the edit dialog.
using ScreenFonts = std::function<std::vector<FontFamily>()>;

class WatermarkListPage : public DialogPage {
public:
    void SetPrinter(GUIPrinter* model) { model_ = model; }

    // Re-reads the store's list and finds the job's two watermarks in it.
    void InitializeColumns(View& view);

    bool OnCommand(View& view, int id, Notify code) override;
    void OnHelp(View& view, int id) override { ShowControlHelp(view, context_.product, id); }

    int selectedLeft() const { return left_; }
    int selectedRight() const { return right_; }
    const std::vector<LCWMARKINFO>& list() const { return list_; }

protected:
    // Immediate: every choice goes to the store at once (the tab page);
    // otherwise mode, placement and selections wait for Commit (the dialog).
    WatermarkListPage(const PageContext& context, ScreenFonts fonts, bool immediate);

    void setupGroups(View& view);
    void readSelection();
    void showMode(View& view);
    void commitSelection();

    PageContext context_;
    ScreenFonts fonts_;
    GUIPrinter* model_ = nullptr;
    std::vector<LCWMARKINFO> list_;
    int left_ = 0;
    int right_ = 0;
    uint8_t mode_ = 0;        // 0 first and other pages, 1 odd and even pages
    uint8_t placement_ = 0;   // 0 over the page, 1 under it
    LCWMARKINFO first_{};     // the job's first (or odd) pages watermark
    LCWMARKINFO second_{};    // the job's other (or even) pages watermark

private:
    void onLeftColumn(View& view);
    void onRightColumn(View& view);
    void onMode(View& view, uint8_t mode);
    void onEdit(View& view, bool edit);
    void onDelete(View& view);
    void fillColumns(View& view);

    const bool immediate_;
};

class CWatermarkTabPropPage : public WatermarkListPage {
public:
    CWatermarkTabPropPage(const PageContext& context, ScreenFonts fonts);

    // Hands the list copy to the store (the main dialog's OK and save
    // settings, when the page was visited).
    void Save();
    bool visited() const { return visited_; }
    void Refresh(View& view) { InitializeColumns(view); }

    void OnInit(View& view) override;
    void OnSetActive(View& view) override;

private:
    std::unique_ptr<InkDisplay> ink_;
    bool visited_ = false;
};
