// The settings and capability model of one opening of the preferences: every
// print setting while the window is open, what the printer can do, and the
// conflict rules that keep the combination consistent with the printer.
#pragma once

#include "CommonLibrary.h"
#include "ConflictDialog.h"
#include "GUIFeatures.h"
#include "LcDevMode.h"
#include "SettingsBlocks.h"

#include <cstdint>
#include <map>
#include <string>

// The common library pieces one model uses; they outlive it.
struct GUIPrinterServices {
    const ProductOptions& product;
    SystemConfig& systemConfig;        // fresh; the model initialises it
    PrinterStatusCache& statusCache;
    RegistryComponent& registry;       // handed to GUIFeatures for the watermark store
    Trace& trace;
    LCWMARKINFO defaultWatermark;
};

// Options of the status programs that the main windows persist.
struct StatusProgramOptions {
    int32_t completeToPrint = 0;   // 0, 1, 2
    int32_t showInkLevels = 0;
    int32_t showNumberOfPages = 0;
    int32_t jobProgressMinimized = 0;
    int32_t showProcessWindow = 0;
    int32_t showSpecialMessages = 0;
    int32_t balloonTips = 0;
    int32_t didYouKnowTips = 0;
    int32_t sound = 0;
};

// Where the ink words sit in the driver's 152-byte INKINFO.
namespace InkWord {
constexpr uint32_t Style = 0;
constexpr uint32_t FirstLevel = 1;      // levels 1..9 at words 1..9
constexpr uint32_t LogCart1 = 10;
constexpr uint32_t LogCart2 = 11;
constexpr uint32_t PhysCart1 = 12;
constexpr uint32_t PhysCart2 = 13;
constexpr uint32_t CartStatus1 = 14;
constexpr uint32_t CartStatus2 = 15;
constexpr uint32_t Count = 16;
constexpr int32_t NoStatus = -101;
}  // namespace InkWord

bool IsPortWithoutTwoWay(uint32_t portType);   // 5, 6, 7, 10

#define GUIPRINTER_FIELD(Type, Name, member)          \
    Type Get##Name() const { return member; }         \
    int Set##Name(Type value)                         \
    {                                                 \
        member = value;                               \
        return 1;                                     \
    }

#define GUIPRINTER_FEATURE(Type, Name)                \
    Type Get##Name() const { return features_.Get##Name(); } \
    int Set##Name(Type value)                         \
    {                                                 \
        features_.Set##Name(value);                   \
        return 1;                                     \
    }

class GUIPrinter {
public:
    explicit GUIPrinter(GUIPrinterServices services);
    ~GUIPrinter();
    GUIPrinter(const GUIPrinter&) = delete;
    GUIPrinter& operator=(const GUIPrinter&) = delete;

    // Name, status, paper block, feature block, print settings block.
    void LoadFrom(const LCDEVMODE& record);
    // Name (with its NUL), status, feature block, paper block, print settings
    // block; bytes no field covers keep what the caller's buffer held.
    void SaveTo(LCDEVMODE& record) const;

    // Default sizes of categories 0, 0x4000, 0x1000 into the model and of
    // 0x4000, 0x8000, 0, 0x1000 into the paper block.
    void ReadDefaultSizes();

    // Ink.
    void SetInkInfo2(const INKINFO& ink, const std::string& printerName);
    void GetInkInfo2(INKINFO& ink) const;
    int32_t GetInkWord(uint32_t word) const;
    uint32_t GetLogicalCartridge1() const { return logicalCartridge1_; }
    uint32_t GetLogicalCartridge2() const { return logicalCartridge2_; }

    // Printer state, each from the status cache.
    uint32_t GetAutoMediaType1();
    int IsOptTrayAttached();
    int SetPrintDuplexerAvailability();
    int SetDuplexerButtonState();

    // Capabilities.
    int IsPaperSizeSupported(uint32_t size);
    int IsMediaTypeSupported(uint16_t media);

