// The maintenance page through the in-memory view over a real settings
// model: the command line of every task button, the creation rules by port
// type and product options, ordering ink and the page's keys.
#include "MaintainPropPage.h"
#include "MemoryView.h"
#include "ModelFakes.h"
#include "PersonalSettings.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// The companion programs as command lines, built the way the launcher
// builds them from the product's status program.
class CommandLines : public CompanionActions {
public:
    explicit CommandLines(const ProductOptions& product) : product_(product) {}
    void LaunchStatusProgram(const std::string& printer, int task) override
    {
        lines.push_back(statusProgramCommandLine(Options(product_).text(OptionKey::IDO_PSWX_NT), printer, task));
    }
    void OnOrderSupplies(const std::string& printer) override { lines.push_back("order " + printer); }
    std::vector<std::string> lines;

private:
    const ProductOptions& product_;
};

struct Maintenance {
    ModelWorld world;
    SilentMessages messages;
    CommandLines companions{world.product};
    PortableInkDisplay* ink = nullptr;   // owned by the page
    int tabStripFocused = 0;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    std::unique_ptr<MaintainPropPage> page;
    MemoryView view;

    explicit Maintenance(const std::function<void(ModelWorld&)>& configure = nullptr, uint32_t portType = 0,
                         bool withTabStrip = true)
    {
        world.product.setText(OptionKey::IDO_PSWX_NT, "pmstatus.exe");
        world.status.known = true;
        for (uint32_t& level : world.status.inkPercent)
            level = 50;
        world.status.logCart[0] = 1;
        world.status.logCart[1] = 2;
        if (configure)
            configure(world);
        model = MakePlainModel(world);
        model->SetPortType(portType);
        slots = std::make_unique<PersonalSettings>(world.product, world.registry, world.trace, messages,
                                                   [](LCDEVMODE&) {});
        PageContext context{world.product, world.registry, *slots, world.trace, companions,
                            [this] {
                                auto display = std::make_unique<PortableInkDisplay>();
                                ink = display.get();
                                return display;
                            },
                            '.', nullptr};
        if (withTabStrip)
            context.focusTabStrip = [this] { ++tabStripFocused; };
        page = std::make_unique<MaintainPropPage>(context);
        page->SetPrinter(model.get());
        page->OnInit(view);
    }
};

const std::string kQuotedPrinter = std::string("\"") + kModelPrinter + "\"";

TEST(MaintainPropPage, EveryTaskButtonStartsTheStatusProgramWithItsTask)
{
    struct Row {
        int button;
        int label;
        uint32_t text;
        const char* commandLine;
    } rows[] = {
        {IDC_TASK_PRINTER_STATUS, IDC_TASK_PRINTER_STATUS_LABEL, 556, " /T=318 /L=a"},
        {IDC_TASK_REPLACE_CARTRIDGE, IDC_TASK_REPLACE_CARTRIDGE_LABEL, 557, " /T=305 /L=a"},
        {IDC_TASK_ALIGN, IDC_TASK_ALIGN_LABEL, 558, " /T=304 /L=a"},
        {IDC_TASK_CLEAN_CARTRIDGES, IDC_TASK_CLEAN_CARTRIDGES_LABEL, 559, " /T=311 /L=a"},
        {IDC_TASK_TEST_PAGE, IDC_TASK_TEST_PAGE_LABEL, 560, " /T=317 /L=a"},
        {IDC_TASK_CLEAN_ROLLERS, IDC_TASK_CLEAN_ROLLERS_LABEL, 561, " /T=312 /L=a"},
    };
    Maintenance m([](ModelWorld& w) { w.product.set(OptionKey::IDO_SUPPORT_CLEANROLLERS, 1); });
    for (const Row& r : rows) {
        EXPECT_EQ(m.view.GetText(r.label), "#" + std::to_string(r.text));
        EXPECT_NE(m.view.GetPicture(r.button), 0u) << r.button;
        EXPECT_NE(m.view.control(r.button).pressedPicture, m.view.GetPicture(r.button)) << r.button;
        m.companions.lines.clear();
        m.view.Click(*m.page, r.button);
        EXPECT_EQ(m.companions.lines,
                  std::vector<std::string>{"pmstatus.exe /F=" + kQuotedPrinter + r.commandLine})
            << r.button;
    }
    EXPECT_EQ(MaintainRules::TaskCode(IDC_MAINT_ORDER_INK), 0);
}

