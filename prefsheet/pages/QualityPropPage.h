// The quality-and-copies tab of the alternate main window: quality, media
// (automatic or chosen), black and white, sharpening, copies, and links to
// the paper-type help and the status program. QualityPropPageNoMediaSense
// serves products without automatic media sensing. The shared rules of
// quality, media and cartridges are the page setup page's (PageSetupRules).
#pragma once

#include "GUIPrinter.h"
#include "PageContext.h"
#include "PageSetupPropPage.h"
#include "View.h"

#include <cstdint>
#include <memory>

class QualityPropPage : public DialogPage {
public:
    explicit QualityPropPage(const PageContext& context);

    // Called by the sheet before the page's window exists.
    void SetPrinter(GUIPrinter* model) { model_ = model; }
    // Re-reads everything from the model.
    void Refresh(View& view);

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    void OnSetActive(View& view) override { Refresh(view); }
    void OnHelp(View& view, int id) override { ShowControlHelp(view, context_.product, id); }

    CartridgeState cartridgeState() const { return cartridgeState_; }

protected:
    QualityPropPage(const PageContext& context, bool mediaSense);

    PageContext context_;
    GUIPrinter* model_ = nullptr;
    const bool mediaSense_;

private:
    void setupQualityControls(View& view);
    void setupOptions(View& view);
    void setupLinks(View& view);
    void setupMedia(View& view);
    void showQuality(View& view);
    void showMedia(View& view);
    void showCopies(View& view);
    void evaluateBlackWhite(View& view);
    bool eolBlack();

    void onQuality(View& view, int radio);
    void onPhotoDpi(View& view);
    void onMediaAutomatic(View& view);
    void onMediaManual(View& view);
    void onMediaList(View& view);
    void onBlackWhite(View& view);
    void onSharpening(View& view);
    void onCopies(View& view);
    void onHelpButton(View& view);
    void afterChange(View& view);

    void setAutoMedia(int32_t on);
    PageSetupRules::MediaChoice mediaChoice(View& view) const;
    int32_t qualityFromPhotoList(View& view) const;
    bool photoListInUse() const { return mediaSense_ && photoDpi_; }
    bool photoCartridge() const;

    std::unique_ptr<InkDisplay> ink_;

    // Product switches read once.
    bool regionPhotoMedia_ = false;
    bool makerPhotoMedia_ = false;
    bool photoNoBlackWhite_ = false;
    bool sharpening_ = false;
    bool imageBuffer_ = false;
    bool photoDpi_ = false;
    bool bestShown_ = true;
    bool completeAPrint_ = false;
    bool pygCartridges_ = false;
    bool paperPathType1_ = false;

    // Display state.
    int32_t copies_ = 1;
    int32_t pageOrder_ = 1;
    bool autoMediaChosen_ = false;
    bool manualChosen_ = false;
    bool best_ = false;         // best quality chosen with the photo-resolution list in use
    bool portLocked_ = false;   // a port without two-way communication: nothing automatic
    CartridgeState cartridgeState_ = ColorAndBlack;
};

class QualityPropPageNoMediaSense : public QualityPropPage {
public:
    explicit QualityPropPageNoMediaSense(const PageContext& context) : QualityPropPage(context, false) {}
};
