#include "PersonalSettings.h"

#include "Options.h"
#include "PrinterValues.h"

#include <cstring>
#include <utility>

namespace {

const char kDefaultRecordValue[] = "Default Dev Mode";
const char kAutoMediaKey[] = "AUTOMEDIA";
const char kAutoMediaValue[] = "Auto Media";
const char kRememberKey[] = "PRP";
const char kRememberTypeValue[] = "Remember Type";
const char kSlotAutoMedia[] = "AutoMedia";
const char kInternalAutoMedia[] = "Internal Automedia";
const char kRememberCompleteToPrint[] = "Remember CompleteToPrint";
const char kRememberUseColorForBlack[] = "Remember UseColorForBlack";
const char kRememberJobProgress[] = "Rem Job Progress Minimized";
const char kRememberProcessWindow[] = "Rem Show Process Window";
const char kRememberInkLevels[] = "RemShowInkLevels";
const char kRememberNumPages[] = "RemShowNumPages";
const char kSound[] = "Sound";
const char kPreviousRecord[] = "Previous DevMode";

std::string slotKey(int slot)
{
    return "SLOT" + std::to_string(slot);
}

std::string slotNameValue(int slot)
{
    return "Slot" + std::to_string(slot) + " Name";
}

std::string slotRecordValue(int slot)
{
    return "Slot" + std::to_string(slot) + " DevMode";
}

bool isPersonalSlot(int slot)
{
    return slot >= kFirstPersonalSlot && slot <= kLastPersonalSlot;
}

struct SnapshotNames {
    const char* subKey;
    const char* missingTrace;
    const char* noDefaultsTrace;
};

SnapshotNames snapshotNames(SnapshotKind kind)
{
    if (kind == SnapshotKind::Envelope)
        return {"ENV", "PageSetupPropPage::OnEnvelope()()::ENV not created in registry",
                "PageSetupPropPage::OnEnvelope()():SLOT 1 not created in registry!"};
    return {"E2E", "PageSetupPropPage::OnEdgeToEdge()::E2E not created in registry",
            "PageSetupPropPage::OnEdgeToEdge():SLOT 1 not created in registry!"};
}

}  // namespace

PersonalSettings::PersonalSettings(const ProductOptions& product, RegistryComponent& registry, Trace& trace,
                                   MessageBoxes& messages, DefaultRecordGenerator generateDefault)
    : product_(product),
      registry_(registry),
      trace_(trace),
      messages_(messages),
      generateDefault_(std::move(generateDefault)),
      personalMode_(Options(product).equals(OptionKey::IDO_PERSONAL_SETTINGS, 1)),
      // OEMPropDlg is the main window that shows the status-program options.
      statusOptionsShown_(Options(product).equals(OptionKey::IDO_PMKPRINTPROP, 0)),
      inkLevelsShown_(Options(product).equals(OptionKey::IDO_DISPLAY_INKLEVELS_OPTION, 1)),
      pagesRemainingShown_(Options(product).equals(OptionKey::IDO_DISPLAY_PAGE_REMAINING_OPTION, 1)),
      didYouKnowOffered_(Options(product).equals(OptionKey::IDO_SUPPORT_DIDYOUKNOWTIPS, 1)),
      soundShown_(Options(product).equals(OptionKey::IDO_HIDE_SOUND_OPTION, 0)),
      balloonOffered_(Options(product).equals(OptionKey::IDO_CATS_GUI_SUPPORTED, 1)),
      completeToPrintName_(Options(product).text(OptionKey::IDO_KEY_NAME_COMPLETETOPRINT_FLAG)),
      companionName_(Options(product).text(OptionKey::IDO_KEY_NAME_COMPTOPRINT_PPLPA_FLAG)),
      didYouKnowName_(Options(product).text(OptionKey::IDO_KEY_NAME_SHOWDIDYOUKNOWTIP)),
      balloonName_(Options(product).text(OptionKey::IDO_SHOWBUBBLEWARNING_KEYNAME))
{
}

// A number is exactly four bytes; anything else counts as missing.
bool PersonalSettings::readNumber(const std::string& valueName, uint32_t& value)
{
    uint32_t buffer = 0;
    try {
        if (registry_.Read(valueName, &buffer, sizeof buffer) != sizeof buffer)
            return false;
    } catch (const RegistryReadError&) {
        return false;
    }
    value = buffer;
    return true;
}

