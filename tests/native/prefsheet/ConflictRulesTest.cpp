// The conflict rules of the settings model: each rule's trigger and
// non-trigger, its texts, each answer's resolution with the refresh or
// repaint of the running main window, the once-per-opening flags, the gate
// of the two-sided rules and the order in which the rules run.
#include "GUIPrinter.h"

#include "ModelFakes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<uint32_t>;

enum class Window { OEM, Alternate, None };

// One opening: a loaded record, the main window attached, checking on.
struct Opening {
    ModelWorld world;
    std::unique_ptr<GUIPrinter> model;

    explicit Opening(const std::function<void(ModelWorld&)>& setUp = {})
    {
        world.product.set(OptionKey::IDO_PMKPRINTPROP, 0);
        if (setUp)
            setUp(world);
        model = world.make();
        model->LoadFrom(PlainRecord());
        model->SetConflictDialog(&world.dialog);
        attach(Window::OEM);
        model->SetConflictCheck(1);
    }
    void attach(Window window)
    {
        model->SetOEMPropDlg(window == Window::OEM ? &world.oem : nullptr);
        model->SetAlternateMainWindow(window == Window::Alternate ? &world.alternate : nullptr);
    }
    // Runs the rules with one answer for every dialog.
    void check(int answer)
    {
        world.dialog.fallback = answer;
        model->CheckConflicts();
    }
    std::vector<ConflictRule> rulesShown() const
    {
        std::vector<ConflictRule> rules;
        for (const ConflictMessage& m : world.dialog.shown)
            rules.push_back(m.rule);
        return rules;
    }
    bool shown(ConflictRule rule) const
    {
        for (const ConflictMessage& m : world.dialog.shown) {
            if (m.rule == rule)
                return true;
        }
        return false;
    }
    LCDEVMODE saved() const
    {
        LCDEVMODE r = PlainRecord();
        model->SaveTo(r);
        return r;
    }
};

void twoSidedPrinter(ModelWorld& w)
{
    w.config.items[kItemAutoDuplexSupport] = 1;
}

}  // namespace

TEST(ConflictRules, NothingRunsWhileCheckingIsOff)
{
    Opening o;
    o.model->SetMediaType(2);
    o.model->SetLayoutCode(4);
    o.model->SetConflictCheck(0);
    o.check(kConflictAnswerFirst);
    EXPECT_TRUE(o.world.dialog.shown.empty());
    EXPECT_EQ(o.model->GetMediaType(), 2u);
    EXPECT_EQ(o.world.oem.refreshes, 0);
    o.model->SetConflictCheck(1);
    o.check(kConflictAnswerFirst);
    EXPECT_EQ(o.rulesShown(), std::vector<ConflictRule>{ConflictRule::PlainMediaLayout4});
    EXPECT_EQ(o.model->GetMediaType(), 1u);   // plain paper
    EXPECT_EQ(o.world.oem.refreshes, 1);
}

TEST(ConflictRules, AcceptedCombinationShowsNothing)
{
    Opening o(twoSidedPrinter);
    o.model->SetDuplexUnitPresent(1);
    o.model->SetDuplexMode(2);
    o.model->SetDuplexMethod(2);
    o.check(2);
    EXPECT_TRUE(o.world.dialog.shown.empty());
    EXPECT_EQ(o.world.oem.refreshes, 0);
}

TEST(TwoSidedRules, GateNeedsSupportAUnitOrMethodThreeAndTwoSidedMode)
{
    for (uint32_t support : {0u, 1u, 2u}) {
        for (int unit : {0, 1}) {
            for (int method : {2, 3}) {
                for (int mode : {1, 2, 3}) {
                    SCOPED_TRACE(testing::Message() << "support " << support << " unit " << unit << " method "
                                                    << method << " mode " << mode);
                    Opening o([&](ModelWorld& w) { w.config.items[kItemAutoDuplexSupport] = support; });
                    o.model->SetDuplexUnitPresent(unit);
                    o.model->SetDuplexMethod(method);
                    o.model->SetDuplexMode(mode);
                    o.model->SetMediaType(3);
                    o.check(2);
                    const bool expected = (support == 1 || support == 2) && (unit == 1 || method == 3) &&
                                          (mode == 2 || mode == 3);
                    EXPECT_EQ(o.shown(ConflictRule::DuplexMedia), expected);
                }
            }
        }
    }
}

TEST(TwoSidedRules, MediaTextsAndTheMediaThatPass)
{
    struct Case {
        uint32_t media;
        bool fires;
        Texts texts;
    };
    const Case cases[] = {
        {1, false, {}},
        {257, false, {}},
        {270, false, {}},
        {273, false, {}},
        {277, false, {}},
        {2, true, {9353, 32, 22, 110}},
        {3, true, {9353, 32, 22, 109}},
        {268, true, {9353, 32, 22, 109}},
        {258, true, {9353, 32, 22, 111, 324}},
        {261, true, {9353, 32, 22, 113}},
        {262, true, {9353, 32, 22, 112}},
        {265, true, {9353, 32, 22, 542}},
        {266, true, {9353, 32, 22, 543}},
        {267, true, {9353, 32, 22, 562}},
        {269, true, {9353, 32, 22}},
        {278, true, {9353, 32, 22}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.media);
        Opening o(twoSidedPrinter);
        o.model->SetDuplexUnitPresent(1);
        o.model->SetDuplexMode(2);
        o.model->SetMediaType(c.media);
        o.world.dialog.answers = {2};
        o.check(3);
        ASSERT_EQ(o.shown(ConflictRule::DuplexMedia), c.fires);
        if (c.fires) {
            const ConflictMessage& m = o.world.dialog.shown.front();
            EXPECT_EQ(m.rule, ConflictRule::DuplexMedia);
            EXPECT_EQ(m.title, 6842u);
            EXPECT_EQ(m.heading, 6844u);
            EXPECT_EQ(m.texts, c.texts);
        }
    }
}

