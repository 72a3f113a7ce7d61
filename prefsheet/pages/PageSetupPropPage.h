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
// Plain media kinds: 1, 257 (automatic) and 270 to 277.
bool IsPlainKind(uint32_t media);

// The media list of the pages that choose media: the printer's media in the
// list's order, automatic (257) first among them when it is offered.
void FillMediaList(View& view, int listId, GUIPrinter& model, bool withAutomatic);
// Selects the entry of a media code (region photo media by position).
void SelectMedia(View& view, int listId, uint32_t media, bool regionPhotoMedia);

// The quality the photo-resolution list's position stands for.
inline int32_t PhotoListQuality(int position)
{
    return position == 1 ? -3 : -4;
}

// A copies field's text as a number of copies (at most 99); 0 when the text
// keeps the count (empty or not a number). "0" reads as one copy.
int32_t CopiesFromText(const std::string& text);

// What choosing a media list entry does to the model, apart from the page's
// envelope mode, which the page passes and takes back.
struct MediaChoice {
    int32_t photoListQuality = 0;   // -3/-4 when best quality is chosen with the photo-resolution list
    bool paperPathType1 = false;
    bool envelopeMode = false;
    bool envelopeBranches = true;   // the 258 mode ends envelope and edge-to-edge printing
    bool otherFromSavedSize = false;   // other codes restore the saved size, not the default
};
struct MediaChoiceResult {
    bool envelopeMode = false;
    bool photoListToStandard = false;   // the photo-resolution list goes back to its first entry
};
MediaChoiceResult ApplyMediaChoice(GUIPrinter& model, uint32_t media, const MediaChoice& choice);
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

    void fillPaperList(View& view);
    void showCopies(View& view);
    void drawIllustrations(View& view);
    void applyPhotoRule(View& view);
    void applyCopiesEnables(View& view);
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
