// The conflict rules of the settings model, in the order they run: the
// two-sided rules, the table of media and paper rows, then the draft rules.
// Each rule reads the values the rules before it left.
#include "GUIPrinter.h"

#include "Options.h"

#include <cstring>
#include <utility>

namespace {

constexpr uint32_t kTitlePrintProperty = 6842;
constexpr uint32_t kTitleOther = 6845;
constexpr uint32_t kHeading = 6844;

bool isTwoSided(int32_t duplexMode)
{
    return duplexMode == 2 || duplexMode == 3;
}

bool duplexMediaAllowed(uint32_t media)
{
    return media == 1 || media == 257 || (media >= 270 && media <= 277);
}

// The text naming a media type in the two-sided media conflict; none for a
// type the rule has no text for.
std::vector<uint32_t> duplexMediaTexts(uint32_t media)
{
    switch (media) {
    case 2:
        return {110};
    case 3:
    case 268:
        return {109};
    case 258:
        return {111, 324};
    case 261:
        return {113};
    case 262:
        return {112};
    case 265:
        return {542};
    case 266:
        return {543};
    case 267:
        return {562};
    default:
        return {};
    }
}

bool isPhotoCartridge(uint32_t id)
{
    return id == 0x70 || id == 0x71 || id == 0x72 || id == 0x7F || id == 0x80;
}

}  // namespace

// A resolution may bring back a conflict the user answered earlier in the
// same check (a later row resetting the paper size a two-sided answer chose,
// or setting the flag an envelope answer cleared). Such a conflict takes the
// same answer again without a second dialog, and the rules run until the
// settings hold still, so the next check finds nothing the user answered.
int GUIPrinter::CheckConflicts()
{
    if (!conflictCheck_)
        return 1;
    answeredInCheck_.clear();
    bool replayChanged = false;
    for (int round = 0; round < kSettleRounds; ++round) {
        const std::vector<uint8_t> before = settingsBytes();
        runRules();
        const bool changed = settingsBytes() != before;
        if (!changed)
            break;
        replayChanged = replayChanged || round > 0;
    }
    answeredInCheck_.clear();
    replaying_ = false;
    if (replayChanged)
        refresh();
    return 1;
}

std::vector<uint8_t> GUIPrinter::settingsBytes() const
{
    LCDEVMODE record;
    std::memset(&record, 0, sizeof record);
    SaveTo(record);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
    return std::vector<uint8_t>(bytes, bytes + sizeof record);
}

void GUIPrinter::runRules()
{
    checkTwoSided();
    checkPlainMediaRows();
    checkGlossyDuplex();
    checkMedia261Duplex();
    checkEnvelopeRows();
    checkMedia258Draft();
    checkMedia258Duplex();
    checkDraftPhoto();
    checkDraftGlossy();
}

uint32_t GUIPrinter::title() const
{
    return printPropertyFlag_ ? kTitlePrintProperty : kTitleOther;
}

// Without a dialog nobody can answer; that counts as neither choice.
int GUIPrinter::ask(ConflictRule rule, uint32_t titleId, std::vector<uint32_t> texts, bool extraOption)
{
    const auto earlier = answeredInCheck_.find(rule);
    replaying_ = earlier != answeredInCheck_.end();
    if (replaying_)
        return earlier->second;
    ConflictMessage message{rule, titleId, kHeading, std::move(texts), extraOption};
    int answer = 0;
    if (conflictDialog_ != nullptr) {
        conflictDialogOpen_ = true;
        answer = conflictDialog_->Run(message);
        conflictDialogOpen_ = false;
    }
    trace_.OutputData("GUIPrinter::CheckConflicts() rule " + std::to_string(static_cast<int>(rule)) +
                      " answered " + std::to_string(answer));
    answeredInCheck_[rule] = answer;
    return answer;
}

// A replayed answer refreshes nothing itself; CheckConflicts refreshes once
// at the end when the replays changed anything.
void GUIPrinter::refresh()
{
    if (replaying_)
        return;
    if (oemPropDlg_ != nullptr)
        oemPropDlg_->Refresh();
    else if (alternateWindow_ != nullptr)
        alternateWindow_->Repaint();
}

// Only the alternate window repaints; OEMPropDlg is left alone.
void GUIPrinter::repaint()
{
    if (replaying_)
        return;
    if (oemPropDlg_ == nullptr && alternateWindow_ != nullptr)
        alternateWindow_->Repaint();
}

