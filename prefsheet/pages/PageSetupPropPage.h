// The page setup page: quality, copies with collation and page order,
// orientation, media, paper size and source, envelope and edge-to-edge
// printing, black and white, blank-page suppression and the cartridges.
// Every control writes straight into the model; the page keeps display
// state only.
#pragma once

#include "CommonLibrary.h"
#include "GUIPrinter.h"
#include "PageContext.h"
#include "View.h"

#include <cstdint>
#include <memory>
#include <string>

// Bitmaps of the bitmap library that the page shows.
namespace PageSetupBitmap {
constexpr uint32_t DraftUp = 6765, NormalUp = 6767, BestUp = 6766, AutoUp = 6768;
constexpr uint32_t DraftDown = 6769, NormalDown = 6771, BestDown = 6770, AutoDown = 6772;
}  // namespace PageSetupBitmap

enum CartridgeState {
    ColorAndBlack = 0,
    MissingAndMissing = 1,
    ColorAndMissing = 2,
    MissingAndBlack = 3,
    ColorAndPhoto = 4,
};

constexpr uint32_t kNoCartridge = 32;
constexpr uint32_t kEdgeToEdgeSize = 296;   // what a non-borderless choice becomes

struct PaperIllustration {
    uint32_t picture;
    uint32_t companion;
};

// The page's tables, apart so they can be checked row by row.
namespace PageSetupRules {
bool IsPhotoMedia(uint32_t media);
bool IsBorderlessSize(uint32_t size);
uint32_t CopiesIllustration(int32_t copies, int32_t collate, int32_t pageOrder);
PaperIllustration PaperPictures(uint32_t paperFlags, uint32_t paperSize, int32_t pageLayout);
CartridgeState GetCartridgeState(uint32_t left, uint32_t right, bool rightIsPhoto);
const char* CartridgeStateName(CartridgeState state);
// The media list's text (a string id) for a media code; 0 when it has none.
uint32_t MediaStringId(uint32_t media);
// The paper list's text (a string id) for a paper size; 0 when it has none.
uint32_t PaperSizeStringId(uint32_t size);
}  // namespace PageSetupRules

class PageSetupPropPage : public DialogPage {
public:
    explicit PageSetupPropPage(const PageContext& context);

    // Called by the sheet before the page's window exists.
    void SetPrinter(GUIPrinter* model) { model_ = model; }
    // Re-reads everything from the model.
    void Refresh(View& view);

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    void OnScroll(View& view, int id, int position) override;
    void OnPaint(View& view) override;
    void OnSetActive(View& view) override { Refresh(view); }
    void OnHelp(View& view, int id) override { ShowControlHelp(view, product_, id); }

    CartridgeState cartridgeState() const { return cartridgeState_; }
    bool photoPaperDetected() const { return photoDetected_; }

private:
    void setupQualityButtons(View& view);
    void setupLabels(View& view);
    void setupSources(View& view);
    void setupInk(View& view);
    void pressQuality(View& view, int button);
    void onQuality(View& view, int button);
    void onPhotoDpi(View& view);
    void onBlackWhite(View& view);
    void onCopies(View& view);
    void onOrientation(View& view, int32_t orientation);
    void onMedia(View& view);
    void onPaperSize(View& view);
    void onPaperSource(View& view);
    void onEnvelope(View& view);
    void onEdgeToEdge(View& view);
    void afterChange(View& view);

    void fillMediaList(View& view);
    void selectMediaFromModel(View& view);
    void fillPaperList(View& view);
    void showCopies(View& view);
    void drawIllustrations(View& view);
    void applyPhotoRule(View& view);
    void applyCopiesEnables(View& view);
    void recordMediaPerSource(uint32_t media);
    int32_t qualityFromPhotoList(View& view) const;
    void endCompleteToPrint();
    bool completeToPrintLocksBlackWhite();

    PageContext context_;
    const ProductOptions& product_;
    RegistryComponent& registry_;
    PersonalSettings& slots_;
    Trace& trace_;
    std::unique_ptr<InkDisplay> ink_;
    GUIPrinter* model_ = nullptr;

    // Product switches read once.
    bool autoQuality_ = false;
    bool traysShown_ = false;
    bool photoDpi_ = false;
    bool regionPhotoMedia_ = false;
    bool photoNoBlackWhite_ = false;
    bool prodLike_ = false;
    bool completeAPrint_ = false;
    bool draftGlossyConflict_ = false;
    bool paperPathType1_ = false;

    // Display state.
    int32_t copies_ = 1;
    bool best_ = false;
    bool envelopeMode_ = false;
    CartridgeState cartridgeState_ = ColorAndBlack;
    bool photoDetected_ = false;
    bool blackWhite_ = false;
};
