// The market codes of the running system, traced under "RulesEng".
#pragma once

#include <string>

namespace QuillcastUtilities {
std::string getCountryCode();   // system default language id, "%.8X"
std::string getLanguageCode();  // user default language id through the table
std::string getOsCode();
}  // namespace QuillcastUtilities