    // The conflict rules; 1 always.
    int CheckConflicts();
    int SetConflictCheck(int on)
    {
        conflictCheck_ = on;
        return 1;
    }
    int GetConflictCheck() const { return conflictCheck_; }
    bool IsConflictDialogOpen() const { return conflictDialogOpen_; }
    void SetConflictDialog(ConflictDialog* dialog) { conflictDialog_ = dialog; }
    void SetOEMPropDlg(OEMPropDlgView* window) { oemPropDlg_ = window; }
    void SetAlternateMainWindow(AlternateMainWindowView* window) { alternateWindow_ = window; }

    // Components.
    PaperBlock& Paper() { return paper_; }
    const PaperBlock& Paper() const { return paper_; }
    PrintSettingsBlock& PrintSettings() { return print_; }
    const PrintSettingsBlock& PrintSettings() const { return print_; }
    GUIFeatures& Features() { return features_; }
    const GUIFeatures& Features() const { return features_; }
    StatusProgramOptions& StatusOptions() { return status_; }
    const StatusProgramOptions& StatusOptions() const { return status_; }

    // Identity and port.
    const std::string& GetPrinterName() const { return printerName_; }
    int SetPrinterName(const std::string& name);
    const std::string& GetPortName() const { return portName_; }
    int SetPortName(const std::string& name);   // keeps at most 31 characters
    const std::string& GetDirectory() const { return directory_; }
    int SetDirectory(const std::string& directory)
    {
        directory_ = directory;
        return 1;
    }

    GUIPRINTER_FIELD(uint32_t, Status, statusWord_)
    GUIPRINTER_FIELD(uint32_t, PortType, portType_)
    GUIPRINTER_FIELD(int32_t, AutoMediaValue1, autoMedia1_)
    GUIPRINTER_FIELD(int32_t, AutoMediaValue2, autoMedia2_)
    GUIPRINTER_FIELD(int32_t, OptTrayAttached, optTrayAttached_)
    GUIPRINTER_FIELD(int32_t, DuplexUnitPresent, duplexUnitPresent_)
    GUIPRINTER_FIELD(int32_t, DuplexerButtonOn, duplexerButtonOn_)
    GUIPRINTER_FIELD(uint32_t, AutoDuplexSupport, autoDuplexSupport_)
    GUIPRINTER_FIELD(int32_t, DraftPhotoExtraOption, draftPhotoExtraOption_)
    GUIPRINTER_FIELD(int32_t, DuplexRulesEnabled, duplexRulesEnabled_)
    // Page setup state kept in the model: envelope mode on (0/1) and the
    // quality as the user last chose it.
    GUIPRINTER_FIELD(int32_t, EnvelopeMode, envelopeMode_)
    GUIPRINTER_FIELD(int32_t, RememberedQuality, rememberedQuality_)
    int GetPrintPropertyFlag() const { return printPropertyFlag_; }
    int GetPhotoQualityOffered() const { return photoQualityOffered_; }
    uint32_t GetDefaultPaperSize(uint32_t category) const;   // categories 0, 0x4000, 0x1000

    // Paper block.
    GUIPRINTER_FIELD(uint32_t, PaperSize, paper_.paperSize)
    GUIPRINTER_FIELD(float, CustomLength, paper_.customLength)
    GUIPRINTER_FIELD(float, CustomWidth, paper_.customWidth)
    GUIPRINTER_FIELD(int32_t, Units, paper_.units)
    GUIPRINTER_FIELD(int32_t, PaperSource, paper_.currentPaperSource)
    GUIPRINTER_FIELD(int32_t, LoadedPaperSource, paper_.loadedPaperSource)
    GUIPRINTER_FIELD(uint32_t, PaperFlags, paper_.paperFlags)
    GUIPRINTER_FIELD(uint32_t, MediaType, paper_.mediaType)
    GUIPRINTER_FIELD(uint32_t, MediaType2, paper_.mediaType2)
    GUIPRINTER_FIELD(uint32_t, MediaType3, paper_.mediaType3)
    GUIPRINTER_FIELD(int32_t, PaperWord160, paper_.paperWord160)
    GUIPRINTER_FIELD(int32_t, SharedMedia, paper_.sharedMedia)
    GUIPRINTER_FIELD(int32_t, BlackWhite, paper_.blackWhite)
    GUIPRINTER_FIELD(int32_t, PaperWord170, paper_.paperWord170)
    GUIPRINTER_FIELD(uint32_t, SavedMediaType, paper_.savedMediaType)
    GUIPRINTER_FIELD(uint32_t, SavedPaperSize, paper_.savedPaperSize)
    GUIPRINTER_FIELD(int32_t, PaperWord41C, paper_.paperWord41C)
    GUIPRINTER_FIELD(uint32_t, PlainPaperDefaultSize, paper_.defaultSize0)