uint32_t PersonalSettings::readNumberOr(const std::string& valueName, uint32_t fallback, bool writeBack)
{
    uint32_t value = 0;
    if (readNumber(valueName, value))
        return value;
    if (writeBack)
        writeNumber(valueName, fallback);
    return fallback;
}

void PersonalSettings::writeNumber(const std::string& valueName, uint32_t value)
{
    if (!registry_.Write(valueName, kRegNumber, &value, sizeof value))
        trace_.OutputData("PersonalSettings: writing " + valueName + " failed");
}

// The record is read into a buffer of its own and handed out only when the
// value filled exactly all 1056 bytes.
bool PersonalSettings::readRecord(const std::string& valueName, LCDEVMODE& record)
{
    LCDEVMODE buffer;
    std::memset(&buffer, 0, sizeof buffer);
    uint32_t read = 0;
    try {
        read = registry_.Read(valueName, &buffer, sizeof buffer);
    } catch (const RegistryReadError&) {
        return false;
    }
    if (read != sizeof buffer) {
        trace_.OutputData("PersonalSettings: " + valueName + " holds " + std::to_string(read) +
                          " bytes, not a whole record");
        return false;
    }
    record = buffer;
    return true;
}

void PersonalSettings::writeRecord(const std::string& valueName, const GUIPrinter& model)
{
    LCDEVMODE record;
    std::memset(&record, 0, sizeof record);
    model.SaveTo(record);
    if (!registry_.Write(valueName, kRegBinary, &record, sizeof record))
        trace_.OutputData("PersonalSettings: writing " + valueName + " failed");
}

uint32_t PersonalSettings::readPrinterValue(const std::string& printerName, const char* subKey,
                                            const char* valueName, uint32_t fallback)
{
    OpenPrinterKey key(registry_, printerName, subKey, false);
    return readNumberOr(valueName, fallback, true);
}

void PersonalSettings::writePrinterValue(const std::string& printerName, const char* subKey, const char* valueName,
                                         uint32_t value)
{
    OpenPrinterKey key(registry_, printerName, subKey, false);
    writeNumber(valueName, value);
}

// A stored record may come from another printer: it takes the current name.
void PersonalSettings::loadRecord(GUIPrinter& model, LCDEVMODE& record)
{
    const std::string& name = model.GetPrinterName();
    std::memset(record.dmPrinterName, 0, sizeof record.dmPrinterName);
    std::memcpy(record.dmPrinterName, name.c_str(), name.size());
    model.LoadFrom(record);
}

void PersonalSettings::EnsureDefaults(const std::string& printerName)
{
    {
        OpenPrinterKey key(registry_, printerName, slotKey(1), personalMode_);
        LCDEVMODE stored;
        if (!readRecord(kDefaultRecordValue, stored)) {
            LCDEVMODE record;
            std::memset(&record, 0, sizeof record);
            std::strncpy(record.dmPrinterName, printerName.c_str(), sizeof record.dmPrinterName - 1);
            generateDefault_(record);
            if (!registry_.Write(kDefaultRecordValue, kRegBinary, &record, sizeof record))
                trace_.OutputData("PersonalSettings: writing the default record failed");
            writeNumber(kSlotAutoMedia, 1);
            writeNumber("Show JSW", 1);
        }
    }
    for (int slot = kFirstPersonalSlot; slot <= kLastPersonalSlot; ++slot)
        OpenPrinterKey key(registry_, printerName, slotKey(slot), personalMode_);
}

// Names are 31 bytes without a NUL when they are that long: the buffer is
// one byte larger and zero-filled, and the text ends at the 31st byte.
std::string PersonalSettings::ReadSlotName(const std::string& printerName, int slot, NameRead mode)
{
    if (!isPersonalSlot(slot))
        return kEmptySlotName;
    OpenPrinterKey key(registry_, printerName, slotKey(slot), personalMode_);
    char buffer[kSlotNameBytes + 1] = {};
    uint32_t read = 0;
    bool readable = true;
    try {
        read = registry_.Read(slotNameValue(slot), buffer, sizeof buffer);
    } catch (const RegistryReadError&) {
        readable = false;
    }
    if (!readable) {
        if (mode == NameRead::ManageDialog)
            messages_.Show("Error Reading Registry");
        else if (mode == NameRead::Menu)
            registry_.Write(slotNameValue(slot), kRegText, kEmptySlotName, sizeof kEmptySlotName);
        return kEmptySlotName;
    }
    const uint32_t limit = read < kSlotNameBytes ? read : kSlotNameBytes;
    return std::string(buffer, strnlen(buffer, limit));
}