TEST(MaintainPropPage, CreationRulesByPortTypeAndCleanRollersOption)
{
    const int buttons[] = {IDC_TASK_PRINTER_STATUS, IDC_TASK_REPLACE_CARTRIDGE, IDC_TASK_ALIGN,
                           IDC_TASK_CLEAN_CARTRIDGES, IDC_TASK_TEST_PAGE, IDC_TASK_CLEAN_ROLLERS};
    struct Row {
        uint32_t portType;
        int cleanRollers;   // -1: the product does not name the option
        bool enabled[6];
        bool rollersShown;
        bool orderInkEnabled;
        uint32_t portMode;
    } rows[] = {
        {0, 1, {true, true, true, true, true, true}, true, true, 0},
        {1, -1, {true, true, true, true, true, true}, true, true, 0},
        {5, 1, {false, false, false, true, true, true}, true, true, 0},
        {6, 1, {false, false, false, true, true, true}, true, true, 0},
        {7, 0, {false, false, false, true, true, true}, false, true, 0},
        {10, 1, {false, false, false, false, false, false}, true, false, 10},
        {10, 0, {false, false, false, false, false, false}, false, false, 10},
        {12, 1, {true, true, true, true, true, true}, true, false, 0},
        {0, 0, {true, true, true, true, true, true}, false, true, 0},
        {0, 2, {true, true, true, true, true, true}, true, true, 0},
    };
    for (const Row& r : rows) {
        Maintenance m(
            [&r](ModelWorld& w) {
                if (r.cleanRollers >= 0)
                    w.product.set(OptionKey::IDO_SUPPORT_CLEANROLLERS, static_cast<uint32_t>(r.cleanRollers));
            },
            r.portType);
        const std::string row = "port " + std::to_string(r.portType) + ", rollers " + std::to_string(r.cleanRollers);
        int visible = 0;
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(m.view.IsEnabled(buttons[i]), r.enabled[i]) << row << ", button " << buttons[i];
            EXPECT_EQ(MaintainRules::TaskAvailable(buttons[i], r.portType), r.enabled[i]) << row;
            visible += m.view.IsVisible(buttons[i]) ? 1 : 0;
        }
        EXPECT_EQ(visible, r.rollersShown ? 6 : 5) << row;
        EXPECT_EQ(m.view.IsVisible(IDC_TASK_CLEAN_ROLLERS_LABEL), r.rollersShown) << row;
        EXPECT_EQ(m.view.IsEnabled(IDC_MAINT_ORDER_INK), r.orderInkEnabled) << row;
        EXPECT_TRUE(m.view.IsVisible(IDC_MAINT_ORDER_INK)) << row;
        ASSERT_NE(m.ink, nullptr);
        EXPECT_EQ(m.ink->portMode, r.portMode) << row;
        // The levels show on every port: the display has the model's words and the tanks.
        EXPECT_EQ(m.ink->words[1], 50) << row;
        EXPECT_EQ(m.view.inkTanks, std::make_pair(IDC_MAINT_INK_LEFT, IDC_MAINT_INK_RIGHT)) << row;

        // A greyed task does nothing even when a key reaches it.
        m.companions.lines.clear();
        for (int button : buttons)
            m.view.Click(*m.page, button);
        size_t expected = 0;
        for (bool on : r.enabled)
            expected += on ? 1 : 0;
        EXPECT_EQ(m.companions.lines.size(), expected) << row;
    }
}

TEST(MaintainPropPage, OrderInkGoesThroughThePagesInkDisplay)
{
    Maintenance m;
    EXPECT_EQ(m.view.GetText(IDC_MAINT_ORDER_INK), "#6924");
    m.view.Click(*m.page, IDC_MAINT_ORDER_INK);
    EXPECT_EQ(m.ink->reorders, 1);
    EXPECT_EQ(m.ink->printerName, kModelPrinter);
    EXPECT_TRUE(m.companions.lines.empty());

    // Nothing known about the ink: nothing to order from.
    Maintenance unknown([](ModelWorld& w) { w.status.known = false; });
    EXPECT_FALSE(unknown.view.IsVisible(IDC_MAINT_ORDER_INK));
    EXPECT_FALSE(unknown.view.IsEnabled(IDC_MAINT_ORDER_INK));
    unknown.view.Click(*unknown.page, IDC_MAINT_ORDER_INK);
    EXPECT_EQ(unknown.ink->reorders, 0);
}

