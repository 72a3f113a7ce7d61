// Downloads the package a manifest announces into the library's download
// folder and keeps it only when its size and SHA-256 match the manifest.
#pragma once

#include "ManifestTrust_win.h"

#include <windows.h>

#include <cstdint>
#include <string>

struct DownloadResult {
    int code = 0;      // UPD_DOWNLOAD_...
    DWORD detail = 0;  // the Win32 error behind a failure
    std::string localPath;
};

// The manifest must pass acceptManifest with these files first.
DownloadResult downloadPackage(const std::string& manifestUrl, unsigned long timeOutSeconds,
                               unsigned long retryCount, const TrustFiles& trust);

// What this process downloaded and verified, by path: size and SHA-256. Between
// download and installation the file lies in a folder that other users may
// be able to write, so the installation checks it again.
struct DownloadedPackage {
    std::uint64_t size = 0;
    std::string sha256;
};
bool downloadedPackage(const std::wstring& longPath, DownloadedPackage& result);