void GUIPrinter::plainMedia()
{
    paper_.paperFlags = 0;
    paper_.mediaType = 1;
    paper_.mediaType2 = 1;
}

void GUIPrinter::plainPaper()
{
    plainMedia();
    paper_.paperSize = paper_.defaultSize0;
}

void GUIPrinter::twoSidedOff(int32_t featureWord14C)
{
    features_.SetDuplexMode(1);
    print_.duplexMethod = 0;
    features_.SetLayoutCode(0);
    features_.SetFeatureWord14C(featureWord14C);
}

std::vector<uint32_t> GUIPrinter::qualityTexts(std::vector<uint32_t> texts) const
{
    if (Options(product_).equals(OptionKey::IDO_SUPPORT_BESTPRINTQUALITY, 0)) {
        texts.push_back(538);
        texts.push_back(384);
        if (photoQualityOffered_)
            texts.push_back(535);
    } else {
        texts.push_back(383);
        texts.push_back(384);
    }
    return texts;
}

void GUIPrinter::checkTwoSided()
{
    const bool gate = (autoDuplexSupport_ == 1 || autoDuplexSupport_ == 2) &&
                      (duplexUnitPresent_ == 1 || print_.duplexMethod == 3) &&
                      isTwoSided(features_.GetDuplexMode());
    if (!gate)
        return;

    const uint32_t media = paper_.mediaType;
    if ((print_.duplexMethod == 2 || print_.duplexMethod == 3) && duplexRulesEnabled_ == 1 &&
        !duplexMediaAllowed(media)) {
        std::vector<uint32_t> texts{9353, 32, 22};
        for (uint32_t text : duplexMediaTexts(media))
            texts.push_back(text);
        if (ask(ConflictRule::DuplexMedia, title(), std::move(texts)) == kConflictAnswerFirst)
            print_.duplexMethod = 2;
        else
            twoSidedOff(features_.GetFeatureWord14C());
        refresh();
    }

    const int32_t method = print_.duplexMethod;
    const bool customExempt = paper_.paperSize == 256 &&
                              Options(product_).equals(OptionKey::IDO_ALLOW_CUSTOMPAPER_DUPLEX, 1) &&
                              method == 2 && autoDuplexSupport_ == 1;
    const bool checked = (method == 2 && duplexRulesEnabled_ == 1 && !customExempt) || method == 3;
    if (checked && paper_.paperSize != 1 && paper_.paperSize != 9 && features_.GetDuplexMode() != 1) {
        const bool letterDefault = paper_.defaultSize0 == 1;
        const int answer = ask(ConflictRule::DuplexPaperSize, title(),
                               {18, method == 2 ? 9353u : 9336u, 32, 9339, letterDefault ? 63u : 68u});
        if (answer == kConflictAnswerFirst) {
            // The texts name letter (63) or A4 (68) as the size two-sided
            // printing goes on with; the resolution sets exactly that size,
            // one of the two sizes the check accepts.
            paper_.paperFlags = 0;
            paper_.paperSize = letterDefault ? 1 : 9;
        } else if (answer == kConflictAnswerSecond) {
            print_.duplexMethod = 1;
        } else {
            twoSidedOff(features_.GetFeatureWord14C());
        }
        refresh();
    }
}

// Of the three media-type-2 rows only the first whose layout condition holds
// is considered.
void GUIPrinter::checkPlainMediaRows()
{
    if (paper_.mediaType != 2)
        return;
    const int32_t layout = features_.GetLayoutCode();
    if (layout == 4) {
        if (shown_[ShownPlainMediaLayout4])
            return;
        const int answer = ask(ConflictRule::PlainMediaLayout4, title(), {110, 58});
        if (answer == kConflictAnswerFirst) {
            plainPaper();
            refresh();
        } else if (answer == kConflictAnswerSecond) {
            shown_[ShownPlainMediaLayout4] = true;
            refresh();
        } else {
            if (features_.GetFeatureWord14C() == 1)
                features_.SetFeatureWord14C(0);
            features_.SetLayoutCode(0);
            if (paper_.paperFlags & 0x1000) {
                paper_.paperFlags = 0;
                paper_.paperSize = paper_.defaultSize0;
            }
            repaint();
        }
    } else if (layout == 2) {
        if (shown_[ShownPlainMediaLayout2])
            return;
        const int answer = ask(ConflictRule::PlainMediaLayout2, title(), {110, 57});
        if (answer == kConflictAnswerFirst) {
            plainMedia();
            refresh();
        } else if (answer == kConflictAnswerSecond) {
            shown_[ShownPlainMediaLayout2] = true;
            refresh();
        } else {
            if (features_.GetFeatureWord14C() == 1)
                features_.SetFeatureWord14C(0);
            features_.SetLayoutCode(0);
            paper_.paperSize = paper_.savedPaperSize;
            features_.SetDuplexMode(1);
            print_.duplexMethod = 0;
            repaint();
        }
    } else if (isTwoSided(features_.GetDuplexMode())) {
        if (shown_[ShownPlainMediaDuplex])
            return;
        const int answer = ask(ConflictRule::PlainMediaDuplex, title(), {110, 9});
        if (answer == kConflictAnswerFirst) {
            plainPaper();
            refresh();
        } else if (answer == kConflictAnswerSecond) {
            shown_[ShownPlainMediaDuplex] = true;
            repaint();
        } else {
            twoSidedOff(0);
            repaint();
        }
    }
}

