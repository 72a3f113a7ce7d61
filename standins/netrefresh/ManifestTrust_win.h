// Whether a fetched manifest may be used: its signature against the public
// key file beside the library, or, without that file, the settings file's
// explicit consent to unsigned manifests; and no replay of an older one.
#pragma once

#include <string>

struct TrustFiles {
    std::string keyFile;       // <library folder>\<library base name>.key
    std::string settingsFile;  // <library folder>\<library base name>.ini
};

// True with the manifest text to parse (without its signature line); false
// after writing the reason to the library's log.
bool acceptManifest(const TrustFiles& files, const std::string& url, const std::string& document,
                    std::string& body);
