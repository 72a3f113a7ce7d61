// Personal settings slots and the stored records under the printer's
// settings key: the factory defaults in "SLOT1", five named sets in "SLOT2"
// to "SLOT6", and the "E2E"/"ENV" snapshots taken before borderless or
// envelope printing. These are the operations the main windows, their
// dialogs and the page setup page call.
//
// Every record read from the registry is taken whole or not at all: a value
// that is missing, shorter or longer than 1056 bytes never reaches the model.
#pragma once

#include "CommonLibrary.h"
#include "GUIPrinter.h"
#include "LcDevMode.h"

#include <functional>
#include <string>

// User messages; the real one is a message box.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void Show(const std::string& text) = 0;
};

// Fills a record, whose printer name is already set, with the factory
// settings (PPDefaultGenDevMode).
using DefaultRecordGenerator = std::function<void(LCDEVMODE&)>;

enum class SnapshotKind { EdgeToEdge, Envelope };   // sub-keys "E2E", "ENV"

constexpr char kEmptySlotName[] = "NULL";
constexpr char kEmptySlotDisplay[] = "<Empty>";
constexpr int kFirstPersonalSlot = 2;
constexpr int kLastPersonalSlot = 6;
constexpr uint32_t kSlotNameBytes = 31;

class PersonalSettings {
public:
    PersonalSettings(const ProductOptions& product, RegistryComponent& registry, Trace& trace, MessageBoxes& messages,
                     DefaultRecordGenerator generateDefault);
    PersonalSettings(const PersonalSettings&) = delete;
    PersonalSettings& operator=(const PersonalSettings&) = delete;

    // "SLOT1" with a default record when it has none (or a damaged one),
    // then the keys "SLOT2" to "SLOT6".
    void EnsureDefaults(const std::string& printerName);

    enum class NameRead {
        Quiet,          // a failure reads as "NULL"
        ManageDialog,   // a failure shows "Error Reading Registry"
        Menu,           // a failure reads as "NULL" and writes it
    };
    // The stored name of slot 2..6, "NULL" for an empty or unreadable slot.
    std::string ReadSlotName(const std::string& printerName, int slot, NameRead mode);
    static std::string DisplayName(const std::string& storedName);

    // False when nothing was saved (the name "<Empty>" or no such slot).
    bool SaveToSlot(GUIPrinter& model, int slot, const std::string& typedName);
    // False, after "CAUGHT", when the slot's record cannot be read whole;
    // the model is then unchanged.
    bool LoadSlot(GUIPrinter& model, int slot);
    // False when "SLOT1" holds no whole record; the model is then unchanged.
    bool RestoreDefaults(GUIPrinter& model);
    bool DeleteSlot(const std::string& printerName, int slot);

    bool SaveSnapshot(GUIPrinter& model, SnapshotKind kind);
    // Falls back to "SLOT1" (and stores it as the snapshot) when the
    // snapshot is missing; false when neither is there.
    bool RestoreSnapshot(GUIPrinter& model, SnapshotKind kind);

private:
    bool readNumber(const std::string& valueName, uint32_t& value);
    uint32_t readNumberOr(const std::string& valueName, uint32_t fallback, bool writeBack);
    void writeNumber(const std::string& valueName, uint32_t value);
    bool readRecord(const std::string& valueName, LCDEVMODE& record);
    void writeRecord(const std::string& valueName, const GUIPrinter& model);
    uint32_t readPrinterValue(const std::string& printerName, const char* subKey, const char* valueName,
                              uint32_t fallback);
    void writePrinterValue(const std::string& printerName, const char* subKey, const char* valueName,
                           uint32_t value);
    void loadRecord(GUIPrinter& model, LCDEVMODE& record);
    void applyAutoMedia(GUIPrinter& model, bool haveAutoMedia, uint32_t autoMedia, uint32_t internalAutoMedia);
    void applyExtras(GUIPrinter& model, const std::string& subKey, bool statusValues);
    void resetStatusOptions(GUIPrinter& model);

    const ProductOptions& product_;
    RegistryComponent& registry_;
    Trace& trace_;
    MessageBoxes& messages_;
    DefaultRecordGenerator generateDefault_;

    const bool personalMode_;
    const bool statusOptionsShown_;
    const bool inkLevelsShown_;
    const bool pagesRemainingShown_;
    const bool didYouKnowOffered_;
    const bool soundShown_;
    const bool balloonOffered_;
    const std::string completeToPrintName_;
    const std::string companionName_;
    const std::string didYouKnowName_;
    const std::string balloonName_;
};