std::string PersonalSettings::DisplayName(const std::string& storedName)
{
    return storedName == kEmptySlotName ? kEmptySlotDisplay : storedName;
}

bool PersonalSettings::SaveToSlot(GUIPrinter& model, int slot, const std::string& typedName)
{
    char name[kSlotNameBytes + 1] = {};
    std::strncpy(name, typedName.c_str(), kSlotNameBytes);
    // "<Empty>" is what the dialogs show for an empty slot; saving under it
    // writes nothing at all, not even the values read beforehand.
    if (!isPersonalSlot(slot) || std::strcmp(name, kEmptySlotDisplay) == 0)
        return false;

    const std::string& printer = model.GetPrinterName();
    const uint32_t autoMedia = readPrinterValue(printer, kAutoMediaKey, kAutoMediaValue, 1);
    const uint32_t rememberType = readPrinterValue(printer, kRememberKey, kRememberTypeValue, 0);

    OpenPrinterKey key(registry_, printer, slotKey(slot), personalMode_);
    if (!registry_.Write(slotNameValue(slot), kRegText, name, kSlotNameBytes))
        trace_.OutputData("PersonalSettings: writing " + slotNameValue(slot) + " failed");
    writeRecord(slotRecordValue(slot), model);
    writeNumber(kSlotAutoMedia, static_cast<uint32_t>(model.GetAutoMediaValue1()));
    writeNumber(kRememberTypeValue, rememberType);
    // Loading the set later writes its automatic media back to "AUTOMEDIA"
    // only when this is nonzero: it keeps the printer's setting at saving.
    writeNumber(kInternalAutoMedia, autoMedia);

    const StatusProgramOptions& status = model.StatusOptions();
    if (statusOptionsShown_) {
        writeNumber(kRememberCompleteToPrint, static_cast<uint32_t>(status.completeToPrint));
        writeNumber(kRememberUseColorForBlack, status.completeToPrint != 0 ? 1 : 0);
        writeNumber(kRememberJobProgress, static_cast<uint32_t>(status.jobProgressMinimized));
        writeNumber(kRememberProcessWindow, static_cast<uint32_t>(status.showProcessWindow));
        if (inkLevelsShown_)
            writeNumber(kRememberInkLevels, static_cast<uint32_t>(status.showInkLevels));
        if (pagesRemainingShown_)
            writeNumber(kRememberNumPages, static_cast<uint32_t>(status.showNumberOfPages));
    }
    if (didYouKnowOffered_)
        writeNumber(didYouKnowName_, static_cast<uint32_t>(status.didYouKnowTips));
    if (soundShown_)
        writeNumber(kSound, static_cast<uint32_t>(status.sound));
    if (balloonOffered_)
        writeNumber(balloonName_, static_cast<uint32_t>(status.balloonTips));
    return true;
}

// The set's own automatic media, unless the port cannot report media; then
// the printer's "AUTOMEDIA" follows when the set says so, else detection is off.
void PersonalSettings::applyAutoMedia(GUIPrinter& model, bool haveAutoMedia, uint32_t autoMedia,
                                      uint32_t internalAutoMedia)
{
    if (IsPortWithoutTwoWay(model.GetPortType())) {
        model.SetAutoMediaValue1(0);
        model.SetAutoMediaValue2(0);
        model.SetAutoMedia(0);
    } else if (haveAutoMedia) {
        model.SetAutoMediaValue1(static_cast<int32_t>(autoMedia));
        model.SetAutoMediaValue2(static_cast<int32_t>(autoMedia));
        model.CheckConflicts();
    }
    if (internalAutoMedia != 0) {
        writePrinterValue(model.GetPrinterName(), kAutoMediaKey, kAutoMediaValue,
                          static_cast<uint32_t>(model.GetAutoMediaValue1()));
    } else {
        model.SetAutoMediaValue1(0);
        model.SetAutoMediaValue2(0);
        model.SetAutoMedia(0);
        model.CheckConflicts();
    }
}

