// The record's fields by name with their values as text: what the trace
// writes and what the driver host prints.
#pragma once

#include "LcDevMode.h"

#include <string>
#include <utility>
#include <vector>

using FieldValues = std::vector<std::pair<std::string, std::string>>;

FieldValues DevModeFieldValues(const LCDEVMODE& record);
FieldValues WatermarkFieldValues(const LCWMARKINFO& mark);

// Sixteen bytes a line: offset, hexadecimal bytes.
std::string HexDump(const void* data, std::size_t size);
