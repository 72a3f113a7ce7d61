// Versions of four numeric parts ("1.2.3.4"), compared part by part as numbers.
#pragma once

#include <cstdint>
#include <string>

struct FourPartVersion {
    std::uint16_t parts[4] = {0, 0, 0, 0};

    // Exactly four dot-separated parts of 1 to 5 decimal digits, each at most
    // 65535 (the range of a Windows file version part); nothing else, not even
    // spaces. False leaves the result unchanged.
    static bool parse(const std::string& text, FourPartVersion& result);

    // Canonical text: decimal parts without leading zeros.
    std::string text() const;
};

// Negative, zero or positive as left is older than, equal to or newer than right.
int compareVersions(const FourPartVersion& left, const FourPartVersion& right);