void PersonalSettings::applyExtras(GUIPrinter& model, const std::string& subKey, bool statusValues)
{
    uint32_t autoMedia = 0;
    bool haveAutoMedia = false;
    uint32_t internalAutoMedia = 1;
    {
        OpenPrinterKey key(registry_, model.GetPrinterName(), subKey, personalMode_);
        haveAutoMedia = readNumber(kSlotAutoMedia, autoMedia);
        internalAutoMedia = readNumberOr(kInternalAutoMedia, 1, false);

        uint32_t completeToPrint = 0;
        if (!readNumber(kRememberCompleteToPrint, completeToPrint))
            writeNumber(completeToPrintName_, 0);
        model.SetCompleteToPrint(static_cast<int32_t>(completeToPrint));
        uint32_t useColorForBlack = 0;
        if (!readNumber(kRememberUseColorForBlack, useColorForBlack))
            writeNumber(companionName_, 0);

        if (statusValues && statusOptionsShown_) {
            StatusProgramOptions& status = model.StatusOptions();
            uint32_t value = 0;
            if (readNumber(kRememberJobProgress, value))
                status.jobProgressMinimized = static_cast<int32_t>(value);
            else
                messages_.Show("CAUGHT");
            if (readNumber(kRememberProcessWindow, value))
                status.showProcessWindow = static_cast<int32_t>(value);
            else
                messages_.Show("CAUGHT");
            if (inkLevelsShown_ && readNumber(kRememberInkLevels, value))
                status.showInkLevels = static_cast<int32_t>(value);
            if (pagesRemainingShown_ && readNumber(kRememberNumPages, value))
                status.showNumberOfPages = static_cast<int32_t>(value);
            if (balloonOffered_)
                status.balloonTips = static_cast<int32_t>(readNumberOr(balloonName_, 1, false));
            if (didYouKnowOffered_)
                status.didYouKnowTips = static_cast<int32_t>(readNumberOr(didYouKnowName_, 0, false));
            if (soundShown_ && readNumber(kSound, value))
                status.sound = static_cast<int32_t>(value);
        }
    }
    applyAutoMedia(model, haveAutoMedia, autoMedia, internalAutoMedia);
}

bool PersonalSettings::LoadSlot(GUIPrinter& model, int slot)
{
    if (!isPersonalSlot(slot))
        return false;
    LCDEVMODE record;
    bool whole = false;
    {
        OpenPrinterKey key(registry_, model.GetPrinterName(), slotKey(slot), personalMode_);
        whole = readRecord(slotRecordValue(slot), record);
    }
    if (!whole) {
        messages_.Show("CAUGHT");
        return false;
    }
    loadRecord(model, record);
    applyExtras(model, slotKey(slot), true);
    return true;
}

// Without a whole default record nothing of the restore runs: the
// adjustments below only make sense on top of the defaults.
bool PersonalSettings::RestoreDefaults(GUIPrinter& model)
{
    LCDEVMODE record;
    bool whole = false;
    {
        OpenPrinterKey key(registry_, model.GetPrinterName(), slotKey(1), personalMode_);
        whole = readRecord(kDefaultRecordValue, record);
    }
    if (!whole)
        return false;
    loadRecord(model, record);

    // The main window's start-up normalisation of two-sided printing.
    if (model.GetAutoDuplexSupport() == 1 && model.GetDuplexUnitPresent() != 1 && model.GetDuplexMode() != 1) {
        model.SetDuplexMode(1);
        model.SetDuplexMethod(0);
    }
    applyExtras(model, slotKey(1), false);

    const Options options(product_);
    if (IsPortWithoutTwoWay(model.GetPortType())) {
        const bool autoQuality = options.equals(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, 1) ||
                                 options.equals(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, 2);
        model.SetPrintQuality(autoQuality ? -99 : -2);
        model.CheckConflicts();
        model.SetMediaType(1);
        model.CheckConflicts();
    }
    model.ReadDefaultSizes();
    if (options.equals(OptionKey::IDO_VENDRA_INKLOW_WARNING_OPTION, 1) ||
        options.equals(OptionKey::IDO_SUPPORT_COMPLETE_A_PRINT, 1))
        model.SetCompleteToPrint(0);
    resetStatusOptions(model);
    return true;
}

