// The answer of an update check once the manifest document is in hand.
#pragma once

#include <string>

struct UpdateCheckAnswer {
    int result;                 // UPD_UPDATES_NOT_AVAILABLE, _AVAILABLE or UPD_INVALID_RESPONSE_DOC
    std::string newerVersion;   // set with UPD_UPDATES_AVAILABLE, at most 19 characters
};

// installedVersion is the Updater's text as read from its version file,
// possibly with spaces around it or null; one that still does not parse
// counts as "0.0.0.0", the Updater's own answer for a missing version.
UpdateCheckAnswer answerUpdateCheck(const std::string& manifestDocument,
                                    const char* installedVersion);