    // Print settings block.
    GUIPRINTER_FIELD(int32_t, Orientation, print_.orientation)
    GUIPRINTER_FIELD(int32_t, PageOrder, print_.pageOrder)
    GUIPRINTER_FIELD(int32_t, Copies, print_.copies)
    GUIPRINTER_FIELD(int32_t, PrintQuality, print_.printQuality)
    GUIPRINTER_FIELD(int32_t, Collate, print_.collate)
    GUIPRINTER_FIELD(int32_t, DuplexMethod, print_.duplexMethod)
    GUIPRINTER_FIELD(int32_t, PrintWord140, print_.printWord140)
    GUIPRINTER_FIELD(int32_t, PrintWord144, print_.printWord144)
    GUIPRINTER_FIELD(int32_t, PrintWord148, print_.printWord148)
    GUIPRINTER_FIELD(int32_t, AutoMedia, print_.autoMedia)
    GUIPRINTER_FIELD(int32_t, PrintWord16C, print_.printWord16C)
    GUIPRINTER_FIELD(int32_t, PrintWord174, print_.printWord174)
    GUIPRINTER_FIELD(int32_t, ContrastEnhance, print_.contrastEnhance)
    GUIPRINTER_FIELD(int32_t, ContrastLevel, print_.contrastLevel)
    GUIPRINTER_FIELD(int32_t, FlashFill, print_.flashFill)
    GUIPRINTER_FIELD(int32_t, FlashFillLevel, print_.flashFillLevel)
    GUIPRINTER_FIELD(int32_t, ImageSharpening, print_.imageSharpening)
    GUIPRINTER_FIELD(int32_t, PlainSharpening, print_.plainSharpening)
    GUIPRINTER_FIELD(int32_t, PrintWord18C, print_.printWord18C)
    GUIPRINTER_FIELD(int32_t, SavedCollate, print_.savedCollate)
    GUIPRINTER_FIELD(int32_t, SavedPageOrder, print_.savedPageOrder)
    GUIPRINTER_FIELD(int32_t, SavedCopies, print_.savedCopies)
    GUIPRINTER_FIELD(int32_t, SavedPrintQuality, print_.savedPrintQuality)
    GUIPRINTER_FIELD(int32_t, SavedOrientation, print_.savedOrientation)
    GUIPRINTER_FIELD(int32_t, DryTime, print_.dryTime)
    GUIPRINTER_FIELD(int32_t, BlankPageSuppression, print_.blankPageSuppression)
    GUIPRINTER_FIELD(int32_t, RememberedBlankPageSuppression, print_.rememberedBlankPageSuppression)

    // Feature block.
    GUIPRINTER_FEATURE(int32_t, ColorMode)
    GUIPRINTER_FEATURE(int32_t, DuplexMode)
    GUIPRINTER_FEATURE(int32_t, FeatureWord14C)
    GUIPRINTER_FEATURE(int32_t, LayoutCode)
    GUIPRINTER_FEATURE(int32_t, PosterColumns)
    GUIPRINTER_FEATURE(int32_t, PosterRows)
    GUIPRINTER_FEATURE(int32_t, FeatureWord198)
    GUIPRINTER_FEATURE(int32_t, FeatureWord220)
    GUIPRINTER_FEATURE(int32_t, FeatureWord224)
    GUIPRINTER_FEATURE(int32_t, FeatureWord228)
    GUIPRINTER_FEATURE(int32_t, FeatureWord234)
    GUIPRINTER_FEATURE(int32_t, FeatureWord23C)
    GUIPRINTER_FEATURE(uint8_t, WatermarkPages)
    GUIPRINTER_FEATURE(uint8_t, WatermarkLayer)
    // Alternate main window.
    GUIPRINTER_FEATURE(int32_t, ShowIWantToMenu)

