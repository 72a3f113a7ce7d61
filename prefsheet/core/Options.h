// The conventions of option lookups: a flag is asked whether it equals one
// explicit value, never read and compared here; testing for 0 and testing for
// 1 are different questions whenever the value can be something else.
#pragma once

#include "CommonLibrary.h"
#include "OptionKeys.h"

#include <cstdint>
#include <string>

class Options {
public:
    explicit Options(const ProductOptions& product) : product_(product) {}

    bool equals(const char* key, uint32_t value) const { return product_.CompareSetting(key, value); }
    bool textEquals(const char* key, const std::string& value) const
    {
        return product_.CompareSetting(key, value);
    }
    // Counts and limits only; flags go through equals().
    uint32_t number(const char* key) const
    {
        uint32_t status = 0;
        return product_.GetSetting(key, status);
    }
    std::string text(const char* key) const
    {
        std::string value;
        return product_.GetSetting(key, value);
    }

private:
    const ProductOptions& product_;
};