void GUIPrinter::checkGlossyDuplex()
{
    Shown flag;
    uint32_t text;
    switch (paper_.mediaType) {
    case 3:
        flag = ShownGlossy3;
        text = 109;
        break;
    case 265:
        flag = ShownGlossy265;
        text = 542;
        break;
    case 266:
        flag = ShownGlossy266;
        text = 543;
        break;
    case 267:
        flag = ShownGlossy267;
        text = 562;
        break;
    default:
        return;
    }
    if (features_.GetDuplexMode() == 1 || shown_[flag])
        return;
    const int answer = ask(ConflictRule::GlossyDuplex, title(), {text, 9});
    if (answer == kConflictAnswerFirst)
        plainPaper();
    else if (answer == kConflictAnswerSecond)
        shown_[flag] = true;
    else
        twoSidedOff(0);
    refresh();
}

void GUIPrinter::checkMedia261Duplex()
{
    if (paper_.mediaType != 261 || features_.GetDuplexMode() == 1 || shown_[ShownMedia261Duplex])
        return;
    const int answer = ask(ConflictRule::Media261Duplex, title(), {113, 9});
    if (answer == kConflictAnswerFirst)
        plainPaper();
    else if (answer == kConflictAnswerSecond)
        shown_[ShownMedia261Duplex] = true;
    else
        twoSidedOff(0);
    refresh();
}

void GUIPrinter::checkEnvelopeRows()
{
    // While OEMPropDlg runs the envelope rows carry the other title.
    const uint32_t envelopeTitle = oemPropDlg_ != nullptr ? kTitleOther : title();

    if ((paper_.paperFlags & 0x8000) && features_.GetLayoutCode() == 4 && !shown_[ShownEnvelopeLayout4]) {
        const int answer = ask(ConflictRule::EnvelopeLayout4, envelopeTitle, {23, 58});
        if (answer == kConflictAnswerFirst) {
            plainPaper();
            print_.orientation = 1;
            refresh();
        } else if (answer == kConflictAnswerSecond) {
            shown_[ShownEnvelopeLayout4] = true;
            if (paper_.paperSize == 256) {
                plainPaper();
                print_.orientation = print_.savedOrientation;
            }
            repaint();
        } else {
            features_.SetLayoutCode(0);
            repaint();
        }
    }

    if ((paper_.paperFlags & 0x8000) && features_.GetLayoutCode() == 1 && !shown_[ShownEnvelopeLayout1]) {
        const int answer = ask(ConflictRule::EnvelopeLayout1, envelopeTitle, {23, 56});
        if (answer == kConflictAnswerFirst) {
            plainPaper();
            print_.orientation = print_.savedOrientation;
            refresh();
        } else if (answer == kConflictAnswerSecond) {
            shown_[ShownEnvelopeLayout1] = true;
            if (paper_.paperSize == 256) {
                plainPaper();
                print_.orientation = print_.savedOrientation;
            }
            repaint();
        } else {
            // Envelope printing stays, as the only paper category, without the layout.
            features_.SetLayoutCode(0);
            paper_.paperFlags = 0x8000;
            repaint();
        }
    }

    if ((paper_.paperFlags & 0x8000) && features_.GetFeatureWord14C() == 1 && !shown_[ShownEnvelopeFeature14C]) {
        const int answer = ask(ConflictRule::EnvelopeFeature14C, envelopeTitle, {23, 59});
        if (answer == kConflictAnswerFirst) {
            plainPaper();
            paper_.savedPaperSize = paper_.defaultSize0;
            print_.orientation = 1;
            refresh();
        } else if (answer == kConflictAnswerSecond) {
            shown_[ShownEnvelopeFeature14C] = true;
            refresh();
        } else {
            features_.SetLayoutCode(0);
            if (Options(product_).equals(OptionKey::IDO_VENDRA_GUI_OPTION, 1))
                paper_.mediaType = 1;
            features_.SetFeatureWord14C(0);
            repaint();
        }
    }
}

