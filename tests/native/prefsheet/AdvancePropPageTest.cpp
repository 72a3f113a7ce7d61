// The advanced page through the in-memory view over a real settings model:
// the layout list and its embedded sheet, the two-sided controls and the
// port rules.
#include "AdvancePropPage.h"
#include "MemoryView.h"
#include "ModelFakes.h"
#include "PersonalSettings.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace AdvanceRules;

struct Opening {
    ModelWorld world;
    SilentMessages messages;
    RecordingCompanions companions;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    std::unique_ptr<AdvancePropPage> page;
    MemoryView view;

    explicit Opening(const std::function<void(ModelWorld&)>& configure = nullptr)
    {
        world.product.set(OptionKey::IDO_IMAGE_SHARPENING, 1);
        if (configure)
            configure(world);
        model = world.make();
        LCDEVMODE record = PlainRecord();
        model->LoadFrom(record);
        slots = std::make_unique<PersonalSettings>(world.product, world.registry, world.trace, messages,
                                                   [](LCDEVMODE&) {});
        PageContext context{world.product, world.registry, *slots, world.trace, companions,
                            [] { return std::make_unique<PortableInkDisplay>(); }, '.', nullptr};
        page = std::make_unique<AdvancePropPage>(context);
        page->SetPrinter(model.get());
    }
    void open() { page->OnInit(view); }
    void chooseLayout(int entry) { view.Select(*page, IDC_ADV_LAYOUT_LIST, entry); }
    void chooseData(int control, int32_t data)
    {
        for (int i = 0; i < view.GetListCount(control); ++i)
            if (view.GetListData(control, i) == data)
                return view.Select(*page, control, i);
        ADD_FAILURE() << "no entry " << data << " in list " << control;
    }
};

TEST(AdvanceRules, EntryForTheModelsLayout)
{
    struct Row {
        uint32_t flags;
        int32_t layout, pageLayout;
        int entry;
    } rows[] = {{0, 0, 0, 0},      {0, 0, 1, 1},      {0, 1, 0, 2}, {0, 2, 0, 3}, {0, 4, 0, 4},
                {0x4000, 3, 0, 5}, {0x1000, 7, 0, 6}, {0x1000, 0, 0, 6}, {0, 1, 1, 2}, {0, 9, 0, 0}};
    for (const Row& r : rows)
        EXPECT_EQ(EntryForModel(r.flags, r.layout, r.pageLayout), r.entry)
            << std::hex << r.flags << std::dec << " layout " << r.layout << " page layout " << r.pageLayout;
    // Every entry shows its own page of the sheet, in the sheet's order.
    for (int i = 0; i < kLayoutCount; ++i)
        EXPECT_EQ(Entry(i).sheetPage, i);
}

TEST(AdvancePage, ChoosingALayoutSetsItAndShowsItsPage)
{
    struct Row {
        int entry;
        int32_t layout, pageLayout, duplex;   // after the choice, starting one-sided
    } rows[] = {{0, 0, 0, 1}, {1, 0, 1, 1}, {2, 1, 0, 1}, {3, 2, 0, 2}, {4, 4, 0, 1}};
    for (const Row& r : rows) {
        Opening o;
        o.open();
        EXPECT_EQ(o.view.sheetPages.size(), 7u);
        EXPECT_EQ(o.view.sheetPageShown, 0);
        o.chooseLayout(r.entry);
        SCOPED_TRACE("entry " + std::to_string(r.entry));
        EXPECT_EQ(o.model->GetLayoutCode(), r.layout);
        EXPECT_EQ(o.model->GetFeatureWord14C(), r.pageLayout);
        EXPECT_EQ(o.model->GetDuplexMode(), r.duplex);
        EXPECT_EQ(o.view.sheetPageShown, r.entry);
        EXPECT_EQ(o.view.focus, IDC_ADV_LAYOUT_LIST);
        EXPECT_EQ(o.view.IsEnabled(IDC_ADV_BIND_LONG), r.layout != 2);   // a booklet binds on its fold
    }
    // Leaving the booklet ends its two-sided printing.
    Opening o;
    o.open();
    o.chooseLayout(3);
    o.chooseLayout(0);
    EXPECT_EQ(o.model->GetDuplexMode(), 1);
    EXPECT_EQ(o.model->GetLayoutCode(), 0);
}

TEST(AdvancePage, PaperCategoryFixesTheLayout)
{
    for (uint32_t flags : {0x1000u, 0x4000u}) {
        Opening o;
        o.model->SetPaperFlags(flags);
        o.model->SetLayoutCode(flags == 0x1000 ? 7 : 3);
        o.open();
        EXPECT_FALSE(o.view.IsEnabled(IDC_ADV_LAYOUT_LIST)) << std::hex << flags;
        EXPECT_EQ(o.view.sheetPageShown, flags == 0x1000 ? 6 : 5);
    }
}

