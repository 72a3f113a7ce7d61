// The four URLs of an update pass, from the "WebServerUrl" template.
#pragma once

#include <string>

enum UrlType {
    CatalogVersionUrl = 0,
    KioskenVersionUrl = 1,
    CatalogDownloadUrl = 2,
    KioskenDownloadUrl = 3,
};

class UrlGenerator {
public:
    UrlGenerator();
    std::string generateUrl(UrlType type) const;
    const std::string& baseUrl() const { return baseUrl_; }

private:
    void initialize();
    std::string baseUrl_;
};

namespace VersionInfo {
std::string GetKioskenVersionNumber();
std::string GetCatalogVersionNumber();
std::string GetVersionNumber(const std::string& path);
}  // namespace VersionInfo