void GUIPrinter::checkMedia258Draft()
{
    if (paper_.mediaType != 258 || print_.printQuality != -1 || shown_[ShownMedia258Draft])
        return;
    const int answer = ask(ConflictRule::Media258Draft, title(), qualityTexts({111}));
    if (answer == kConflictAnswerFirst) {
        // Draft stays; the paper becomes plain paper of the plain-paper
        // default size, so no special category is left on (flags 0).
        paper_.paperFlags = 0;
        paper_.mediaType = 1;
        paper_.mediaType2 = 1;
        paper_.paperSize = paper_.defaultSize0;
    } else if (answer == kConflictAnswerSecond) {
        shown_[ShownMedia258Draft] = true;
    } else {
        paper_.paperFlags = 0;
        paper_.mediaType = 258;
        paper_.mediaType2 = 258;
        paper_.paperSize = paper_.defaultSize0;
        print_.printQuality = -4;
        print_.orientation = 1;
    }
    refresh();
}

void GUIPrinter::checkMedia258Duplex()
{
    if (paper_.mediaType != 258 || features_.GetLayoutCode() == 2 || !isTwoSided(features_.GetDuplexMode()) ||
        duplexUnitPresent_ == 1 || shown_[ShownMedia258Duplex])
        return;
    const int answer = ask(ConflictRule::Media258Duplex, title(), {111, 9, 324, 22});
    if (answer == kConflictAnswerFirst) {
        plainMedia();
        features_.SetFeatureWord14C(0);
        paper_.paperSize = paper_.defaultSize0;
        refresh();
    } else if (answer == kConflictAnswerSecond) {
        shown_[ShownMedia258Duplex] = true;
        repaint();
    } else {
        twoSidedOff(1);
        repaint();
    }
}

void GUIPrinter::checkDraftPhoto()
{
    if (!Options(product_).equals(OptionKey::IDO_DRAFT_PHOTO_CONFLICT, 1) || shown_[AnsweredDraftPhoto])
        return;
    const int32_t quality = print_.printQuality;
    const bool photo = isPhotoCartridge(logicalCartridge1_) || isPhotoCartridge(logicalCartridge2_);
    const bool best = logicalCartridge1_ == 0x80 || logicalCartridge2_ == 0x80;
    if (!((quality == -1 && photo) || (quality == -2 && best)))
        return;
    const int answer =
        ask(ConflictRule::DraftPhoto, title(), qualityTexts({381, 382}), draftPhotoExtraOption_ != 0);
    if (answer == kConflictAnswerFirst)
        print_.printQuality = -4;
    else if (answer == kConflictAnswerSecond)
        shown_[AnsweredDraftPhoto] = true;
    else
        print_.printQuality = -2;
    refresh();
}

// The rule fixes its trigger and texts only. Its choices are read as the
// texts offer them: the first raises the quality to best (-4), the second
// keeps draft on plain media (108) and is remembered; closing the dialog
// leaves draft for normal quality (-2). Each ends the conflict. Plain media
// is picked as the media list picks it: the paper category with its layout
// and size stays, so a borderless record stays a whole borderless record.
void GUIPrinter::checkDraftGlossy()
{
    if (!Options(product_).equals(OptionKey::IDO_DRAFT_GLOSSY_CONFLICT, 1) || shown_[AnsweredDraftGlossy])
        return;
    const uint32_t media = paper_.mediaType;
    const bool glossy = media == 3 || media == 265 || media == 266 || media == 267 || media == 268;
    if (!glossy || print_.printQuality != -1)
        return;
    std::vector<uint32_t> texts{6846, 534, 384, 108};
    if (printPropertyFlag_)
        texts.push_back(382);
    if (photoQualityOffered_)
        texts.push_back(535);
    const int answer = ask(ConflictRule::DraftGlossy, title(), std::move(texts));
    if (answer == kConflictAnswerFirst) {
        print_.printQuality = -4;
    } else if (answer == kConflictAnswerSecond) {
        paper_.mediaType = 1;
        paper_.mediaType2 = 1;
        shown_[AnsweredDraftGlossy] = true;
    } else {
        print_.printQuality = -2;
    }
    refresh();
}
