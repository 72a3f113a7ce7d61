// The display texts the driver fetches through PPGetStringSize/PPLoadString.
#pragma once

#include "CommonLibrary.h"
#include "LcDevMode.h"

#include <cstdint>
#include <string>

// Identifier 11 names the top quality label; products without best quality
// show their photo or normal label instead.
uint32_t SubstituteStringId(uint32_t id, const ProductOptions& product);

// Display texts carry no mnemonics: every '&' goes.
std::string RemoveAmpersands(const std::string& text);

// The custom paper size text of identifier 73 built from the record:
// millimetres (dmUnits 2) as whole numbers, otherwise inches with one decimal
// and the locale's decimal symbol; then a space and the unit text.
std::string CustomSizeText(const LCDEVMODE& record, char decimalSymbol, const std::string& millimetreUnit,
                           const std::string& inchUnit);
