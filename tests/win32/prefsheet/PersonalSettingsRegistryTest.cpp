// Personal settings slots in the real registry through drvcommon.dll's
// registry component, and the settings model's ink from its status cache.
#include "CommonLibrary_win.h"
#include "GUIPrinter.h"
#include "OptionKeys.h"
#include "PersonalSettings.h"

#include "Fakes.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include "TestSupport.h"

using namespace testsupport;

namespace {

const char kPrinter[] = "Pelmora Slots Test";
const char kOtherPrinter[] = "\\\\server\\Pelmora Other";
const std::string kRoot = "Software\\Pelmora\\PrinterSettings\\Pelmora Slots Test";
const std::string kOtherRoot = "Software\\Pelmora\\PrinterSettings\\,,server,Pelmora Other";
const std::string kPersonal = kRoot + "\\Personal";
const std::string kOtherPersonal = kOtherRoot + "\\Personal";
const char kStatusKey[] = "Software\\Pelmora\\PrinterStatus\\Pelmora Slots Test";

void putRaw(const std::string& path, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

class MessageLog : public MessageBoxes {
public:
    void Show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

void defaultRecord(LCDEVMODE& r)
{
    r.dmOrientation = 1;
    r.dmCopies = 1;
    r.dmPaperSize = 1;
    r.dmPrintQuality = -2;
    r.dmMediaType = 1;
    r.dmDuplexMode = 1;
}

// One opening of the preferences for a printer, over the real registry.
struct Opening {
    FakeProduct product;
    FakeSystemConfig config;
    DrvPrinterStatus status;
    DrvRegistry registry;
    RecordingTrace trace;
    MessageLog messages;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;

    explicit Opening(const char* printer)
    {
        product.set(OptionKey::IDO_PERSONAL_SETTINGS, 1);
        product.set(OptionKey::IDO_PMKPRINTPROP, 0);
        product.setText(OptionKey::IDO_KEY_NAME_COMPLETETOPRINT_FLAG, "CompleteToPrint");
        product.setText(OptionKey::IDO_KEY_NAME_COMPTOPRINT_PPLPA_FLAG, "CompleteToPrintLPA");
        LCWMARKINFO mark;
        std::memset(&mark, 0, sizeof mark);
        model = std::make_unique<GUIPrinter>(GUIPrinterServices{product, config, status, registry, trace, mark});
        LCDEVMODE r;
        std::memset(&r, 0, sizeof r);
        std::strcpy(r.dmPrinterName, printer);
        defaultRecord(r);
        model->LoadFrom(r);
        slots = std::make_unique<PersonalSettings>(product, registry, trace, messages, defaultRecord);
    }
    LCDEVMODE saved() const
    {
        LCDEVMODE r;
        std::memset(&r, 0, sizeof r);
        model->SaveTo(r);
        return r;
    }
};

class SlotsInRegistry : public testing::Test {
protected:
    void SetUp() override
    {
        deleteTree(kRoot, HKEY_CURRENT_USER);
        deleteTree(kOtherRoot, HKEY_CURRENT_USER);
        deleteTree(kStatusKey, HKEY_CURRENT_USER);
    }
    void TearDown() override { SetUp(); }
};

}  // namespace

TEST_F(SlotsInRegistry, FirstOpeningCreatesSlot1AndEmptySlotKeys)
{
    Opening o(kPrinter);
    o.slots->EnsureDefaults(kPrinter);
    DWORD type = 0;
    std::vector<BYTE> record = rawValue(HKEY_CURRENT_USER, kPersonal + "\\SLOT1", "Default Dev Mode", type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(record.size(), sizeof(LCDEVMODE));
    EXPECT_STREQ(reinterpret_cast<const char*>(record.data()), kPrinter);
    EXPECT_EQ(rawNumber(kPersonal + "\\SLOT1", "AutoMedia"), 1u);
    EXPECT_EQ(rawNumber(kPersonal + "\\SLOT1", "Show JSW"), 1u);
    for (int slot = 2; slot <= 6; ++slot)
        EXPECT_TRUE(keyExists(kPersonal + "\\SLOT" + std::to_string(slot), HKEY_CURRENT_USER)) << slot;
    // Slots live in the personal branch only.
    EXPECT_FALSE(keyExists(kRoot + "\\SLOT1", HKEY_CURRENT_USER));
    for (int slot = 2; slot <= 6; ++slot)
        EXPECT_EQ(o.slots->ReadSlotName(kPrinter, slot, PersonalSettings::NameRead::Quiet), "NULL");
}

TEST_F(SlotsInRegistry, SaveLoadUnderAnotherPrinterDeleteAndSaveAgain)
{
    Opening a(kPrinter);
    a.slots->EnsureDefaults(kPrinter);
    a.model->SetMediaType(265);
    a.model->SetCopies(4);
    a.model->SetCompleteToPrint(1);
    ASSERT_TRUE(a.slots->SaveToSlot(*a.model, 3, "Glossy photos"));
    DWORD type = 0;
    std::vector<BYTE> record = rawValue(HKEY_CURRENT_USER, kPersonal + "\\SLOT3", "Slot3 DevMode", type);
    ASSERT_EQ(record.size(), sizeof(LCDEVMODE));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(rawNumber(kPersonal + "\\SLOT3", "Remember CompleteToPrint"), 1u);

    // The same record as a slot of another printer.
    putRaw(kOtherPersonal + "\\SLOT3", "Slot3 DevMode", REG_BINARY, record.data(), static_cast<DWORD>(record.size()));
    Opening b(kOtherPrinter);
    ASSERT_TRUE(b.slots->LoadSlot(*b.model, 3));
    EXPECT_EQ(b.model->GetPrinterName(), kOtherPrinter);
    EXPECT_EQ(b.model->GetMediaType(), 265u);
    EXPECT_EQ(b.model->GetCopies(), 4);
    EXPECT_STREQ(b.saved().dmPrinterName, kOtherPrinter);

    ASSERT_TRUE(a.slots->DeleteSlot(kPrinter, 3));
    EXPECT_EQ(a.slots->ReadSlotName(kPrinter, 3, PersonalSettings::NameRead::Quiet), "NULL");
    EXPECT_EQ(rawValue(HKEY_CURRENT_USER, kPersonal + "\\SLOT3", "Slot3 DevMode", type), record);

    a.model->SetCopies(9);
    ASSERT_TRUE(a.slots->SaveToSlot(*a.model, 3, "Nine copies"));
    EXPECT_EQ(a.slots->ReadSlotName(kPrinter, 3, PersonalSettings::NameRead::Quiet), "Nine copies");
    Opening c(kPrinter);
    ASSERT_TRUE(c.slots->LoadSlot(*c.model, 3));
    EXPECT_EQ(c.model->GetCopies(), 9);
}

TEST_F(SlotsInRegistry, ThirtyOneCharacterNameIsStoredWithoutItsNul)
{
    Opening o(kPrinter);
    const std::string name = "A name of exactly thirty-one ch";
    ASSERT_EQ(name.size(), 31u);
    ASSERT_TRUE(o.slots->SaveToSlot(*o.model, 5, name));
    DWORD type = 0;
    std::vector<BYTE> stored = rawValue(HKEY_CURRENT_USER, kPersonal + "\\SLOT5", "Slot5 Name", type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    ASSERT_GE(stored.size(), 31u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stored.data()), 31), name);
    EXPECT_EQ(o.slots->ReadSlotName(kPrinter, 5, PersonalSettings::NameRead::Quiet), name);
}

TEST_F(SlotsInRegistry, DamagedValuesAreNeverLoaded)
{
    Opening o(kPrinter);
    o.model->SetCopies(2);
    const LCDEVMODE before = o.saved();
    std::vector<BYTE> bytes(2112, 0x41);
    struct Case {
        int slot;
        DWORD size;   // 0: missing
    };
    for (const Case& c : {Case{2, 0}, Case{3, 1055}, Case{4, 1057}, Case{5, 2112}, Case{6, 4}}) {
        SCOPED_TRACE(c.slot);
        const std::string key = kPersonal + "\\SLOT" + std::to_string(c.slot);
        const std::string value = "Slot" + std::to_string(c.slot) + " DevMode";
        if (c.size != 0)
            putRaw(key, value.c_str(), REG_BINARY, bytes.data(), c.size);
        o.messages.shown.clear();
        EXPECT_FALSE(o.slots->LoadSlot(*o.model, c.slot));
        EXPECT_EQ(o.messages.shown, std::vector<std::string>{"CAUGHT"});
        const LCDEVMODE after = o.saved();
        EXPECT_EQ(std::memcmp(&after, &before, sizeof after), 0);
    }

    // A 32-byte name without any NUL, and one too long for the buffer.
    putRaw(kPersonal + "\\SLOT2", "Slot2 Name", REG_SZ, bytes.data(), 32);
    EXPECT_EQ(o.slots->ReadSlotName(kPrinter, 2, PersonalSettings::NameRead::Quiet), std::string(31, 'A'));
    putRaw(kPersonal + "\\SLOT3", "Slot3 Name", REG_SZ, bytes.data(), 200);
    EXPECT_EQ(o.slots->ReadSlotName(kPrinter, 3, PersonalSettings::NameRead::Menu), "NULL");
    DWORD type = 0;
    EXPECT_STREQ(reinterpret_cast<const char*>(rawValue(HKEY_CURRENT_USER, kPersonal + "\\SLOT3", "Slot3 Name", type).data()), "NULL");

    // A damaged default record is replaced by a generated one.
    putRaw(kPersonal + "\\SLOT1", "Default Dev Mode", REG_BINARY, bytes.data(), 700);
    o.slots->EnsureDefaults(kPrinter);
    EXPECT_EQ(rawValue(HKEY_CURRENT_USER, kPersonal + "\\SLOT1", "Default Dev Mode", type).size(), sizeof(LCDEVMODE));
    EXPECT_TRUE(o.slots->RestoreDefaults(*o.model));
    EXPECT_EQ(o.model->GetCopies(), 1);
}

TEST_F(SlotsInRegistry, SnapshotsRoundTripAndFallBackToTheDefaults)
{
    Opening o(kPrinter);
    o.slots->EnsureDefaults(kPrinter);
    o.model->SetMediaType(3);
    o.model->SetCopies(6);
    const LCDEVMODE before = o.saved();
    ASSERT_TRUE(o.slots->SaveSnapshot(*o.model, SnapshotKind::EdgeToEdge));
    o.model->SetPaperFlags(0x1000);
    o.model->SetCopies(1);
    ASSERT_TRUE(o.slots->RestoreSnapshot(*o.model, SnapshotKind::EdgeToEdge));
    const LCDEVMODE after = o.saved();
    EXPECT_EQ(std::memcmp(&after, &before, sizeof after), 0);

    // No "ENV" yet: the defaults stand in and are stored as the snapshot.
    ASSERT_TRUE(o.slots->RestoreSnapshot(*o.model, SnapshotKind::Envelope));
    EXPECT_EQ(o.model->GetCopies(), 1);
    DWORD type = 0;
    EXPECT_EQ(rawValue(HKEY_CURRENT_USER, kRoot + "\\ENV", "Previous DevMode", type).size(), sizeof(LCDEVMODE));
}

TEST_F(SlotsInRegistry, InkFromTheStatusCache)
{
    Opening o(kPrinter);
    INKINFO ink;
    std::memset(ink.bytes, 0, sizeof ink.bytes);
    o.model->SetInkInfo2(ink, kPrinter);
    for (uint32_t word = 0; word < 10; ++word)
        EXPECT_EQ(o.model->GetInkWord(word), InkWord::NoStatus) << word;

    const DWORD style = 3;
    const DWORD level4 = 55;
    const DWORD cart = 0x80;
    putRaw(kStatusKey, "InkStyle", REG_DWORD, &style, 4);
    putRaw(kStatusKey, "InkPercent4", REG_DWORD, &level4, 4);
    putRaw(kStatusKey, "LogCartId2", REG_DWORD, &cart, 4);
    o.model->SetInkInfo2(ink, kPrinter);
    EXPECT_EQ(o.model->GetInkWord(InkWord::Style), 3);
    EXPECT_EQ(o.model->GetInkWord(InkWord::FirstLevel + 3), 55);
    EXPECT_EQ(o.model->GetInkWord(InkWord::FirstLevel), 0);
    EXPECT_EQ(o.model->GetLogicalCartridge2(), 0x80u);
}

// The watermark store learns the list's size from the real registry
// component before it allocates: a stored list loads whole, and a count the
// list cannot back shows the default watermark and leaves both values.
TEST_F(SlotsInRegistry, WatermarkListSizeIsKnownBeforeAllocating)
{
    const std::string prp = kRoot + "\\PRP";
    FakeProduct product;
    product.setText(OptionKey::IDO_KEY_NAME_WATERMARK_COUNT, "WMCount");
    product.setText(OptionKey::IDO_KEY_NAME_WATERMARK, "WMList");
    DrvRegistry registry;
    RecordingTrace trace;
    LCWMARKINFO fallback;
    std::memset(&fallback, 0, sizeof fallback);
    std::strcpy(fallback.wmName, "Default");
    std::vector<LCWMARKINFO> marks(3, fallback);
    for (std::size_t i = 0; i < marks.size(); ++i)
        marks[i].wmIndex = static_cast<uint32_t>(i + 1);
    putRaw(prp, "WMList", REG_BINARY, marks.data(), 3 * sizeof(LCWMARKINFO));

    const struct {
        DWORD count;
        uint32_t loaded;
        uint32_t firstIndex;
    } cases[] = {{3, 3, 1}, {5000000, 1, 0}, {0, 1, 0}, {2, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        putRaw(prp, "WMCount", REG_DWORD, &c.count, sizeof c.count);
        GUIFeatures features(product, registry, trace, fallback);
        EXPECT_EQ(features.SetWatermarkInitialInfo(kPrinter), 0);
        std::vector<LCWMARKINFO> list(features.GetCurWatermarkCount());
        features.GetCurWatermarkList(list.data());
        ASSERT_EQ(list.size(), c.loaded);
        EXPECT_EQ(list[0].wmIndex, c.firstIndex);
        EXPECT_EQ(rawNumber(prp, "WMCount"), c.count);
        DWORD type = 0;
        EXPECT_EQ(rawValue(HKEY_CURRENT_USER, prp, "WMList", type).size(), 3 * sizeof(LCWMARKINFO));
    }
}
