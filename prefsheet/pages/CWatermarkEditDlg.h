// Adds a watermark or edits one: name, text, TrueType font, style, size,
// colour, angle and shade, with a live preview. Works on its own copy of the
// list; OK validates the shown record and hands the list to the store.
#pragma once

#include "CWatermarkTabPropPage.h"

#include <string>
#include <vector>

class CWatermarkEditDlg : public DialogPage {
public:
    // index: the record to edit (ignored when adding).
    CWatermarkEditDlg(const PageContext& context, GUIPrinter& model, const ScreenFonts& fonts,
                      const std::vector<LCWMARKINFO>& list, bool edit, int index);

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    void OnScroll(View& view, int id, int position) override;
    void OnHelp(View& view, int id) override { ShowControlHelp(view, context_.product, id); }
    bool OnOK(View& view) override;

    int editedIndex() const { return index_; }
    const std::vector<LCWMARKINFO>& list() const { return list_; }
    const std::vector<FontFamily>& families() const { return families_; }

private:
    LCWMARKINFO& record() { return list_[static_cast<size_t>(index_)]; }
    void fillLists(View& view);
    void fillNames(View& view);
    void showRecord(View& view);
    void showPreview(View& view);
    void onNewWatermark(View& view);
    void onName(View& view);
    void onFont(View& view);
    void onSizeTyped(View& view);
    void onSizeLeft(View& view);
    bool validate(View& view);

    PageContext context_;
    GUIPrinter& model_;
    std::vector<FontFamily> families_;
    std::vector<LCWMARKINFO> original_;
    std::vector<LCWMARKINFO> list_;
    const bool edit_;
    int index_;
    int newIndex_ = -1;   // the appended record, -1 before New
};