void PersonalSettings::resetStatusOptions(GUIPrinter& model)
{
    const Options options(product_);
    StatusProgramOptions& status = model.StatusOptions();
    status.jobProgressMinimized = options.equals(OptionKey::IDO_DEFAULT_JSW_MINIMIZED, 0) ? 0 : 1;
    status.showProcessWindow = 1;
    if (inkLevelsShown_)
        status.showInkLevels = 0;
    if (pagesRemainingShown_)
        status.showNumberOfPages = 0;
    if (balloonOffered_)
        status.balloonTips = 1;
    if (didYouKnowOffered_)
        status.didYouKnowTips = 0;
    if (soundShown_)
        status.sound = options.equals(OptionKey::IDO_DEFAULT_SOUND, 0) ? 0 : 1;
}

bool PersonalSettings::DeleteSlot(const std::string& printerName, int slot)
{
    if (!isPersonalSlot(slot))
        return false;
    OpenPrinterKey key(registry_, printerName, slotKey(slot), personalMode_);
    return registry_.Write(slotNameValue(slot), kRegText, kEmptySlotName, sizeof kEmptySlotName);
}

bool PersonalSettings::SaveSnapshot(GUIPrinter& model, SnapshotKind kind)
{
    const std::string& printer = model.GetPrinterName();
    const uint32_t autoMedia = readPrinterValue(printer, kAutoMediaKey, kAutoMediaValue, 1);
    const uint32_t rememberType = readPrinterValue(printer, kRememberKey, kRememberTypeValue, 0);
    OpenPrinterKey key(registry_, printer, snapshotNames(kind).subKey, false);
    writeRecord(kPreviousRecord, model);
    writeNumber(kSlotAutoMedia, static_cast<uint32_t>(model.GetAutoMediaValue1()));
    writeNumber(kRememberTypeValue, rememberType);
    // As with the slots: leaving the mode writes its automatic media back to
    // "AUTOMEDIA" when the printer had it on at entry.
    writeNumber(kInternalAutoMedia, autoMedia);
    return true;
}

bool PersonalSettings::RestoreSnapshot(GUIPrinter& model, SnapshotKind kind)
{
    const SnapshotNames names = snapshotNames(kind);
    const std::string printer = model.GetPrinterName();
    LCDEVMODE record;
    bool whole = false;
    {
        OpenPrinterKey key(registry_, printer, names.subKey, false);
        whole = readRecord(kPreviousRecord, record);
    }
    if (!whole) {
        trace_.OutputData(names.missingTrace);
        {
            OpenPrinterKey key(registry_, printer, slotKey(1), personalMode_);
            whole = readRecord(kDefaultRecordValue, record);
        }
        if (!whole) {
            trace_.OutputData(names.noDefaultsTrace);
            return false;
        }
        OpenPrinterKey key(registry_, printer, names.subKey, false);
        if (!registry_.Write(kPreviousRecord, kRegBinary, &record, sizeof record))
            trace_.OutputData(std::string("PersonalSettings: writing ") + names.subKey + " failed");
    }
    loadRecord(model, record);

    uint32_t autoMedia = 0;
    bool haveAutoMedia = false;
    uint32_t internalAutoMedia = 1;
    {
        OpenPrinterKey key(registry_, printer, names.subKey, false);
        haveAutoMedia = readNumber(kSlotAutoMedia, autoMedia);
        internalAutoMedia = readNumberOr(kInternalAutoMedia, 1, false);
    }
    if (IsPortWithoutTwoWay(model.GetPortType())) {
        model.SetAutoMediaValue1(0);
        model.SetAutoMediaValue2(0);
        model.SetAutoMedia(0);
        model.SetMediaType(1);
    } else if (haveAutoMedia) {
        model.SetAutoMediaValue1(static_cast<int32_t>(autoMedia));
        model.SetAutoMediaValue2(static_cast<int32_t>(autoMedia));
    }
    if (internalAutoMedia != 0) {
        writePrinterValue(printer, kAutoMediaKey, kAutoMediaValue, static_cast<uint32_t>(model.GetAutoMediaValue1()));
    } else {
        model.SetAutoMediaValue1(0);
        model.SetAutoMediaValue2(0);
        model.SetAutoMedia(0);
    }
    return true;
}
