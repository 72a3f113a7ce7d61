// The rules of the watermark dialogs that need no window: name comparison
// and search, deletion with renumbering and the moved selection, the font
// size typed by the user, and what the preview shows of a record.
#pragma once

#include "LcDevMode.h"
#include "WatermarkPreview.h"

#include <cstdint>
#include <string>
#include <vector>

// Message box flags and answers, as Windows numbers them.
namespace MessageFlag {
constexpr unsigned YesNo = 0x04;
constexpr unsigned Exclamation = 0x30;
constexpr unsigned Question = 0x20;
constexpr unsigned Information = 0x40;
constexpr int AnswerYes = 6;
}  // namespace MessageFlag

namespace WatermarkRules {
constexpr int kMinSize = 8;
constexpr int kMaxSize = 200;
constexpr size_t kNameLimit = sizeof(LCWMARKINFO::wmName) - 1;   // 64
constexpr size_t kTextLimit = sizeof(LCWMARKINFO::wmText) - 1;   // 66

// Case-insensitive, as Windows compares names in the list.
bool SameName(const std::string& a, const std::string& b);
std::string NameOf(const LCWMARKINFO& mark);
std::string TextOf(const LCWMARKINFO& mark);
void SetName(LCWMARKINFO& mark, const std::string& name);
void SetText(LCWMARKINFO& mark, const std::string& text);
// The first record named so, -1 when none is.
int FindByName(const std::vector<LCWMARKINFO>& list, const std::string& name);

// The list without every record of that name, indexes renumbered from 0.
std::vector<LCWMARKINFO> WithoutName(const std::vector<LCWMARKINFO>& list, const std::string& name);
// A selection at the old list's last position moves back by one; any index
// stays inside the new list.
int IndexAfterDeletion(int index, int oldCount, int newCount);

// The number the first three characters typed make, -1 when they are none.
int TypedSize(const std::string& text);
int ClampSize(int points);
bool IsBlank(const std::string& text);

// Style list positions: 0 regular, 1 italic, 2 bold, 3 bold italic.
int StyleOf(const LCWMARKINFO& mark);
void SetStyle(LCWMARKINFO& mark, int style);

WatermarkPreview Describe(const LCWMARKINFO& mark);
}  // namespace WatermarkRules
