#include "UrlGenerator.h"

#include "Localize.h"
#include "Logger.h"
#include "Paths.h"
#include "QuillcastUtilities.h"
#include "Settings.h"
#include "UrlTemplate.h"

#include <windows.h>

namespace {

const LoggerComponent& updater = logcomponent::Updater;

const StringSetting& packageCodeSetting(UrlType type)
{
    switch (type) {
    case CatalogVersionUrl:
        return setting::kCatalogVersionPackageCode;
    case KioskenVersionUrl:
        return setting::kKioskenVersionPackageCode;
    case CatalogDownloadUrl:
        return setting::kCatalogDownloadPackageCode;
    case KioskenDownloadUrl:
    default:
        return setting::kKioskenDownloadPackageCode;
    }
}

std::string versionFilePath(const StringSetting& fileSetting, const std::string& defaultFile,
                            const StringSetting& directorySetting)
{
    Settings settings;
    std::string file = defaultFile;
    settings.getStringValue(fileSetting.key, fileSetting.name, file, defaultFile, 0);
    std::string directory = directorySetting.defaultValue;
    settings.readWithDefault(directorySetting, directory);
    return joinPath(directory, file);
}

}  // namespace

UrlGenerator::UrlGenerator()
{
    auto trace = FunctionTrace::begin(updater, [] { return "UrlGenerator::UrlGenerator() "; });
    initialize();
}

void UrlGenerator::initialize()
{
    auto trace = FunctionTrace::begin(updater, [] { return "UrlGenerator::initialize() "; });
    std::string url;
    if (!Settings().read(setting::kWebServerUrl, url))
        url.clear();
    baseUrl_ = fillMarketCodes(url, &QuillcastUtilities::getLanguageCode,
                               &QuillcastUtilities::getCountryCode,
                               &QuillcastUtilities::getOsCode);
    trace.log(" WebServerBase URL = '" + baseUrl_ + "'");
}

std::string UrlGenerator::generateUrl(UrlType type) const
{
    auto trace = FunctionTrace::begin(updater, [&] {
        return "UrlGenerator::generateUrl(" + std::to_string(static_cast<int>(type)) + ") ";
    });
    std::string code;
    if (!Settings().read(packageCodeSetting(type), code))
        code.clear();
    std::string url = withPackageCode(baseUrl_, code);
    if (trace.enabled())
        trace.setResult(url);
    return url;
}

std::string VersionInfo::GetKioskenVersionNumber()
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "VersionInfo::GetKioskenVersionNumber()"; });
    std::string version = GetVersionNumber(versionFilePath(
        setting::kKioskenVersionInfoFileName,
        Localize::getInstance().getModulePrefix() + setting::kKioskenVersionFileSuffix,
        setting::kDllPath));
    if (trace.enabled())
        trace.setResult(version);
    return version;
}

std::string VersionInfo::GetCatalogVersionNumber()
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "VersionInfo::GetCatalogVersionNumber()"; });
    std::string version = GetVersionNumber(versionFilePath(
        setting::kCatalogVersionInfoFileName, setting::kCatalogVersionInfoFileName.defaultValue,
        setting::kDataPath));
    if (trace.enabled())
        trace.setResult(version);
    return version;
}

std::string VersionInfo::GetVersionNumber(const std::string& path)
{
    auto trace = FunctionTrace::begin(
        updater, [&] { return "VersionInfo::GetVersionNumber(" + path + ")"; });
    std::string version = kNoVersion;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        trace.log("FAILED to open: '" + path + "'");
        if (trace.enabled())
            trace.setResult(version);
        return version;
    }
    char bytes[kVersionFileBytes];
    DWORD read = 0;
    if (!ReadFile(file, bytes, sizeof bytes, &read, nullptr))
        read = 0;
    CloseHandle(file);
    std::string found;
    if (packageVersionIn(bytes, read, found))
        version = found;
    else
        logError(updater, "Unable to read the PackageVersion element from the file '" + path + "'");
    if (trace.enabled())
        trace.setResult(version);
    return version;
}