TEST(MaintainPropPage, EnterPressesTheFocusedButtonNotTheDefaultOne)
{
    Maintenance m;
    EXPECT_EQ(m.view.PressKey(*m.page, IDC_TASK_TEST_PAGE, Key::Enter), KeyAction::PressAsSpace);
    EXPECT_EQ(m.companions.lines, std::vector<std::string>{"pmstatus.exe /F=" + kQuotedPrinter + " /T=317 /L=a"});
    EXPECT_EQ(m.view.PressKey(*m.page, IDC_MAINT_ORDER_INK, Key::Enter), KeyAction::PressAsSpace);
    EXPECT_EQ(m.ink->reorders, 1);
}

TEST(MaintainPropPage, TabFromTheLastControlGoesToTheTabStrip)
{
    struct Row {
        const char* what;
        bool inkKnown;
        int cleanRollers;
        uint32_t portType;
        int last;
    } rows[] = {
        {"order ink shown", true, 1, 0, IDC_MAINT_ORDER_INK},
        {"no ink monitoring", false, 1, 0, IDC_TASK_CLEAN_ROLLERS},
        {"no clean rollers", false, 0, 0, IDC_TASK_TEST_PAGE},
        {"port 10 greys everything", true, 1, 10, 0},
    };
    for (const Row& r : rows) {
        Maintenance m(
            [&r](ModelWorld& w) {
                w.status.known = r.inkKnown;
                w.product.set(OptionKey::IDO_SUPPORT_CLEANROLLERS, static_cast<uint32_t>(r.cleanRollers));
            },
            r.portType);
        const int ids[] = {IDC_TASK_PRINTER_STATUS, IDC_TASK_TEST_PAGE, IDC_TASK_CLEAN_ROLLERS, IDC_MAINT_ORDER_INK};
        for (int id : ids) {
            const KeyAction expected = id == r.last ? KeyAction::Handled : KeyAction::Default;
            EXPECT_EQ(m.view.PressKey(*m.page, id, Key::Tab), expected) << r.what << ", control " << id;
        }
        EXPECT_EQ(m.tabStripFocused, r.last != 0 ? 1 : 0) << r.what;
    }

    // Without a main dialog the dialog manager moves on as usual.
    Maintenance alone(nullptr, 0, false);
    EXPECT_EQ(alone.view.PressKey(*alone.page, IDC_MAINT_ORDER_INK, Key::Tab), KeyAction::Default);
}

TEST(MaintainPropPage, AltAOrAlt1OpensThePrinterErrorDialogUnderItsOption)
{
    struct Row {
        int option;   // IDO_TSC_PRINTERERRORDLG; -1 unnamed
        char key;
        bool opens;
    } rows[] = {
        {1, 'A', true}, {1, '1', true}, {1, 'B', false}, {1, '2', false},
        {0, 'A', false}, {2, '1', false}, {-1, 'A', false},
    };
    for (const Row& r : rows) {
        Maintenance m([&r](ModelWorld& w) {
            if (r.option >= 0)
                w.product.set(OptionKey::IDO_TSC_PRINTERERRORDLG, static_cast<uint32_t>(r.option));
        });
        const KeyAction action = m.view.PressKey(*m.page, IDC_TASK_ALIGN, Key::AltCharacter, r.key);
        EXPECT_EQ(action, r.opens ? KeyAction::Handled : KeyAction::Default) << r.option << " " << r.key;
        const std::vector<std::string> expected =
            r.opens ? std::vector<std::string>{"pmstatus.exe /F=" + kQuotedPrinter + " /T=422 /L=a"}
                    : std::vector<std::string>{};
        EXPECT_EQ(m.companions.lines, expected) << r.option << " " << r.key;
    }
}

}  // namespace
