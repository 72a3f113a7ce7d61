#include "MarketCodes.h"

#include <cstdio>

namespace {

struct LanguageRow {
    int code;
    std::uint16_t ids[19];  // zero-terminated when shorter
};

const LanguageRow kLanguages[] = {
    {1, {0x040C, 0x080C, 0x0C0C, 0x100C, 0x140C}},
    {2, {0x0407, 0x0807, 0x0C07, 0x1007, 0x1407}},
    {3, {0x0410, 0x0810}},
    {4, {0x040A, 0x080A, 0x100A, 0x140A, 0x180A, 0x1C0A, 0x200A, 0x240A, 0x280A, 0x2C0A, 0x300A,
         0x340A, 0x380A, 0x3C0A, 0x400A, 0x440A, 0x480A, 0x4C0A, 0x500A}},
    {5, {0x0406}},
    {6, {0x0414}},
    {7, {0x0413, 0x0813}},
    {8, {0x041D, 0x081D}},
    {9, {0x040B}},
    {10, {0x0816}},
    {12, {0x0411}},
    {13, {0x0804, 0x1004}},
    {14, {0x0404, 0x0C04, 0x1404}},
    {15, {0x0405}},
    {16, {0x0408}},
    {17, {0x040E}},
    {18, {0x040F}},
    {19, {0x0412, 0x0812}},
    {20, {0x0415}},
    {21, {0x0416}},
    {22, {0x0419}},
    {23, {0x041B}},
    {24, {0x041F}},
    {25, {0x042A}},
    {26, {0x0422}},
    {27, {0x041E}},
    {28, {0x0C0A}},
    {29, {0x0424}},
    {30, {0x081A}},
    {31, {0x0C1A}},
    {32, {0x0418}},
    {33, {0x0427}},
    {34, {0x0426}},
    {35, {0x0421}},
    {36, {0x0438}},
    {37, {0x0425}},
    {38, {0x041A}},
    {39, {0x0403}},
    {40, {0x0402}},
    {41, {0x0423}},
    {42, {0x042D}},
    {43, {0x041C}},
    {44, {0x0436}},
    {45, {0x0814}},
    {46, {0x040D}},
    {47, {0x0401, 0x0801, 0x0C01, 0x1001, 0x1401, 0x1801, 0x1C01, 0x2001, 0x2401, 0x2801, 0x2C01,
          0x3001, 0x3401, 0x3801, 0x3C01, 0x4001}},
    {48, {0x042F}},
    {49, {0x043E}},
};

}  // namespace

int languageCodeFor(std::uint16_t languageId)
{
    if (languageId == 0)
        return 0;
    for (const LanguageRow& row : kLanguages) {
        for (std::uint16_t id : row.ids) {
            if (id == 0)
                break;
            if (id == languageId)
                return row.code;
        }
    }
    return 0;
}

std::string countryCodeFor(std::uint16_t languageId)
{
    char text[10];
    std::snprintf(text, sizeof text, "%.8X", static_cast<unsigned>(languageId));
    return text;
}

std::string osCodeFor(const OsVersion& os, std::string& note)
{
    const OsVersionRecord& v = os.record();
    if (!os.isNT())
        return "3";
    if (v.major == 5 && v.minor == 1)
        return "5";
    if (v.major == 5 && v.minor == 2) {
        if (os.isWow64()) {
            note = "is 64 bit XP";
            return "9";
        }
        return "5";
    }
    if (v.major == 6 && v.minor == 0) {
        if (os.isWow64()) {
            note = "is 64 bit Vista";
            return "11";
        }
        return "10";
    }
    return "3";
}
