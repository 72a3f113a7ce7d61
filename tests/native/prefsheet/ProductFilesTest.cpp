// The common library stand-in's file formats, and the shipped product
// descriptions: each answers every option key the preferences read, and its
// printer configuration parses with defaults inside its own tables.
#include "IniDocument.h"
#include "OptionKeys.h"
#include "PrinterConfigData.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

const char* const kProducts[] = {"photo", "office", "studio"};

}  // namespace

TEST(OptionNumber, DecimalAndHexadecimalOnly)
{
    const struct {
        const char* text;
        bool valid;
        uint32_t value;
    } cases[] = {
        {"0", true, 0},          {"1", true, 1},         {"4294967295", true, 0xFFFFFFFFu},
        {"0x1000", true, 0x1000}, {"0XfF", true, 0xFF},   {"0x", false, 0},
        {"", false, 0},          {"-1", false, 0},       {"4294967296", false, 0},
        {"0x100000000", false, 0}, {"12abc", false, 0},  {"1 ", false, 0},
        {"ppres.dll", false, 0}, {"1.5", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::optional<uint32_t> number = ParseOptionNumber(c.text);
        EXPECT_EQ(number.has_value(), c.valid);
        if (c.valid && number) {
            EXPECT_EQ(*number, c.value);
        }
    }
}

TEST(IniDocument, SectionsKeysCommentsAndCase)
{
    IniDocument document = IniDocument::Parse(
        "; comment\r\n[Options]\r\nIDO_A = 1\r\n# other comment\r\n  ido_b=ppres.dll  \r\nno equals sign\r\n"
        "[Other]\nIDO_A=2\n[Empty]\n");
    EXPECT_EQ(document.value("Options", "IDO_A"), std::optional<std::string>("1"));
    EXPECT_EQ(document.value("OPTIONS", "IDO_B"), std::optional<std::string>("ppres.dll"));
    EXPECT_EQ(document.value("Other", "IDO_A"), std::optional<std::string>("2"));
    EXPECT_EQ(document.value("Options", "IDO_C"), std::nullopt);
    EXPECT_EQ(document.value("Missing", "IDO_A"), std::nullopt);
    EXPECT_TRUE(document.entries("Empty").empty());
    EXPECT_EQ(document.entries("Options").size(), 2u);
}

TEST(PrinterConfig, ParsesTablesDefaultsAndItems)
{
    std::string error;
    std::optional<PrinterConfigData> data = ParsePrinterConfig(
        "[Paper]\n1 = Letter, 2550, 3300, 0\n60 = Photo 4x6, 1200, 1800, 0x1000\n"
        "[Media]\n1 = Plain\n0x10A = Glossy\n0xFFFF = Last\n"
        "[DefaultSize]\n0 = 1\n0x1000 = 60\n[Defaults]\nMediaType = 1\n[Items]\n10202 = 1\n",
        error);
    ASSERT_TRUE(data) << error;
    ASSERT_EQ(data->papers.size(), 2u);
    EXPECT_EQ(data->papers[1].name, "Photo 4x6");
    EXPECT_EQ(data->papers[1].category, 0x1000u);
    EXPECT_EQ(data->media[1].code, 0x10Au);
    EXPECT_EQ(data->media[2].code, 0xFFFFu);   // the largest 16-bit code
    EXPECT_EQ(data->defaultSizes.at(0x1000), 60u);
    EXPECT_EQ(data->defaultMediaType, 1);
    EXPECT_EQ(data->items.at(10202), 1u);
}

TEST(PrinterConfig, RejectsInconsistentDescriptions)
{
    const char* const cases[] = {
        "[Paper]\n1 = Letter, 2550, 3300\n",                             // a field short
        "[Paper]\n1 = Letter, 2550, 3300, 0, 7\n",                       // a field too many
        "[Paper]\nx = Letter, 2550, 3300, 0\n",                          // code not a number
        "[Paper]\n1 = Letter, wide, 3300, 0\n",
        "[Media]\n0x10000 = Too big\n",                                  // media codes are 16-bit
        "[Paper]\n1 = Letter, 2550, 3300, 0\n[DefaultSize]\n0 = 9\n",    // default not in the table
        "[Media]\n1 = Plain\n[Defaults]\nMediaType = 2\n",
        "[Items]\n10202 = yes\n",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        std::string error;
        EXPECT_FALSE(ParsePrinterConfig(text, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(ShippedProducts, EveryProductFileListsEveryOptionKey)
{
    for (const char* product : kProducts) {
        SCOPED_TRACE(product);
        const std::string text = readFile(std::string(PELMORA_PRODUCTS_DIR) + "/" + product + "/product.ini");
        ASSERT_FALSE(text.empty());
        IniDocument document = IniDocument::Parse(text);
        for (const char* key : OptionKey::kAll)
            EXPECT_TRUE(document.value("Options", key).has_value()) << key;
        EXPECT_EQ(document.entries("Options").size(), OptionKey::kCount);
    }
}

TEST(ShippedProducts, ConfigurationFilesParseAndDescribeTheModels)
{
    const struct {
        const char* product;
        uint32_t autoMedia, autoDuplex;
        bool snapshot;
        uint32_t bins;
    } cases[] = {{"photo", 1, 0, true, 1}, {"office", 0, 1, false, 2}, {"studio", 1, 0, true, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.product);
        const std::string dir = std::string(PELMORA_PRODUCTS_DIR) + "/" + c.product;
        IniDocument product = IniDocument::Parse(readFile(dir + "/product.ini"));
        const std::string configName = product.value("Options", OptionKey::IDO_CONFIG_DLL).value_or("");
        std::string error;
        std::optional<PrinterConfigData> config = ParsePrinterConfig(readFile(dir + "/" + configName), error);
        ASSERT_TRUE(config) << configName << ": " << error;
        EXPECT_EQ(config->items.count(10202) ? config->items.at(10202) : 0, c.autoMedia);
        EXPECT_EQ(config->items.count(25016) ? config->items.at(25016) : 0, c.autoDuplex);
        EXPECT_EQ(config->defaultSizes.count(0), 1u);
        EXPECT_EQ(config->defaultSizes.count(0x1000), c.snapshot ? 1u : 0u);
        EXPECT_EQ(ParseOptionNumber(product.value("Options", OptionKey::IDO_SNAPSHOT_4X6).value_or("")),
                  std::optional<uint32_t>(c.snapshot ? 1 : 0));
        EXPECT_EQ(ParseOptionNumber(product.value("Options", OptionKey::IDO_NUMBER_BINS).value_or("")),
                  std::optional<uint32_t>(c.bins));
    }
}

TEST(ShippedProducts, TheStudioOpensTheAlternateWindowWithItsMenu)
{
    IniDocument document =
        IniDocument::Parse(readFile(std::string(PELMORA_PRODUCTS_DIR) + "/studio/product.ini"));
    for (const char* key : {OptionKey::IDO_PMKPRINTPROP, OptionKey::IDO_DEFAULT_IWANTTO_MENU})
        EXPECT_EQ(ParseOptionNumber(document.value("Options", key).value_or("")), std::optional<uint32_t>(1)) << key;
}
