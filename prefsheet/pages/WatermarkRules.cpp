#include "WatermarkRules.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace WatermarkRules {

namespace {

template <size_t N>
std::string field(const char (&chars)[N])
{
    return std::string(chars, strnlen(chars, N));
}

template <size_t N>
void setField(char (&chars)[N], const std::string& value)
{
    std::memset(chars, 0, N);
    std::memcpy(chars, value.data(), std::min(value.size(), N - 1));
}

}  // namespace

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string NameOf(const LCWMARKINFO& mark)
{
    return field(mark.wmName);
}

std::string TextOf(const LCWMARKINFO& mark)
{
    return field(mark.wmText);
}

void SetName(LCWMARKINFO& mark, const std::string& name)
{
    setField(mark.wmName, name);
}

void SetText(LCWMARKINFO& mark, const std::string& text)
{
    setField(mark.wmText, text);
}

int FindByName(const std::vector<LCWMARKINFO>& list, const std::string& name)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (SameName(NameOf(list[i]), name))
            return static_cast<int>(i);
    return -1;
}

std::vector<LCWMARKINFO> WithoutName(const std::vector<LCWMARKINFO>& list, const std::string& name)
{
    std::vector<LCWMARKINFO> kept;
    kept.reserve(list.size());
    for (const LCWMARKINFO& mark : list) {
        if (SameName(NameOf(mark), name))
            continue;
        kept.push_back(mark);
        kept.back().wmIndex = static_cast<uint32_t>(kept.size() - 1);
    }
    return kept;
}

int IndexAfterDeletion(int index, int oldCount, int newCount)
{
    if (index == oldCount - 1)
        --index;
    return std::clamp(index, 0, std::max(0, newCount - 1));
}

int TypedSize(const std::string& text)
{
    const std::string head = text.substr(0, 3);
    if (head.empty() || !std::all_of(head.begin(), head.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::stoi(head);
}

int ClampSize(int points)
{
    return std::clamp(points, kMinSize, kMaxSize);
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

int StyleOf(const LCWMARKINFO& mark)
{
    const bool bold = mark.wmFont.lfWeight == 700;
    const bool italic = mark.wmFont.lfItalic != 0;
    return bold ? (italic ? 3 : 2) : (italic ? 1 : 0);
}

void SetStyle(LCWMARKINFO& mark, int style)
{
    mark.wmFont.lfWeight = style >= 2 ? 700 : 400;
    mark.wmFont.lfItalic = style == 1 || style == 3 ? 1 : 0;
}

WatermarkPreview Describe(const LCWMARKINFO& mark)
{
    WatermarkPreview p;
    p.text = TextOf(mark);
    p.faceName = field(mark.wmFont.lfFaceName);
    p.height = mark.wmFont.lfHeight;
    p.escapement = mark.wmFont.lfEscapement;
    p.weight = mark.wmFont.lfWeight;
    p.italic = mark.wmFont.lfItalic != 0;
    p.charSet = mark.wmFont.lfCharSet;
    p.pitchAndFamily = mark.wmFont.lfPitchAndFamily;
    p.color = mark.wmColor;
    p.shade = mark.wmShade;
    return p;
}

}  // namespace WatermarkRules
