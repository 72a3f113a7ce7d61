#include "UpdateCheck.h"

#include "Manifest.h"
#include "WebUpdaterLibrary.h"

UpdateCheckAnswer answerUpdateCheck(const std::string& manifestDocument,
                                    const char* installedVersion)
{
    Manifest manifest;
    std::string error;
    if (!Manifest::parse(manifestDocument, manifest, error))
        return {UPD_INVALID_RESPONSE_DOC, std::string()};

    std::string installedText = installedVersion != nullptr ? installedVersion : "";
    std::string::size_type first = installedText.find_first_not_of(" \t\r\n");
    std::string::size_type last = installedText.find_last_not_of(" \t\r\n");
    installedText = first == std::string::npos ? std::string()
                                               : installedText.substr(first, last - first + 1);
    FourPartVersion installed;
    if (!FourPartVersion::parse(installedText, installed))
        installed = FourPartVersion();

    if (compareVersions(manifest.version, installed) > 0)
        return {UPD_UPDATES_AVAILABLE, manifest.version.text()};
    return {UPD_UPDATES_NOT_AVAILABLE, std::string()};
}
