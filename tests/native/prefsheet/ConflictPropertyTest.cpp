// Random setting changes, each followed by the rules with random answers:
// nothing crashes, every check ends after at most one dialog per rule, and
// re-running the rules with the same answers soon leaves the settings as
// they are (a combination the rules accept).
#include "GUIPrinter.h"

#include "ModelFakes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <sstream>
#include <vector>

namespace {

template <typename T, std::size_t N>
T pick(std::mt19937& random, const T (&values)[N])
{
    return values[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

const uint32_t kMedia[] = {1, 2, 3, 257, 258, 261, 262, 265, 266, 267, 268, 270, 277, 0, 12345};
const int32_t kLayouts[] = {0, 1, 2, 3, 4, 7, -5};
const int32_t kDuplexModes[] = {1, 2, 3, 0, 9};
const int32_t kMethods[] = {0, 1, 2, 3, 7};
const uint32_t kFlags[] = {0, 0x1000, 0x4000, 0x8000, 0xC000, 0x9000, 0xFFFFFFFF, 0x7FF0FFF};
const int32_t kWords14C[] = {0, 1, 2};
const int32_t kQualities[] = {-1, -2, -3, -4, -99, 12345};
const uint32_t kSizes[] = {1, 5, 9, 20, 256, 296, 0, 0xFFFFFFFF};
const uint32_t kCartridges[] = {0, 32, 0x70, 0x71, 0x72, 0x7F, 0x80, 0x81};
const int32_t kCopies[] = {0, 1, 99, 500, -3};
const uint32_t kPlainDefaults[] = {1, 9, 300, 0};

void randomChange(std::mt19937& random, GUIPrinter& m)
{
    switch (std::uniform_int_distribution<int>(0, 11)(random)) {
    case 0:
        m.SetMediaType(pick(random, kMedia));
        break;
    case 1:
        m.SetLayoutCode(pick(random, kLayouts));
        break;
    case 2:
        m.SetDuplexMode(pick(random, kDuplexModes));
        break;
    case 3:
        m.SetDuplexMethod(pick(random, kMethods));
        break;
    case 4:
        m.SetPaperFlags(pick(random, kFlags));
        break;
    case 5:
        m.SetFeatureWord14C(pick(random, kWords14C));
        break;
    case 6:
        m.SetPrintQuality(pick(random, kQualities));
        break;
    case 7:
        m.SetPaperSize(pick(random, kSizes));
        break;
    case 8:
        m.SetCopies(pick(random, kCopies));
        break;
    case 9:
        m.SetDuplexUnitPresent(std::uniform_int_distribution<int>(0, 1)(random));
        break;
    case 10:
        m.SetPlainPaperDefaultSize(pick(random, kPlainDefaults));
        break;
    default:
        m.SetOrientation(std::uniform_int_distribution<int>(0, 3)(random));
        break;
    }
}

std::vector<uint8_t> snapshot(const GUIPrinter& m)
{
    LCDEVMODE r;
    std::memset(&r, 0, sizeof r);
    m.SaveTo(r);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&r);
    return std::vector<uint8_t>(bytes, bytes + sizeof r);
}

// A printer with random options, cartridges, main window and two-sided rule
// word, its model loaded from a plain record and checking still off.
std::unique_ptr<GUIPrinter> randomOpening(std::mt19937& random, ModelWorld& w, uint32_t largestOption)
{
    w.config.items[kItemAutoDuplexSupport] = std::uniform_int_distribution<uint32_t>(0, 3)(random);
    for (const char* key : {OptionKey::IDO_DRAFT_PHOTO_CONFLICT, OptionKey::IDO_DRAFT_GLOSSY_CONFLICT,
                            OptionKey::IDO_ALLOW_CUSTOMPAPER_DUPLEX, OptionKey::IDO_VENDRA_GUI_OPTION,
                            OptionKey::IDO_SUPPORT_BESTPRINTQUALITY, OptionKey::IDO_PMKPRINTPROP,
                            OptionKey::IDO_SUPPORT_PHOTOPRINTQUALITY})
        w.product.set(key, std::uniform_int_distribution<uint32_t>(0, largestOption)(random));
    w.status.known = true;
    w.status.logCart[0] = pick(random, kCartridges);
    w.status.logCart[1] = pick(random, kCartridges);

    auto model = w.make();
    model->LoadFrom(PlainRecord());
    model->SetInkInfo2(INKINFO{}, kModelPrinter);
    model->SetConflictDialog(&w.dialog);
    if (random() % 2)
        model->SetOEMPropDlg(&w.oem);
    else
        model->SetAlternateMainWindow(&w.alternate);
    model->SetDuplexRulesEnabled(random() % 4 == 0 ? 0 : 1);
    return model;
}

constexpr std::size_t kRuleCount = 14;

}  // namespace

TEST(ConflictProperty, RandomChangesAndAnswersAlwaysSettle)
{
    const int kOpenings = 1500;
    int dialogsSeen = 0;
    for (int seed = 1; seed <= kOpenings; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(static_cast<uint32_t>(seed));
        ModelWorld w;
        auto model = randomOpening(random, w, 2);
        model->SetConflictCheck(1);

        // The same rule always gets the same answer within one opening.
        int answers[kRuleCount];
        for (int& answer : answers)
            answer = std::uniform_int_distribution<int>(0, 4)(random);
        w.dialog.policy = [&answers](const ConflictMessage& m) { return answers[static_cast<int>(m.rule)]; };

        const int changes = std::uniform_int_distribution<int>(1, 25)(random);
        for (int i = 0; i < changes; ++i) {
            const int rounds = std::uniform_int_distribution<int>(1, 3)(random);
            for (int r = 0; r < rounds; ++r)
                randomChange(random, *model);
            const std::size_t before = w.dialog.shown.size();
            model->CheckConflicts();
            ASSERT_LE(w.dialog.shown.size() - before, kRuleCount);
            for (std::size_t d = before; d < w.dialog.shown.size(); ++d) {
                ASSERT_LE(w.dialog.shown[d].texts.size(), 6u);
                ASSERT_GE(w.dialog.shown[d].texts.size(), 2u);
            }
        }
        dialogsSeen += static_cast<int>(w.dialog.shown.size());

        // Re-running with the same answers reaches settings the rules keep.
        bool settled = false;
        for (int run = 0; run < 6 && !settled; ++run) {
            const std::vector<uint8_t> before = snapshot(*model);
            model->CheckConflicts();
            settled = snapshot(*model) == before;
        }
        ASSERT_TRUE(settled);
        ASSERT_FALSE(model->IsConflictDialogOpen());
    }
    // The generator reaches the rules at all.
    EXPECT_GT(dialogsSeen, kOpenings);
}

// Records of random bytes, as a damaged registry value or driver buffer might
// hold: loading, checking and saving never fail, and the saved printer name
// always ends inside its field.
TEST(ConflictProperty, RecordsOfRandomBytesLoadCheckAndSave)
{
    std::mt19937 random(1056);
    for (int round = 0; round < 500; ++round) {
        SCOPED_TRACE(round);
        LCDEVMODE record;
        auto* bytes = reinterpret_cast<uint8_t*>(&record);
        for (std::size_t i = 0; i < sizeof record; ++i)
            bytes[i] = static_cast<uint8_t>(random());

        ModelWorld w;
        auto model = w.make();
        model->LoadFrom(record);
        model->SetConflictDialog(&w.dialog);
        model->SetOEMPropDlg(&w.oem);
        model->SetConflictCheck(1);
        w.dialog.policy = [&random](const ConflictMessage&) {
            return std::uniform_int_distribution<int>(0, 4)(random);
        };
        model->CheckConflicts();
        ASSERT_LE(w.dialog.shown.size(), kRuleCount);

        LCDEVMODE saved = record;
        model->SaveTo(saved);
        EXPECT_NE(std::memchr(saved.dmPrinterName, '\0', sizeof saved.dmPrinterName), nullptr);
    }
}

// One check with the user's answers leaves settings the next check accepts:
// random records and options, a random answer to every dialog, and a second
// check in the same opening asks nothing. Two rules ask again by their own
// texts: the two-sided media rule's first choice keeps the media and method
// 2, which with a duplex unit present is its trigger again; the draft/photo
// rule closed sets quality -2, which with a 0x80 cartridge is its trigger
// again.
TEST(ConflictProperty, ASecondCheckAfterTheAnswersAsksNothing)
{
    const int kOpenings = 20000;
    int asked[kRuleCount] = {};
    for (int seed = 1; seed <= kOpenings; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(static_cast<uint32_t>(seed) * 7919u);
        ModelWorld w;
        auto model = randomOpening(random, w, 1);
        const int changes = std::uniform_int_distribution<int>(3, 14)(random);
        for (int i = 0; i < changes; ++i)
            randomChange(random, *model);

        int lastAnswer[kRuleCount];
        for (int& answer : lastAnswer)
            answer = -1;
        w.dialog.policy = [&](const ConflictMessage& m) {
            const int answer = std::uniform_int_distribution<int>(0, 4)(random);
            lastAnswer[static_cast<int>(m.rule)] = answer;
            ++asked[static_cast<int>(m.rule)];
            return answer;
        };
        model->SetConflictCheck(1);
        model->CheckConflicts();
        const std::vector<uint8_t> settled = snapshot(*model);
        const int32_t method = model->GetDuplexMethod();
        const int32_t quality = model->GetPrintQuality();
        const bool best = model->GetLogicalCartridge1() == 0x80 || model->GetLogicalCartridge2() == 0x80;
        std::ostringstream settings;
        settings << " method " << method << " unit " << model->GetDuplexUnitPresent() << " mode "
                 << model->GetDuplexMode() << " media " << model->GetMediaType() << " quality " << quality
                 << " size " << model->GetPaperSize() << " layout " << model->GetLayoutCode() << " flags "
                 << model->GetPaperFlags() << " 14C " << model->GetFeatureWord14C();

        w.dialog.shown.clear();
        w.dialog.policy = [](const ConflictMessage&) { return 0; };
        model->CheckConflicts();
        for (const ConflictMessage& m : w.dialog.shown) {
            const int answer = lastAnswer[static_cast<int>(m.rule)];
            const bool keptMedia = m.rule == ConflictRule::DuplexMedia && answer == kConflictAnswerFirst &&
                                   method == 2 && model->GetDuplexUnitPresent() == 1;
            const bool closedOnBest = m.rule == ConflictRule::DraftPhoto && answer != kConflictAnswerFirst &&
                                      answer != kConflictAnswerSecond && quality == -2 && best;
            EXPECT_TRUE(keptMedia || closedOnBest)
                << "asked again: rule " << static_cast<int>(m.rule) << " first answered " << answer
                << settings.str();
        }
        if (w.dialog.shown.empty()) {
            EXPECT_EQ(snapshot(*model), settled);
        }
        if (HasFailure())
            break;
    }
    // The generator reaches every rule, each many times.
    for (std::size_t rule = 0; rule < kRuleCount; ++rule)
        EXPECT_GT(asked[rule], 20) << "rule " << rule;
}
