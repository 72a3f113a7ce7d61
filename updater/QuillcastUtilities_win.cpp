#include "QuillcastUtilities.h"

#include "Logger.h"
#include "MarketCodes.h"

#include <windows.h>

namespace {
const LoggerComponent& rules = logcomponent::RulesEng;
}

std::string QuillcastUtilities::getCountryCode()
{
    auto trace = FunctionTrace::begin(rules, [] { return "QuillcastUtilities::getCountryCode()"; });
    std::string code = countryCodeFor(GetSystemDefaultLangID());
    trace.setResult(code);
    return code;
}

std::string QuillcastUtilities::getLanguageCode()
{
    auto trace =
        FunctionTrace::begin(rules, [] { return "QuillcastUtilities::getLanguageCode()"; });
    std::string code = std::to_string(languageCodeFor(GetUserDefaultLangID()));
    trace.setResult(code);
    return code;
}

std::string QuillcastUtilities::getOsCode()
{
    auto trace = FunctionTrace::begin(rules, [] { return "QuillcastUtilities::getOsCode()"; });
    std::string note;
    std::string code = osCodeFor(OsVersion::current(), note);
    if (!note.empty())
        trace.log(note);
    trace.setResult(code);
    return code;
}
