// What the settings model knows of the windows around it: the conflict
// dialog it runs and the main window it tells to refresh. The real windows
// implement these; the model's rules never touch a window handle.
#pragma once

#include <cstdint>
#include <vector>

enum class ConflictRule {
    DuplexMedia,
    DuplexPaperSize,
    PlainMediaLayout4,      // media type 2 with layout code 4
    PlainMediaLayout2,      // media type 2 with layout code 2
    PlainMediaDuplex,       // media type 2 with two-sided printing
    GlossyDuplex,           // media types 3, 265, 266, 267 with two-sided printing
    Media261Duplex,
    EnvelopeLayout4,
    EnvelopeLayout1,
    EnvelopeFeature14C,
    Media258Draft,
    Media258Duplex,
    DraftPhoto,
    DraftGlossy,
};

struct ConflictMessage {
    ConflictRule rule;
    uint32_t title;                 // resource string ids from here on
    uint32_t heading;
    std::vector<uint32_t> texts;    // at most six
    bool extraOption = false;       // the draft/photo dialog's extra choice
};

// The two choices the dialog offers answer 2 and 3; closing it any other way
// answers something else, which leaves the settings as the rule says.
constexpr int kConflictAnswerFirst = 2;
constexpr int kConflictAnswerSecond = 3;

class ConflictDialog {
public:
    virtual ~ConflictDialog() = default;
    virtual int Run(const ConflictMessage& message) = 0;   // modal
};

// OEMPropDlg as the model sees it.
class OEMPropDlgView {
public:
    virtual ~OEMPropDlgView() = default;
    virtual void Refresh() = 0;
};

// The alternate main window as the model sees it.
class AlternateMainWindowView {
public:
    virtual ~AlternateMainWindowView() = default;
    virtual void Repaint() = 0;
};
