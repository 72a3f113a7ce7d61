// The common library stand-in's INI documents (product options and every
// profile file it reads): sections and entries, case-insensitive look-up,
// and option numbers checked against the C library's strtoull.
#include "IniDocument.h"

#include "FuzzCheck.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <vector>

namespace {

const char kBlanks[] = " \t\r\n";

std::string upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool isTrimmed(const std::string& text)
{
    return text.empty() || (std::string(kBlanks).find(text.front()) == std::string::npos &&
                            std::string(kBlanks).find(text.back()) == std::string::npos);
}

// Section names as a reader of the file sees them: the text between '[' and
// the first ']' of a line that opens with '['.
std::set<std::string> sectionNames(const std::string& text)
{
    std::set<std::string> names = {""};
    std::string::size_type start = 0;
    while (start <= text.size()) {
        std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        const std::string::size_type first = line.find_first_not_of(kBlanks);
        if (first == std::string::npos || line[first] != '[')
            continue;
        std::string name = line.substr(first + 1, line.find(']', first) - first - 1);
        const std::string::size_type a = name.find_first_not_of(kBlanks);
        const std::string::size_type b = name.find_last_not_of(kBlanks);
        names.insert(upper(a == std::string::npos ? std::string() : name.substr(a, b - a + 1)));
    }
    return names;
}

void checkOptionNumber(const std::string& text)
{
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    bool valid = !digits.empty();
    for (char c : digits)
        valid = valid && (hex ? std::isxdigit(static_cast<unsigned char>(c)) : std::isdigit(static_cast<unsigned char>(c)));
    std::optional<uint32_t> expected;
    if (valid) {
        errno = 0;
        const unsigned long long value = std::strtoull(digits.c_str(), nullptr, hex ? 16 : 10);
        if (errno != ERANGE && value <= UINT32_MAX)
            expected = static_cast<uint32_t>(value);
    }
    FUZZ_CHECK(ParseOptionNumber(text) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = FuzzText(data, size);
    const IniDocument document = IniDocument::Parse(text);

    // Look-ups are checked for a few keys of each section: each one walks the
    // section, and every key of a long file would make the target slow.
    constexpr std::size_t kLookups = 8;
    std::string rewritten;
    for (const std::string& section : sectionNames(text)) {
        const auto entries = document.entries(section);
        rewritten += "[" + section + "]\n";
        std::vector<std::string> upperKeys;
        for (const auto& [key, value] : entries) {
            FUZZ_CHECK(isTrimmed(key) && isTrimmed(value));
            FUZZ_CHECK(key.find_first_of("=\n") == std::string::npos && value.find('\n') == std::string::npos);
            upperKeys.push_back(upper(key));
            rewritten += key + "=" + value + "\n";
        }
        const std::size_t step = entries.size() / kLookups + 1;
        for (std::size_t i = 0; i < entries.size(); i += step) {
            // The first entry of a key answers, whatever the letter case of the question.
            std::size_t first = 0;
            while (upperKeys[first] != upperKeys[i])
                ++first;
            FUZZ_CHECK(document.value(lower(section), upperKeys[i]) == entries[first].second);
            FUZZ_CHECK(document.value(section, lower(entries[i].first)) == entries[first].second);
            checkOptionNumber(entries[i].second);
        }
    }
    // Written back section by section, the document reads the same.
    const IniDocument again = IniDocument::Parse(rewritten);
    for (const std::string& section : sectionNames(text))
        FUZZ_CHECK(again.entries(section) == document.entries(section));
    checkOptionNumber(text.substr(0, 24));
    return 0;
}