    // Status program options.
    GUIPRINTER_FIELD(int32_t, CompleteToPrint, status_.completeToPrint)
    GUIPRINTER_FIELD(int32_t, ShowInkLevels, status_.showInkLevels)
    GUIPRINTER_FIELD(int32_t, ShowNumberOfPages, status_.showNumberOfPages)
    GUIPRINTER_FIELD(int32_t, JobProgressMinimized, status_.jobProgressMinimized)
    GUIPRINTER_FIELD(int32_t, ShowProcessWindow, status_.showProcessWindow)
    GUIPRINTER_FIELD(int32_t, ShowSpecialMessages, status_.showSpecialMessages)
    GUIPRINTER_FIELD(int32_t, BalloonTips, status_.balloonTips)
    GUIPRINTER_FIELD(int32_t, DidYouKnowTips, status_.didYouKnowTips)
    GUIPRINTER_FIELD(int32_t, Sound, status_.sound)

private:
    // Once-per-opening flags of the rules that have one.
    enum Shown {
        ShownPlainMediaLayout4,
        ShownPlainMediaLayout2,
        ShownPlainMediaDuplex,
        ShownGlossy3,
        ShownGlossy265,
        ShownGlossy266,
        ShownGlossy267,
        ShownMedia261Duplex,
        ShownEnvelopeLayout4,
        ShownEnvelopeLayout1,
        ShownEnvelopeFeature14C,
        ShownMedia258Draft,
        ShownMedia258Duplex,
        AnsweredDraftPhoto,
        AnsweredDraftGlossy,
        ShownCount
    };

    // More rounds than rules: each round either changes nothing or is
    // driven by a resolution of a conflict answered in this check.
    static constexpr int kSettleRounds = 16;
    void runRules();
    std::vector<uint8_t> settingsBytes() const;
    int ask(ConflictRule rule, uint32_t title, std::vector<uint32_t> texts, bool extraOption = false);
    uint32_t title() const;
    void refresh();
    void repaint();
    void plainPaper();
    void plainMedia();
    void twoSidedOff(int32_t featureWord14C);
    std::vector<uint32_t> qualityTexts(std::vector<uint32_t> texts) const;

    void checkTwoSided();
    void checkPlainMediaRows();
    void checkGlossyDuplex();
    void checkMedia261Duplex();
    void checkEnvelopeRows();
    void checkMedia258Draft();
    void checkMedia258Duplex();
    void checkDraftPhoto();
    void checkDraftGlossy();

    const ProductOptions& product_;
    SystemConfig& config_;
    PrinterStatusCache& statusCache_;
    Trace& trace_;

    std::string directory_;
    PaperBlock paper_;
    PrintSettingsBlock print_;
    GUIFeatures features_;
    OEMPropDlgView* oemPropDlg_ = nullptr;
    AlternateMainWindowView* alternateWindow_ = nullptr;
    INKINFO ink_{};
    int printPropertyFlag_ = 0;
    int32_t autoMedia1_ = 0;
    int32_t autoMedia2_ = 0;
    bool shown_[ShownCount] = {};
    int conflictCheck_ = 0;
    uint32_t defaultSize0_ = 0;
    uint32_t defaultSize4000_ = 0;
    uint32_t defaultSize1000_ = 0;
    uint32_t logicalCartridge1_ = 0;
    uint32_t logicalCartridge2_ = 0;
    uint32_t portType_ = 0;
    ConflictDialog* conflictDialog_ = nullptr;
    bool conflictDialogOpen_ = false;
    std::map<ConflictRule, int> answeredInCheck_;   // within one CheckConflicts
    bool replaying_ = false;                        // the rule running has its answer already
    std::string printerName_;
    uint32_t statusWord_ = 0;
    std::string portName_;
    int32_t optTrayAttached_ = 0;
    int photoQualityOffered_ = 0;
    int32_t draftPhotoExtraOption_ = 0;
    int32_t duplexUnitPresent_ = 0;
    int32_t duplexerButtonOn_ = 0;
    uint32_t autoDuplexSupport_ = 0;
    StatusProgramOptions status_;
    int32_t duplexRulesEnabled_ = 1;
    int32_t envelopeMode_ = 0;
    int32_t rememberedQuality_ = 0;
};

#undef GUIPRINTER_FIELD
#undef GUIPRINTER_FEATURE