TEST(AdvancePage, BindingActsOnlyOnAChangeOutsideABooklet)
{
    Opening o;
    o.open();
    o.view.Click(*o.page, IDC_ADV_BIND_SHORT_PICTURE);
    EXPECT_EQ(o.model->GetDuplexMode(), 3);
    EXPECT_TRUE(o.view.GetCheck(IDC_ADV_BIND_SHORT));
    EXPECT_FALSE(o.view.GetCheck(IDC_ADV_BIND_LONG));
    o.view.Click(*o.page, IDC_ADV_BIND_LONG);
    EXPECT_EQ(o.model->GetDuplexMode(), 2);
    o.model->SetLayoutCode(2);
    o.view.Click(*o.page, IDC_ADV_BIND_SHORT);
    EXPECT_EQ(o.model->GetDuplexMode(), 2);
}

TEST(AdvancePage, MethodStartsAndEndsTwoSidedAndGatesDryTime)
{
    struct Row {
        int32_t startDuplex, method, duplex;
        bool dryTime;
    } rows[] = {{1, 2, 2, true}, {3, 3, 3, true}, {2, 0, 1, false}, {1, 1, 2, false}, {3, 1, 3, false}};
    for (const Row& r : rows) {
        Opening o;
        o.model->SetDuplexMode(r.startDuplex);
        o.model->SetDuplexMethod(r.method == 0 ? 2 : 0);
        o.open();
        o.chooseData(IDC_ADV_METHOD, r.method);
        SCOPED_TRACE("from " + std::to_string(r.startDuplex) + " method " + std::to_string(r.method));
        EXPECT_EQ(o.model->GetDuplexMethod(), r.method);
        EXPECT_EQ(o.model->GetDuplexMode(), r.duplex);
        EXPECT_EQ(o.view.IsEnabled(IDC_ADV_DRY_TIME), r.dryTime);
    }
    Opening o;
    o.model->SetDuplexMethod(2);
    o.open();
    o.chooseData(IDC_ADV_DRY_TIME, 2);
    EXPECT_EQ(o.model->GetDryTime(), 2);
}

TEST(AdvancePage, PortsWithoutTwoWayLockTheTwoSidedControls)
{
    struct Row {
        uint32_t port;
        uint32_t autoDuplex;
        bool locked;
    } rows[] = {{0, 0, false}, {5, 0, true}, {6, 0, true}, {7, 2, true}, {10, 0, true}, {10, 1, false}, {12, 0, false}};
    for (const Row& r : rows) {
        Opening o;
        o.model->SetPortType(r.port);
        o.model->SetAutoDuplexSupport(r.autoDuplex);
        o.model->SetPrintWord140(2);
        o.open();
        SCOPED_TRACE("port " + std::to_string(r.port) + " automatic duplex " + std::to_string(r.autoDuplex));
        EXPECT_EQ(o.model->GetPrintWord140(), r.locked ? 1 : 2);
        EXPECT_EQ(o.view.GetCheck(IDC_ADV_PRINT_OPTION), !r.locked);
        for (int id : {IDC_ADV_PRINT_OPTION, IDC_ADV_BIND_LONG, IDC_ADV_BIND_SHORT, IDC_ADV_METHOD})
            EXPECT_EQ(o.view.IsEnabled(id), !r.locked) << id;
        EXPECT_EQ(o.view.IsEnabled(IDC_ADV_STATUS_LINK), r.port != 10);
    }
    Opening o;
    o.model->SetPrintWord140(2);
    o.open();
    o.view.Click(*o.page, IDC_ADV_PRINT_OPTION);
    EXPECT_EQ(o.model->GetPrintWord140(), 1);
    o.view.Click(*o.page, IDC_ADV_PRINT_OPTION);
    EXPECT_EQ(o.model->GetPrintWord140(), 2);
}

TEST(AdvancePage, SharpeningStatusProgramAndMoreOptions)
{
    for (uint32_t offered : {0u, 1u}) {
        Opening o([&](ModelWorld& w) {
            w.product.set(OptionKey::IDO_IMAGE_SHARPENING, offered);
            w.product.set(OptionKey::IDO_USESIDEFLIPTYPICAL, offered);
        });
        o.view.strings = {{IDS_SIDE_FLIP, "flip"}, {IDS_SIDE_FLIP_TYPICAL, "typical"}};
        o.model->SetPlainSharpening(0);
        o.open();
        EXPECT_EQ(o.view.IsVisible(IDC_ADV_SHARPENING), offered == 1);
        EXPECT_EQ(o.view.IsVisible(IDC_ADV_SHARPENING_PICTURE), offered == 1);
        EXPECT_EQ(o.view.GetText(IDC_ADV_SIDE_FLIP_LABEL), offered == 1 ? "typical" : "flip");
        o.view.Click(*o.page, IDC_ADV_SHARPENING);
        EXPECT_EQ(o.model->GetPlainSharpening(), offered == 1 ? 1 : 0);
    }
    Opening o;
    o.open();
    o.view.Click(*o.page, IDC_ADV_STATUS_LINK);
    EXPECT_EQ(o.companions.launched, std::vector<std::string>{std::string(kModelPrinter) + " 100"});
    o.view.Click(*o.page, IDC_ADV_MORE_OPTIONS);
    EXPECT_EQ(o.view.dialogsRun, std::vector<int>{6709});
}

}  // namespace