TEST(TwoSidedRules, MediaCheckNeedsTheRuleWordAndMethodTwoOrThree)
{
    struct Case {
        int ruleWord;
        int method;
        bool fires;
    };
    const Case cases[] = {{1, 2, true}, {1, 3, true}, {0, 2, false}, {0, 3, false}, {1, 1, false}, {1, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "word " << c.ruleWord << " method " << c.method);
        Opening o(twoSidedPrinter);
        o.model->SetDuplexUnitPresent(1);
        o.model->SetDuplexRulesEnabled(c.ruleWord);
        o.model->SetDuplexMode(2);
        o.model->SetDuplexMethod(c.method);
        o.model->SetMediaType(262);
        o.check(3);
        EXPECT_EQ(o.shown(ConflictRule::DuplexMedia), c.fires);
    }
}

TEST(TwoSidedRules, MediaAnswers)
{
    struct Case {
        int answer;
        int32_t mode;
        int32_t method;
        int32_t layout;
    };
    // The second choice is not offered: only the first keeps two-sided printing.
    const Case cases[] = {{2, 3, 2, 4}, {3, 1, 0, 0}, {1, 1, 0, 0}, {0, 1, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        Opening o(twoSidedPrinter);
        o.model->SetDuplexMode(3);
        o.model->SetDuplexMethod(3);   // no unit: method 3 opens the gate
        o.model->SetLayoutCode(4);
        o.model->SetFeatureWord14C(1);
        o.model->SetPaperSize(9);
        o.model->SetMediaType(262);
        o.world.dialog.answers = {c.answer};
        o.check(3);
        ASSERT_EQ(o.world.dialog.shown.front().rule, ConflictRule::DuplexMedia);
        EXPECT_EQ(o.model->GetDuplexMode(), c.mode);
        EXPECT_EQ(o.model->GetDuplexMethod(), c.method);
        EXPECT_EQ(o.model->GetLayoutCode(), c.layout);
        EXPECT_EQ(o.model->GetFeatureWord14C(), 1);
        EXPECT_EQ(o.model->GetMediaType(), 262u);
        EXPECT_GE(o.world.oem.refreshes, 1);
    }
}

TEST(TwoSidedRules, PaperSizeTriggerAndTexts)
{
    struct Case {
        const char* name;
        uint32_t support;
        int unit;
        int method;
        uint32_t size;
        bool allowCustom;
        uint32_t plainDefault;
        bool fires;
        Texts texts;
    };
    const Case cases[] = {
        {"method 3, A4", 1, 0, 3, 9, false, 1, false, {}},
        {"method 3, letter", 1, 0, 3, 1, false, 1, false, {}},
        {"method 3, legal", 1, 0, 3, 5, false, 1, true, {18, 9336, 32, 9339, 63}},
        {"method 2, legal, A4 default", 1, 1, 2, 5, false, 9, true, {18, 9353, 32, 9339, 68}},
        {"method 2, custom exempt", 1, 1, 2, 256, true, 1, false, {}},
        {"method 2, custom, not allowed", 1, 1, 2, 256, false, 1, true, {18, 9353, 32, 9339, 63}},
        {"method 2, custom, support 2", 2, 1, 2, 256, true, 1, true, {18, 9353, 32, 9339, 63}},
        {"method 3, custom allowed", 1, 0, 3, 256, true, 1, true, {18, 9336, 32, 9339, 63}},
        {"method 1 passes", 1, 1, 1, 5, false, 1, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Opening o([&](ModelWorld& w) {
            w.config.items[kItemAutoDuplexSupport] = c.support;
            if (c.allowCustom)
                w.product.set(OptionKey::IDO_ALLOW_CUSTOMPAPER_DUPLEX, 1);
        });
        o.model->SetDuplexUnitPresent(c.unit);
        o.model->SetDuplexMode(2);
        o.model->SetDuplexMethod(c.method);
        o.model->SetPaperSize(c.size);
        o.model->SetPlainPaperDefaultSize(c.plainDefault);
        o.check(3);
        ASSERT_EQ(o.shown(ConflictRule::DuplexPaperSize), c.fires);
        if (c.fires) {
            EXPECT_EQ(o.world.dialog.shown.front().texts, c.texts);
        }
    }
}

TEST(TwoSidedRules, PaperSizeAnswers)
{
    struct Case {
        int answer;
        uint32_t plainDefault;
        uint32_t size;
        uint32_t flags;
        int32_t mode;
        int32_t method;
    };
    const Case cases[] = {
        {2, 1, 1, 0, 2, 3},          // letter named, letter set, two-sided kept
        {2, 9, 9, 0, 2, 3},          // A4 named, A4 set
        {2, 300, 9, 0, 2, 3},        // any other default: the A4 text and A4
        {3, 1, 5, 0x4000, 2, 1},     // method 1, nothing else
        {1, 1, 5, 0x4000, 1, 0},     // two-sided off
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "answer " << c.answer << " default " << c.plainDefault);
        Opening o(twoSidedPrinter);
        o.model->SetDuplexMode(2);
        o.model->SetDuplexMethod(3);
        o.model->SetPaperSize(5);
        o.model->SetPaperFlags(0x4000);
        o.model->SetPlainPaperDefaultSize(c.plainDefault);
        o.world.dialog.answers = {c.answer};
        o.check(3);
        ASSERT_EQ(o.world.dialog.shown.front().rule, ConflictRule::DuplexPaperSize);
        EXPECT_EQ(o.model->GetPaperSize(), c.size);
        EXPECT_EQ(o.model->GetPaperFlags(), c.flags);
        EXPECT_EQ(o.model->GetDuplexMode(), c.mode);
        EXPECT_EQ(o.model->GetDuplexMethod(), c.method);
        // A resolved combination passes the next check.
        if (c.answer != 3) {
            o.world.dialog.shown.clear();
            o.check(3);
            EXPECT_FALSE(o.shown(ConflictRule::DuplexPaperSize));
        }
    }
}

// The rows of the table, one trigger each, with every answer.
struct RowCase {
    const char* name;
    std::function<void(GUIPrinter&)> trigger;
    ConflictRule rule;
    Texts texts;
    int answer;
    std::function<void(const GUIPrinter&)> expect;
    int refreshes;   // OEMPropDlg running
    int repaints;    // the alternate window running
};

namespace {

void media2Layout4(GUIPrinter& m)
{
    m.SetMediaType(2);
    m.SetLayoutCode(4);
    m.SetFeatureWord14C(1);
    m.SetPaperFlags(0x1000);
    m.SetPaperSize(296);
}

void media2Layout2(GUIPrinter& m)
{
    m.SetMediaType(2);
    m.SetMediaType2(2);
    m.SetLayoutCode(2);
    m.SetFeatureWord14C(1);
    m.SetPaperSize(5);
    m.SetSavedPaperSize(9);
    m.SetDuplexMode(2);
    m.SetDuplexMethod(2);
    m.SetPaperFlags(0x4000);
}

void media2Duplex(GUIPrinter& m)
{
    m.SetMediaType(2);
    m.SetDuplexMode(3);
    m.SetDuplexMethod(2);
    m.SetLayoutCode(0);
    m.SetFeatureWord14C(1);
    m.SetPaperSize(5);
}

void envelope(GUIPrinter& m, int32_t layout, int32_t word14C, uint32_t size)
{
    m.SetPaperFlags(0x8000 | 0x4000);
    m.SetLayoutCode(layout);
    m.SetFeatureWord14C(word14C);
    m.SetPaperSize(size);
    m.SetOrientation(2);
    m.SetSavedOrientation(2);
    m.SetMediaType(262);
}

void expectPlainPaper(const GUIPrinter& m)
{
    EXPECT_EQ(m.GetPaperFlags(), 0u);
    EXPECT_EQ(m.GetMediaType(), 1u);
    EXPECT_EQ(m.GetMediaType2(), 1u);
    EXPECT_EQ(m.GetPaperSize(), 1u);   // the plain-paper default of the test printer
}

std::vector<RowCase> rowCases()
{
    return {
        // media type 2 with layout code 4
        {"2/layout4 first", media2Layout4, ConflictRule::PlainMediaLayout4, {110, 58}, 2,
         [](const GUIPrinter& m) {
             expectPlainPaper(m);
             EXPECT_EQ(m.GetLayoutCode(), 4);
         },
         1, 1},
        {"2/layout4 second", media2Layout4, ConflictRule::PlainMediaLayout4, {110, 58}, 3,
         [](const GUIPrinter& m) {
             EXPECT_EQ(m.GetMediaType(), 2u);
             EXPECT_EQ(m.GetLayoutCode(), 4);
         },
         1, 1},
        {"2/layout4 other", media2Layout4, ConflictRule::PlainMediaLayout4, {110, 58}, 0,
         [](const GUIPrinter& m) {
             EXPECT_EQ(m.GetFeatureWord14C(), 0);
             EXPECT_EQ(m.GetLayoutCode(), 0);
             EXPECT_EQ(m.GetPaperFlags(), 0u);
             EXPECT_EQ(m.GetPaperSize(), 1u);
             EXPECT_EQ(m.GetMediaType(), 2u);
         },
         0, 1},
        // media type 2 with layout code 2
        {"2/layout2 first", media2Layout2, ConflictRule::PlainMediaLayout2, {110, 57}, 2,
         [](const GUIPrinter& m) {
             EXPECT_EQ(m.GetPaperFlags(), 0u);
             EXPECT_EQ(m.GetMediaType(), 1u);
             EXPECT_EQ(m.GetMediaType2(), 1u);
             EXPECT_EQ(m.GetPaperSize(), 5u);   // plain media keeps the size
         },
         1, 1},
        {"2/layout2 second", media2Layout2, ConflictRule::PlainMediaLayout2, {110, 57}, 3,
         [](const GUIPrinter& m) { EXPECT_EQ(m.GetLayoutCode(), 2); }, 1, 1},
        {"2/layout2 other", media2Layout2, ConflictRule::PlainMediaLayout2, {110, 57}, 7,
         [](const GUIPrinter& m) {
             EXPECT_EQ(m.GetFeatureWord14C(), 0);
             EXPECT_EQ(m.GetLayoutCode(), 0);
             EXPECT_EQ(m.GetPaperSize(), 9u);
             EXPECT_EQ(m.GetDuplexMode(), 1);
             EXPECT_EQ(m.GetDuplexMethod(), 0);
         },
         0, 1},
        // media type 2 with two-sided printing
        {"2/duplex first", media2Duplex, ConflictRule::PlainMediaDuplex, {110, 9}, 2, expectPlainPaper, 1, 1},
        {"2/duplex second", media2Duplex, ConflictRule::PlainMediaDuplex, {110, 9}, 3,
         [](const GUIPrinter& m) { EXPECT_EQ(m.GetDuplexMode(), 3); }, 0, 1},
        {"2/duplex other", media2Duplex, ConflictRule::PlainMediaDuplex, {110, 9}, 1,
         [](const GUIPrinter& m) {
             EXPECT_EQ(m.GetDuplexMode(), 1);
             EXPECT_EQ(m.GetDuplexMethod(), 0);
             EXPECT_EQ(m.GetLayoutCode(), 0);
             EXPECT_EQ(m.GetFeatureWord14C(), 0);
             EXPECT_EQ(m.GetMediaType(), 2u);
         },
         0, 1},
        // glossy kinds and 261 with two-sided printing
        {"3/duplex first", [](GUIPrinter& m) { m.SetMediaType(3); m.SetDuplexMode(2); m.SetPaperSize(5); },
         ConflictRule::GlossyDuplex, {109, 9}, 2, expectPlainPaper, 1, 1},
        {"265/duplex second", [](GUIPrinter& m) { m.SetMediaType(265); m.SetDuplexMode(3); },
         ConflictRule::GlossyDuplex, {542, 9}, 3, [](const GUIPrinter& m) { EXPECT_EQ(m.GetDuplexMode(), 3); }, 1, 1},
        {"266/duplex other", [](GUIPrinter& m) { m.SetMediaType(266); m.SetDuplexMode(5); m.SetFeatureWord14C(1); },
         ConflictRule::GlossyDuplex, {543, 9}, 0,
         [](const GUIPrinter& m) {
             EXPECT_EQ(m.GetDuplexMode(), 1);
             EXPECT_EQ(m.GetFeatureWord14C(), 0);
             EXPECT_EQ(m.GetMediaType(), 266u);
         },
         1, 1},
        {"267/duplex other", [](GUIPrinter& m) { m.SetMediaType(267); m.SetDuplexMode(2); },
         ConflictRule::GlossyDuplex, {562, 9}, 1, [](const GUIPrinter& m) { EXPECT_EQ(m.GetDuplexMode(), 1); }, 1, 1},
        {"261/duplex first", [](GUIPrinter& m) { m.SetMediaType(261); m.SetDuplexMode(2); },
         ConflictRule::Media261Duplex, {113, 9}, 2, expectPlainPaper, 1, 1},
        {"261/duplex other", [](GUIPrinter& m) { m.SetMediaType(261); m.SetDuplexMode(2); m.SetDuplexMethod(3); },
         ConflictRule::Media261Duplex, {113, 9}, 0,
         [](const GUIPrinter& m) {
             EXPECT_EQ(m.GetDuplexMode(), 1);
             EXPECT_EQ(m.GetDuplexMethod(), 0);
         },
         1, 1},
        // envelope with layout 4
        {"env/layout4 first", [](GUIPrinter& m) { envelope(m, 4, 0, 20); }, ConflictRule::EnvelopeLayout4, {23, 58}, 2,
         [](const GUIPrinter& m) {
             expectPlainPaper(m);
             EXPECT_EQ(m.GetOrientation(), 1);
         },
         1, 1},
        {"env/layout4 second", [](GUIPrinter& m) { envelope(m, 4, 0, 20); }, ConflictRule::EnvelopeLayout4, {23, 58}, 3,
         [](const GUIPrinter& m) {
             EXPECT_EQ(m.GetPaperFlags(), 0xC000u);
             EXPECT_EQ(m.GetLayoutCode(), 4);
         },
         0, 1},
        {"env/layout4 second custom", [](GUIPrinter& m) { envelope(m, 4, 0, 256); m.SetOrientation(1); },
         ConflictRule::EnvelopeLayout4, {23, 58}, 3,
         [](const GUIPrinter& m) {
             expectPlainPaper(m);
             EXPECT_EQ(m.GetOrientation(), 2);   // the saved orientation
         },
         0, 1},
        {"env/layout4 other", [](GUIPrinter& m) { envelope(m, 4, 0, 20); }, ConflictRule::EnvelopeLayout4, {23, 58}, 1,
         [](const GUIPrinter& m) {
             EXPECT_EQ(m.GetLayoutCode(), 0);
             EXPECT_EQ(m.GetPaperFlags(), 0xC000u);
         },
         0, 1},
        // envelope with layout 1
        {"env/layout1 first", [](GUIPrinter& m) { envelope(m, 1, 0, 20); m.SetOrientation(1); },
         ConflictRule::EnvelopeLayout1, {23, 56}, 2,
         [](const GUIPrinter& m) {
             expectPlainPaper(m);
             EXPECT_EQ(m.GetOrientation(), 2);   // the saved orientation
         },
         1, 1},
        {"env/layout1 second", [](GUIPrinter& m) { envelope(m, 1, 0, 20); }, ConflictRule::EnvelopeLayout1, {23, 56}, 3,
         [](const GUIPrinter& m) { EXPECT_EQ(m.GetPaperFlags(), 0xC000u); }, 0, 1},
        {"env/layout1 other", [](GUIPrinter& m) { envelope(m, 1, 0, 20); }, ConflictRule::EnvelopeLayout1, {23, 56}, 0,
         [](const GUIPrinter& m) {
             EXPECT_EQ(m.GetLayoutCode(), 0);
             EXPECT_EQ(m.GetPaperFlags(), 0x8000u);
         },
         0, 1},
        // envelope with feature word 1
        {"env/14C first", [](GUIPrinter& m) { envelope(m, 0, 1, 20); }, ConflictRule::EnvelopeFeature14C, {23, 59}, 2,
         [](const GUIPrinter& m) {
             expectPlainPaper(m);
             EXPECT_EQ(m.GetSavedPaperSize(), 1u);
             EXPECT_EQ(m.GetOrientation(), 1);
         },
         1, 1},
        {"env/14C second", [](GUIPrinter& m) { envelope(m, 0, 1, 20); }, ConflictRule::EnvelopeFeature14C, {23, 59}, 3,
         [](const GUIPrinter& m) { EXPECT_EQ(m.GetFeatureWord14C(), 1); }, 1, 1},
        {"env/14C other", [](GUIPrinter& m) { envelope(m, 3, 1, 20); }, ConflictRule::EnvelopeFeature14C, {23, 59}, 0,
         [](const GUIPrinter& m) {
             EXPECT_EQ(m.GetLayoutCode(), 0);
             EXPECT_EQ(m.GetFeatureWord14C(), 0);
             EXPECT_EQ(m.GetMediaType(), 262u);   // without IDO_VENDRA_GUI_OPTION
         },
         0, 1},
        // media type 258 with draft
        {"258/draft first", [](GUIPrinter& m) { m.SetMediaType(258); m.SetPrintQuality(-1); m.SetPaperSize(20); m.SetPaperFlags(0x8000); },
         ConflictRule::Media258Draft, {111, 383, 384}, 2,
         [](const GUIPrinter& m) {
             expectPlainPaper(m);
             EXPECT_EQ(m.GetPrintQuality(), -1);
         },
         1, 1},
        {"258/draft second", [](GUIPrinter& m) { m.SetMediaType(258); m.SetPrintQuality(-1); },
         ConflictRule::Media258Draft, {111, 383, 384}, 3,
         [](const GUIPrinter& m) {
             EXPECT_EQ(m.GetMediaType(), 258u);
             EXPECT_EQ(m.GetPrintQuality(), -1);
         },
         1, 1},
        {"258/draft other", [](GUIPrinter& m) { m.SetMediaType(258); m.SetPrintQuality(-1); m.SetPaperFlags(0x1000); m.SetOrientation(2); m.SetPaperSize(20); },
         ConflictRule::Media258Draft, {111, 383, 384}, 0,
         [](const GUIPrinter& m) {
             EXPECT_EQ(m.GetPaperFlags(), 0u);
             EXPECT_EQ(m.GetMediaType(), 258u);
             EXPECT_EQ(m.GetMediaType2(), 258u);
             EXPECT_EQ(m.GetPaperSize(), 1u);
             EXPECT_EQ(m.GetPrintQuality(), -4);
             EXPECT_EQ(m.GetOrientation(), 1);
         },
         1, 1},
        // media type 258 with two-sided printing and no unit
        {"258/duplex first", [](GUIPrinter& m) { m.SetMediaType(258); m.SetDuplexMode(2); m.SetFeatureWord14C(1); m.SetPaperSize(20); },
         ConflictRule::Media258Duplex, {111, 9, 324, 22}, 2,
         [](const GUIPrinter& m) {
             expectPlainPaper(m);
             EXPECT_EQ(m.GetFeatureWord14C(), 0);
             EXPECT_EQ(m.GetDuplexMode(), 2);
         },
         1, 1},
        {"258/duplex second", [](GUIPrinter& m) { m.SetMediaType(258); m.SetDuplexMode(3); },
         ConflictRule::Media258Duplex, {111, 9, 324, 22}, 3,
         [](const GUIPrinter& m) { EXPECT_EQ(m.GetDuplexMode(), 3); }, 0, 1},
        {"258/duplex other", [](GUIPrinter& m) { m.SetMediaType(258); m.SetDuplexMode(3); m.SetLayoutCode(4); },
         ConflictRule::Media258Duplex, {111, 9, 324, 22}, 0,
         [](const GUIPrinter& m) {
             EXPECT_EQ(m.GetDuplexMode(), 1);
             EXPECT_EQ(m.GetDuplexMethod(), 0);
             EXPECT_EQ(m.GetLayoutCode(), 0);
             EXPECT_EQ(m.GetFeatureWord14C(), 1);
         },
         0, 1},
    };
}

}  // namespace

TEST(TableRules, EachRowTriggersWithItsTextsAndResolvesEachAnswer)
{
    for (const RowCase& c : rowCases()) {
        for (Window window : {Window::OEM, Window::Alternate}) {
            SCOPED_TRACE(testing::Message() << c.name << (window == Window::OEM ? " / OEMPropDlg" : " / alternate"));
            Opening o;
            o.attach(window);
            c.trigger(*o.model);
            o.world.dialog.answers = {c.answer};
            o.check(3);   // any later dialog keeps its settings
            ASSERT_FALSE(o.world.dialog.shown.empty());
            const ConflictMessage& m = o.world.dialog.shown.front();
            EXPECT_EQ(m.rule, c.rule);
            EXPECT_EQ(m.texts, c.texts);
            EXPECT_EQ(m.heading, 6844u);
            c.expect(*o.model);
            if (window == Window::OEM) {
                EXPECT_EQ(o.world.oem.refreshes, c.refreshes);
                EXPECT_EQ(o.world.alternate.repaints, 0);
            } else {
                EXPECT_EQ(o.world.alternate.repaints, c.repaints);
                EXPECT_EQ(o.world.oem.refreshes, 0);
            }
        }
    }
}

TEST(TableRules, RowsDoNotFireOnNearMisses)
{
    struct Case {
        const char* name;
        std::function<void(GUIPrinter&)> setUp;
    };
    const Case cases[] = {
        {"media 2, layout 0, one-sided", [](GUIPrinter& m) { m.SetMediaType(2); m.SetLayoutCode(0); }},
        {"media 2, layout 1, one-sided", [](GUIPrinter& m) { m.SetMediaType(2); m.SetLayoutCode(1); }},
        {"media 268, two-sided", [](GUIPrinter& m) { m.SetMediaType(268); m.SetDuplexMode(2); }},
        {"media 262, two-sided", [](GUIPrinter& m) { m.SetMediaType(262); m.SetDuplexMode(2); }},
        {"media 3, one-sided", [](GUIPrinter& m) { m.SetMediaType(3); m.SetDuplexMode(1); }},
        {"envelope, layout 2", [](GUIPrinter& m) { m.SetPaperFlags(0x8000); m.SetLayoutCode(2); }},
        {"envelope bit missing, layout 4", [](GUIPrinter& m) { m.SetPaperFlags(0x7FFF); m.SetLayoutCode(4); }},
        {"envelope, word 14C 2", [](GUIPrinter& m) { m.SetPaperFlags(0x8000); m.SetFeatureWord14C(2); }},
        {"media 258, normal", [](GUIPrinter& m) { m.SetMediaType(258); m.SetPrintQuality(-2); }},
        {"media 258, two-sided with a unit", [](GUIPrinter& m) { m.SetMediaType(258); m.SetDuplexMode(2); m.SetDuplexUnitPresent(1); }},
        {"media 258, two-sided, layout 2", [](GUIPrinter& m) { m.SetMediaType(258); m.SetDuplexMode(2); m.SetLayoutCode(2); }},
        {"quality 12345, copies 0, unknown flag bits", [](GUIPrinter& m) { m.SetPrintQuality(12345); m.SetCopies(0); m.SetPaperFlags(0x7FF0FFF); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Opening o;
        c.setUp(*o.model);
        o.check(2);
        EXPECT_TRUE(o.world.dialog.shown.empty());
    }
}

TEST(TableRules, OnlyTheFirstMediaTwoRowWhoseLayoutHoldsIsConsidered)
{
    struct Case {
        int32_t layout;
        int32_t mode;
        ConflictRule rule;
    };
    const Case cases[] = {
        {4, 2, ConflictRule::PlainMediaLayout4},
        {2, 2, ConflictRule::PlainMediaLayout2},
        {0, 2, ConflictRule::PlainMediaDuplex},
        {1, 3, ConflictRule::PlainMediaDuplex},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        Opening o;
        o.model->SetMediaType(2);
        o.model->SetLayoutCode(c.layout);
        o.model->SetDuplexMode(c.mode);
        o.check(3);   // keeps the settings, sets the row's flag
        EXPECT_EQ(o.rulesShown(), std::vector<ConflictRule>{c.rule});
        // With its flag set, the row that holds is still the one considered:
        // the two-sided row does not stand in for it.
        o.world.dialog.shown.clear();
        o.check(3);
        EXPECT_TRUE(o.world.dialog.shown.empty());
    }
}

TEST(ConflictOrder, TwoSidedThenRowsThenDraftRules)
{
    Opening o([](ModelWorld& w) {
        twoSidedPrinter(w);
        w.product.set(OptionKey::IDO_DRAFT_PHOTO_CONFLICT, 1);
        w.product.set(OptionKey::IDO_DRAFT_GLOSSY_CONFLICT, 1);
    });
    INKINFO ink;
    std::memset(ink.bytes, 0, sizeof ink.bytes);
    const int32_t photo = 0x72;
    std::memcpy(ink.bytes + InkWord::LogCart2 * 4, &photo, 4);
    o.model->SetInkInfo2(ink, "no status");
    o.model->SetDuplexUnitPresent(1);
    o.model->SetDuplexMode(2);
    o.model->SetDuplexMethod(2);
    o.model->SetPaperSize(5);
    o.model->SetMediaType(3);
    o.model->SetPrintQuality(-1);
    o.model->SetPaperFlags(0x8000);
    o.model->SetFeatureWord14C(1);
    // Second choice everywhere: nothing changes, so every matching rule runs.
    o.check(3);
    const std::vector<ConflictRule> expected{ConflictRule::DuplexMedia, ConflictRule::DuplexPaperSize,
                                             ConflictRule::GlossyDuplex, ConflictRule::EnvelopeFeature14C,
                                             ConflictRule::DraftPhoto, ConflictRule::DraftGlossy};
    // The media check's second choice switches two-sided off; answer it with the first.
    Opening p([](ModelWorld& w) {
        twoSidedPrinter(w);
        w.product.set(OptionKey::IDO_DRAFT_PHOTO_CONFLICT, 1);
        w.product.set(OptionKey::IDO_DRAFT_GLOSSY_CONFLICT, 1);
    });
    p.model->SetInkInfo2(ink, "no status");
    p.model->SetDuplexUnitPresent(1);
    p.model->SetDuplexMode(2);
    p.model->SetDuplexMethod(2);
    p.model->SetPaperSize(5);
    p.model->SetMediaType(3);
    p.model->SetPrintQuality(-1);
    p.model->SetPaperFlags(0x8000);
    p.model->SetFeatureWord14C(1);
    p.world.dialog.policy = [](const ConflictMessage& m) { return m.rule == ConflictRule::DuplexMedia ? 2 : 3; };
    p.model->CheckConflicts();
    EXPECT_EQ(p.rulesShown(), expected);
    // Each rule sees what the one before it left: after the first answer of
    // the media check switches two-sided off, no later two-sided rule fires.
    EXPECT_EQ(o.rulesShown(), (std::vector<ConflictRule>{ConflictRule::DuplexMedia, ConflictRule::EnvelopeFeature14C,
                                                          ConflictRule::DraftPhoto, ConflictRule::DraftGlossy}));
}

TEST(ConflictOrder, AnEarlierRowsResolutionDecidesALaterRow)
{
    // Media 2 with layout 4 inside envelope mode: the media row's first answer
    // clears the envelope flag, so the envelope row no longer matches.
    Opening o;
    o.model->SetMediaType(2);
    o.model->SetLayoutCode(4);
    o.model->SetPaperFlags(0x8000);
    o.world.dialog.answers = {2};
    o.check(3);
    EXPECT_EQ(o.rulesShown(), std::vector<ConflictRule>{ConflictRule::PlainMediaLayout4});

    // With the second answer both rows run, in table order.
    Opening p;
    p.model->SetMediaType(2);
    p.model->SetLayoutCode(4);
    p.model->SetPaperFlags(0x8000);
    p.check(3);
    EXPECT_EQ(p.rulesShown(),
              (std::vector<ConflictRule>{ConflictRule::PlainMediaLayout4, ConflictRule::EnvelopeLayout4}));
}

// A later row's resolution that brings back a conflict answered earlier in
// the same check gets that answer again, without a second dialog; the next
// check asks nothing.
TEST(ConflictOrder, AnAnswerGivenInTheCheckStandsAgainstLaterRows)
{
    {
        SCOPED_TRACE("the media-258 draft row resets the size the two-sided answer chose");
        Opening o([](ModelWorld& w) { w.config.items[kItemAutoDuplexSupport] = 1; });
        o.model->SetPlainPaperDefaultSize(5);
        o.model->SetDuplexRulesEnabled(0);
        o.model->SetDuplexMode(2);
        o.model->SetDuplexMethod(3);
        o.model->SetMediaType(258);
        o.model->SetPaperSize(5);
        o.model->SetPrintQuality(-1);
        o.world.dialog.policy = [](const ConflictMessage& m) {
            return m.rule == ConflictRule::DuplexPaperSize ? kConflictAnswerFirst
                   : m.rule == ConflictRule::Media258Duplex ? kConflictAnswerSecond
                                                            : 0;
        };
        o.model->CheckConflicts();
        EXPECT_EQ(o.rulesShown(), (std::vector<ConflictRule>{ConflictRule::DuplexPaperSize,
                                                             ConflictRule::Media258Draft,
                                                             ConflictRule::Media258Duplex}));
        EXPECT_EQ(o.model->GetPaperSize(), 9u);
        EXPECT_EQ(o.model->GetDuplexMode(), 2);
        EXPECT_EQ(o.model->GetPrintQuality(), -4);
        o.world.dialog.shown.clear();
        o.model->CheckConflicts();
        EXPECT_TRUE(o.world.dialog.shown.empty());
    }
    {
        SCOPED_TRACE("the media-258 two-sided row sets the flag the envelope answer cleared");
        Opening o;
        o.model->SetPaperFlags(0x8000);
        o.model->SetFeatureWord14C(1);
        o.model->SetMediaType(258);
        o.model->SetDuplexMode(2);
        o.check(0);
        EXPECT_EQ(o.rulesShown(), (std::vector<ConflictRule>{ConflictRule::EnvelopeFeature14C,
                                                             ConflictRule::Media258Duplex}));
        EXPECT_EQ(o.model->GetFeatureWord14C(), 0);
        EXPECT_EQ(o.model->GetDuplexMode(), 1);
        o.world.dialog.shown.clear();
        o.check(0);
        EXPECT_TRUE(o.world.dialog.shown.empty());
    }
}

TEST(ConflictFlags, SecondChoiceSuppressesTheRowForTheOpeningOtherAnswersDoNot)
{
    struct Case {
        const char* name;
        std::function<void(GUIPrinter&)> setUp;
        ConflictRule rule;
    };
    const Case cases[] = {
        {"2/layout4", [](GUIPrinter& m) { m.SetMediaType(2); m.SetLayoutCode(4); }, ConflictRule::PlainMediaLayout4},
        {"2/layout2", [](GUIPrinter& m) { m.SetMediaType(2); m.SetLayoutCode(2); }, ConflictRule::PlainMediaLayout2},
        {"2/duplex", [](GUIPrinter& m) { m.SetMediaType(2); m.SetDuplexMode(2); }, ConflictRule::PlainMediaDuplex},
        {"3/duplex", [](GUIPrinter& m) { m.SetMediaType(3); m.SetDuplexMode(2); }, ConflictRule::GlossyDuplex},
        {"261/duplex", [](GUIPrinter& m) { m.SetMediaType(261); m.SetDuplexMode(2); }, ConflictRule::Media261Duplex},
        {"env/4", [](GUIPrinter& m) { m.SetPaperFlags(0x8000); m.SetLayoutCode(4); }, ConflictRule::EnvelopeLayout4},
        {"env/1", [](GUIPrinter& m) { m.SetPaperFlags(0x8000); m.SetLayoutCode(1); }, ConflictRule::EnvelopeLayout1},
        {"env/14C", [](GUIPrinter& m) { m.SetPaperFlags(0x8000); m.SetFeatureWord14C(1); }, ConflictRule::EnvelopeFeature14C},
        {"258/draft", [](GUIPrinter& m) { m.SetMediaType(258); m.SetPrintQuality(-1); }, ConflictRule::Media258Draft},
        {"258/duplex", [](GUIPrinter& m) { m.SetMediaType(258); m.SetDuplexMode(2); }, ConflictRule::Media258Duplex},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Opening o;
        c.setUp(*o.model);
        o.check(3);
        ASSERT_TRUE(o.shown(c.rule));
        o.world.dialog.shown.clear();
        o.check(3);
        EXPECT_FALSE(o.shown(c.rule));
        // Flags are per opening: a new model asks again.
        Opening again;
        c.setUp(*again.model);
        again.check(3);
        EXPECT_TRUE(again.shown(c.rule));
    }
    // One flag per glossy media type: answering for 3 still asks for 265.
    Opening o;
    o.model->SetMediaType(3);
    o.model->SetDuplexMode(2);
    o.check(3);
    o.model->SetMediaType(265);
    o.world.dialog.shown.clear();
    o.check(3);
    EXPECT_TRUE(o.shown(ConflictRule::GlossyDuplex));
}

TEST(ConflictTitles, EnvelopeRowsCarryTheOtherTitleWhileOEMPropDlgRuns)
{
    struct Case {
        int printProp;
        Window window;
        uint32_t envelopeTitle;
        uint32_t otherTitle;
    };
    const Case cases[] = {
        {0, Window::OEM, 6845, 6842},
        {0, Window::Alternate, 6842, 6842},
        {1, Window::Alternate, 6845, 6845},
        {1, Window::None, 6845, 6845},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "printprop " << c.printProp << " window " << static_cast<int>(c.window));
        Opening o([&](ModelWorld& w) { w.product.set(OptionKey::IDO_PMKPRINTPROP, static_cast<uint32_t>(c.printProp)); });
        o.attach(c.window);
        o.model->SetPaperFlags(0x8000);
        o.model->SetLayoutCode(4);
        o.model->SetMediaType(2);
        o.check(3);
        ASSERT_EQ(o.world.dialog.shown.size(), 2u);
        EXPECT_EQ(o.world.dialog.shown[0].title, c.otherTitle);      // media 2 row
        EXPECT_EQ(o.world.dialog.shown[1].title, c.envelopeTitle);   // envelope row
    }
}

TEST(ConflictRules, EnvelopeWithWord14CSetsPlainMediaOnlyWithTheVendraOption)
{
    for (bool vendra : {false, true}) {
        Opening o([&](ModelWorld& w) {
            if (vendra)
                w.product.set(OptionKey::IDO_VENDRA_GUI_OPTION, 1);
        });
        o.model->SetPaperFlags(0x8000);
        o.model->SetFeatureWord14C(1);
        o.model->SetMediaType(262);
        o.check(0);
        EXPECT_EQ(o.model->GetMediaType(), vendra ? 1u : 262u);
    }
}

TEST(DraftRules, DraftWithPhotoCartridges)
{
    struct Case {
        int32_t quality;
        uint32_t cart1;
        uint32_t cart2;
        bool option;
        bool fires;
    };
    const Case cases[] = {
        {-1, 0x70, 0, true, true},   {-1, 0, 0x71, true, true},  {-1, 0x72, 0, true, true},
        {-1, 0x7F, 0, true, true},   {-1, 0, 0x80, true, true},  {-1, 0x6F, 0x81, true, false},
        {-2, 0x71, 0, true, false},  {-2, 0x80, 0, true, true},  {-2, 0, 0x80, true, true},
        {-4, 0x80, 0x80, true, false}, {-1, 0x80, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.quality << " " << c.cart1 << " " << c.cart2);
        Opening o([&](ModelWorld& w) {
            if (c.option)
                w.product.set(OptionKey::IDO_DRAFT_PHOTO_CONFLICT, 1);
            w.status.known = true;
            w.status.logCart[0] = c.cart1;
            w.status.logCart[1] = c.cart2;
        });
        INKINFO ink{};
        o.model->SetInkInfo2(ink, kModelPrinter);
        o.model->SetPrintQuality(c.quality);
        o.check(3);
        EXPECT_EQ(o.shown(ConflictRule::DraftPhoto), c.fires);
    }
}

TEST(DraftRules, DraftPhotoTextsAndAnswers)
{
    struct Case {
        int best;        // IDO_SUPPORT_BESTPRINTQUALITY
        int photo;       // IDO_SUPPORT_PHOTOPRINTQUALITY
        Texts texts;
    };
    const Case texts[] = {
        {0, 1, {381, 382, 538, 384, 535}},
        {0, 0, {381, 382, 538, 384}},
        {1, 1, {381, 382, 383, 384}},
        {2, 0, {381, 382, 383, 384}},
    };
    for (const Case& c : texts) {
        Opening o([&](ModelWorld& w) {
            w.product.set(OptionKey::IDO_DRAFT_PHOTO_CONFLICT, 1);
            w.product.set(OptionKey::IDO_SUPPORT_BESTPRINTQUALITY, static_cast<uint32_t>(c.best));
            w.product.set(OptionKey::IDO_SUPPORT_PHOTOPRINTQUALITY, static_cast<uint32_t>(c.photo));
            w.status.known = true;
            w.status.logCart[0] = 0x80;
        });
        o.model->SetInkInfo2(INKINFO{}, kModelPrinter);
        o.model->SetDraftPhotoExtraOption(1);
        o.model->SetPrintQuality(-1);
        o.check(3);
        ASSERT_EQ(o.world.dialog.shown.size(), 1u);
        EXPECT_EQ(o.world.dialog.shown[0].texts, c.texts);
        EXPECT_TRUE(o.world.dialog.shown[0].extraOption);
    }

    struct Answer {
        int answer;
        int32_t quality;
        bool asksAgain;
    };
    const Answer answers[] = {{2, -4, true}, {3, -1, false}, {1, -2, true}};
    for (const Answer& a : answers) {
        SCOPED_TRACE(a.answer);
        Opening o([](ModelWorld& w) {
            w.product.set(OptionKey::IDO_DRAFT_PHOTO_CONFLICT, 1);
            w.status.known = true;
            w.status.logCart[1] = 0x80;
        });
        o.model->SetInkInfo2(INKINFO{}, kModelPrinter);
        o.model->SetPrintQuality(-1);
        o.check(a.answer);
        EXPECT_EQ(o.model->GetPrintQuality(), a.quality);
        EXPECT_EQ(o.world.oem.refreshes, 1);
        o.world.dialog.shown.clear();
        o.model->SetPrintQuality(-1);
        o.check(2);
        EXPECT_EQ(o.shown(ConflictRule::DraftPhoto), a.asksAgain);
    }
}

TEST(DraftRules, DraftWithGlossyMedia)
{
    struct Case {
        uint32_t media;
        int32_t quality;
        bool option;
        bool fires;
    };
    const Case triggers[] = {
        {3, -1, true, true},    {265, -1, true, true}, {266, -1, true, true}, {267, -1, true, true},
        {268, -1, true, true},  {2, -1, true, false},  {3, -2, true, false},  {3, -1, false, false},
    };
    for (const Case& c : triggers) {
        SCOPED_TRACE(testing::Message() << c.media << " " << c.quality);
        Opening o([&](ModelWorld& w) {
            if (c.option)
                w.product.set(OptionKey::IDO_DRAFT_GLOSSY_CONFLICT, 1);
        });
        o.model->SetMediaType(c.media);
        o.model->SetPrintQuality(c.quality);
        o.check(3);
        EXPECT_EQ(o.shown(ConflictRule::DraftGlossy), c.fires);
    }

    struct TextCase {
        int printProp;
        int photo;
        Texts texts;
    };
    const TextCase texts[] = {
        {0, 1, {6846, 534, 384, 108, 382, 535}},
        {0, 0, {6846, 534, 384, 108, 382}},
        {1, 1, {6846, 534, 384, 108, 535}},
        {1, 0, {6846, 534, 384, 108}},
    };
    for (const TextCase& c : texts) {
        Opening o([&](ModelWorld& w) {
            w.product.set(OptionKey::IDO_DRAFT_GLOSSY_CONFLICT, 1);
            w.product.set(OptionKey::IDO_PMKPRINTPROP, static_cast<uint32_t>(c.printProp));
            w.product.set(OptionKey::IDO_SUPPORT_PHOTOPRINTQUALITY, static_cast<uint32_t>(c.photo));
        });
        o.model->SetMediaType(265);
        o.model->SetPrintQuality(-1);
        o.check(3);
        ASSERT_EQ(o.world.dialog.shown.size(), 1u);
        EXPECT_EQ(o.world.dialog.shown[0].texts, c.texts);
    }

    struct Answer {
        int answer;
        int32_t quality;
        uint32_t media;
        uint32_t flags;
    };
    // The second choice is plain media as the media list picks it: both media
    // words 1, and the borderless category keeps its layout and size.
    const Answer answers[] = {{2, -4, 267, 0x1000}, {3, -1, 1, 0x1000}, {0, -2, 267, 0x1000}};
    for (const Answer& a : answers) {
        SCOPED_TRACE(a.answer);
        Opening o([](ModelWorld& w) { w.product.set(OptionKey::IDO_DRAFT_GLOSSY_CONFLICT, 1); });
        o.model->SetMediaType(267);
        o.model->SetMediaType2(267);
        o.model->SetPaperFlags(0x1000);
        o.model->SetPaperSize(296);
        o.model->SetLayoutCode(7);
        o.model->SetPrintQuality(-1);
        o.check(a.answer);
        EXPECT_EQ(o.model->GetPrintQuality(), a.quality);
        EXPECT_EQ(o.model->GetLayoutCode(), 7);
        EXPECT_EQ(o.model->GetMediaType(), a.media);
        EXPECT_EQ(o.model->GetMediaType2(), a.media);
        EXPECT_EQ(o.model->GetPaperFlags(), a.flags);
        EXPECT_EQ(o.model->GetPaperSize(), 296u);
        EXPECT_EQ(o.world.oem.refreshes, 1);
        // Every answer ends the conflict.
        o.world.dialog.shown.clear();
        o.check(a.answer);
        EXPECT_FALSE(o.shown(ConflictRule::DraftGlossy));
    }
}

TEST(ConflictDialogState, OpenOnlyWhileTheDialogRuns)
{
    Opening o;
    bool openDuringRun = false;
    GUIPrinter* model = o.model.get();
    o.world.dialog.policy = [&](const ConflictMessage&) {
        openDuringRun = model->IsConflictDialogOpen();
        return 3;
    };
    o.model->SetMediaType(2);
    o.model->SetLayoutCode(4);
    EXPECT_FALSE(o.model->IsConflictDialogOpen());
    o.model->CheckConflicts();
    EXPECT_TRUE(openDuringRun);
    EXPECT_FALSE(o.model->IsConflictDialogOpen());
}
