#include "PackageDownloader_win.h"

#include "Fetcher_win.h"
#include "LocalFiles_win.h"
#include "Manifest.h"
#include "Sha256.h"
#include "UpdateUrl.h"
#include "WebUpdaterLibrary.h"

#include <map>

namespace {

std::map<std::wstring, DownloadedPackage>& downloadedPackages()
{
    static std::map<std::wstring, DownloadedPackage> packages;
    return packages;
}

// The download file, deleted unless the download is kept.
class PendingFile {
public:
    PendingFile(FileHandle file, std::wstring path) : file_(std::move(file)), path_(std::move(path)) {}
    ~PendingFile()
    {
        if (!kept_) {
            file_.close();
            DeleteFileW(path_.c_str());
        }
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    HANDLE handle() const { return file_.get(); }
    // 0 or the error of closing (the last write may only fail then).
    DWORD keep()
    {
        if (!file_.close()) {
            DWORD error = GetLastError();
            return error != 0 ? error : ERROR_WRITE_FAULT;
        }
        kept_ = true;
        return 0;
    }

private:
    FileHandle file_;
    std::wstring path_;
    bool kept_ = false;
};

// Streams into the file, hashing as it goes; refuses bytes beyond the
// announced size so a runaway server cannot fill the disk.
class PackageSink : public FetchSink {
public:
    PackageSink(HANDLE file, std::uint32_t expectedSize) : file_(file), expectedSize_(expectedSize) {}

    DWORD reset() override
    {
        received_ = 0;
        hash_ = Sha256();
        LARGE_INTEGER start;
        start.QuadPart = 0;
        if (!SetFilePointerEx(file_, start, nullptr, FILE_BEGIN) || !SetEndOfFile(file_))
            return GetLastError();
        return 0;
    }

    DWORD write(const void* data, std::size_t length) override
    {
        if (length > expectedSize_ - received_)
            return ERROR_FILE_TOO_LARGE;
        DWORD error = writeAll(file_, data, length);
        if (error != 0)
            return error;
        hash_.update(data, length);
        received_ += static_cast<std::uint32_t>(length);
        return 0;
    }

    // 0 when size and digest are as announced, else why not.
    DWORD verify(const std::string& expectedDigest)
    {
        if (received_ != expectedSize_)
            return ERROR_INVALID_DATA;
        return hash_.finishHex() == expectedDigest ? 0 : ERROR_CRC;
    }

private:
    HANDLE file_;
    std::uint32_t expectedSize_;
    std::uint32_t received_ = 0;
    Sha256 hash_;
};

DownloadResult failed(int code, DWORD detail)
{
    DownloadResult result;
    result.code = code;
    result.detail = detail != 0 ? detail : ERROR_GEN_FAILURE;
    return result;
}

int manifestFailureCode(FetchOutcome outcome)
{
    switch (outcome) {
    case FetchOutcome::TooLarge:
        return UPD_DOWNLOAD_INVALID_RESPONSE_DOC;
    case FetchOutcome::SinkFailed:
        return UPD_DOWNLOAD_LOCAL_ERROR;
    default:
        return UPD_DOWNLOAD_SERVER_NO_RESPONSE;
    }
}

// A new file of its own, so that two packages of one name in one pass, or a
// package kept from an earlier pass, are never overwritten.
DWORD claimFile(const std::string& folder, const std::string& name, FileHandle& file,
                std::string& path, std::wstring& widePath)
{
    for (int number = 1; number <= 100; ++number) {
        std::string candidate =
            folder + "\\" + (number == 1 ? name : std::to_string(number) + "_" + name);
        std::wstring wide = longPath(candidate);
        if (wide.empty())
            return ERROR_INVALID_NAME;
        HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            file = FileHandle(handle);
            path = candidate;
            widePath = wide;
            return 0;
        }
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return error;
    }
    return ERROR_FILE_EXISTS;
}

}  // namespace

DownloadResult downloadPackage(const std::string& manifestUrl, unsigned long timeOutSeconds,
                               unsigned long retryCount, const TrustFiles& trust)
{
    MemorySink document(Manifest::maximumBytes);
    FetchResult fetched = fetchWithRetries(manifestUrl, timeOutSeconds, retryCount, document);
    if (fetched.outcome != FetchOutcome::Ok)
        return failed(manifestFailureCode(fetched.outcome), fetched.error);
    std::string body;
    if (!acceptManifest(trust, manifestUrl, document.text(), body))
        return failed(UPD_DOWNLOAD_INVALID_RESPONSE_DOC, ERROR_INVALID_DATA);
    Manifest manifest;
    std::string why;
    if (!Manifest::parse(body, manifest, why))
        return failed(UPD_DOWNLOAD_INVALID_RESPONSE_DOC, ERROR_INVALID_DATA);

    std::string folder;
    DWORD error = downloadFolder(folder);
    if (error != 0)
        return failed(UPD_DOWNLOAD_LOCAL_ERROR, error);
    FileHandle handle;
    std::string path;
    std::wstring widePath;
    error = claimFile(folder, manifest.localFileName(), handle, path, widePath);
    if (error != 0)
        return failed(UPD_DOWNLOAD_LOCAL_ERROR, error);
    PendingFile file(std::move(handle), widePath);

    const std::string packageUrl = resolveReference(manifestUrl, manifest.package);
    const DWORD timeOut = attemptTimeOutMilliseconds(timeOutSeconds);
    const unsigned long retries = boundedRetries(retryCount);
    PackageSink sink(file.handle(), manifest.size);
    DownloadResult outcome = failed(UPD_DOWNLOAD_SERVER_NO_RESPONSE, ERROR_GEN_FAILURE);
    for (unsigned long attempt = 0; attempt <= retries; ++attempt) {
        if (attempt > 0)
            pauseBeforeRetry();
        fetched = fetchOnce(packageUrl, timeOut, sink);
        bool again = false;
        if (fetched.outcome == FetchOutcome::Ok || fetched.outcome == FetchOutcome::TooLarge) {
            // A short, long or altered transfer may be a broken connection: fetch again.
            error = fetched.outcome == FetchOutcome::Ok ? sink.verify(manifest.sha256)
                                                        : ERROR_FILE_TOO_LARGE;
            if (error == 0)
                break;
            outcome = failed(UPD_DOWNLOAD_PACKAGE_CORRUPT, error);
            again = true;
        } else if (fetched.outcome == FetchOutcome::SinkFailed) {
            outcome = failed(UPD_DOWNLOAD_LOCAL_ERROR, fetched.error);
        } else {
            outcome = failed(UPD_DOWNLOAD_SERVER_NO_RESPONSE, fetched.error);
            again = worthRetrying(fetched.outcome);
        }
        if (!again || attempt == retries)
            return outcome;
    }
    error = file.keep();
    if (error != 0)
        return failed(UPD_DOWNLOAD_LOCAL_ERROR, error);
    DownloadedPackage verified;
    verified.size = manifest.size;
    verified.sha256 = manifest.sha256;
    downloadedPackages()[widePath] = verified;
    DownloadResult result;
    result.code = UPD_DOWNLOAD_OK;
    result.localPath = path;
    return result;
}

bool downloadedPackage(const std::wstring& longPath, DownloadedPackage& result)
{
    auto found = downloadedPackages().find(longPath);
    if (found == downloadedPackages().end())
        return false;
    result = found->second;
    return true;
}
