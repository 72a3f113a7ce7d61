#include "Fetcher_win.h"

#include "LocalFiles_win.h"
#include "UpdateUrl.h"

#include <wininet.h>

#include <vector>

namespace {

// Owns a WinINet handle; null means none.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle()
    {
        if (handle_ != nullptr)
            InternetCloseHandle(handle_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;

    HINTERNET get() const { return handle_; }

private:
    HINTERNET handle_;
};

const DWORD chunkSize = 65536;

DWORD lastErrorOrFailure()
{
    DWORD error = GetLastError();
    return error != 0 ? error : ERROR_GEN_FAILURE;
}

FetchResult failure(FetchOutcome outcome, DWORD error)
{
    return {outcome, error != 0 ? error : ERROR_GEN_FAILURE};
}

FetchResult sinkFailure(DWORD error)
{
    return failure(error == ERROR_FILE_TOO_LARGE ? FetchOutcome::TooLarge : FetchOutcome::SinkFailed,
                   error);
}

FetchOutcome connectionFailure(DWORD error)
{
    return error == ERROR_INTERNET_NAME_NOT_RESOLVED ? FetchOutcome::NoConnection
                                                     : FetchOutcome::NoResponse;
}

// A fresh session per request: nothing stays open between the Updater's calls.
HINTERNET openSession(DWORD timeOutMilliseconds)
{
    HINTERNET session = InternetOpenA("netrefresh/1.0", INTERNET_OPEN_TYPE_PRECONFIG, nullptr,
                                      nullptr, 0);
    if (session == nullptr)
        return nullptr;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_DATA_SEND_TIMEOUT,
                         INTERNET_OPTION_DATA_RECEIVE_TIMEOUT}) {
        // A version that ignores one of them still has its own defaults.
        InternetSetOptionA(session, option, &timeOutMilliseconds, sizeof timeOutMilliseconds);
    }
    return session;
}

HINTERNET openUrl(HINTERNET session, const std::string& url)
{
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                        INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_COOKIES |
                        INTERNET_FLAG_NO_UI;
    return InternetOpenUrlA(session, url.c_str(), nullptr, 0, flags, 0);
}

FetchResult fetchHttp(const std::string& url, DWORD timeOutMilliseconds, FetchSink& sink)
{
    InternetHandle session(openSession(timeOutMilliseconds));
    if (session.get() == nullptr)
        return failure(FetchOutcome::NoConnection, GetLastError());
    InternetHandle request(openUrl(session.get(), url));
    if (request.get() == nullptr) {
        DWORD error = GetLastError();
        return failure(connectionFailure(error), error);
    }
    DWORD status = 0;
    DWORD statusSize = sizeof status;
    if (!HttpQueryInfoA(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                        &statusSize, nullptr))
        return failure(FetchOutcome::NoResponse, GetLastError());
    if (status != HTTP_STATUS_OK) {
        // Server trouble may pass; a missing document will not.
        bool passing = status >= 500 || status == 408 || status == 429;
        return failure(passing ? FetchOutcome::NoResponse : FetchOutcome::NotFound,
                       passing ? ERROR_BAD_NET_RESP : ERROR_FILE_NOT_FOUND);
    }
    std::vector<char> buffer(chunkSize);
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request.get(), buffer.data(), chunkSize, &read))
            return failure(FetchOutcome::NoResponse, GetLastError());
        if (read == 0)
            return {FetchOutcome::Ok, 0};
        DWORD error = sink.write(buffer.data(), read);
        if (error != 0)
            return sinkFailure(error);
    }
}

FetchResult fetchFile(const std::string& url, FetchSink& sink)
{
    std::string path;
    if (!fileUrlToPath(url, path))
        return failure(FetchOutcome::NotFound, ERROR_INVALID_NAME);
    std::wstring wide = longPath(path);
    if (wide.empty())
        return failure(FetchOutcome::NotFound, ERROR_INVALID_NAME);
    FileHandle file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) {
        DWORD error = GetLastError();
        bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                       error == ERROR_INVALID_NAME;
        return failure(missing ? FetchOutcome::NotFound : FetchOutcome::NoResponse, error);
    }
    std::vector<char> buffer(chunkSize);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer.data(), chunkSize, &read, nullptr))
            return failure(FetchOutcome::NoResponse, GetLastError());
        if (read == 0)
            return {FetchOutcome::Ok, 0};
        DWORD error = sink.write(buffer.data(), read);
        if (error != 0)
            return sinkFailure(error);
    }
}

}  // namespace

FetchSink::~FetchSink() = default;

DWORD attemptTimeOutMilliseconds(unsigned long timeOutSeconds)
{
    if (timeOutSeconds == 0)
        timeOutSeconds = 30;
    if (timeOutSeconds > 3600)
        timeOutSeconds = 3600;
    return static_cast<DWORD>(timeOutSeconds * 1000);
}

unsigned long boundedRetries(unsigned long retryCount)
{
    return retryCount > 10 ? 10 : retryCount;
}

bool worthRetrying(FetchOutcome outcome)
{
    return outcome == FetchOutcome::NoResponse;
}

void pauseBeforeRetry()
{
    Sleep(500);
}

FetchResult fetchOnce(const std::string& url, DWORD timeOutMilliseconds, FetchSink& sink)
{
    DWORD error = sink.reset();
    if (error != 0)
        return failure(FetchOutcome::SinkFailed, error);
    switch (urlScheme(url)) {
    case UrlScheme::Http:
    case UrlScheme::Https:
        return fetchHttp(url, timeOutMilliseconds, sink);
    case UrlScheme::File:
        return fetchFile(url, sink);
    case UrlScheme::Unsupported:
        break;
    }
    return failure(FetchOutcome::NotFound, ERROR_INTERNET_UNRECOGNIZED_SCHEME);
}

FetchResult fetchWithRetries(const std::string& url, unsigned long timeOutSeconds,
                             unsigned long retryCount, FetchSink& sink)
{
    DWORD timeOut = attemptTimeOutMilliseconds(timeOutSeconds);
    unsigned long retries = boundedRetries(retryCount);
    FetchResult result = fetchOnce(url, timeOut, sink);
    for (unsigned long retry = 0; retry < retries && worthRetrying(result.outcome); ++retry) {
        pauseBeforeRetry();
        result = fetchOnce(url, timeOut, sink);
    }
    return result;
}

DWORD MemorySink::reset()
{
    text_.clear();
    return 0;
}

DWORD MemorySink::write(const void* data, std::size_t length)
{
    if (length > limit_ - text_.size())
        return ERROR_FILE_TOO_LARGE;
    text_.append(static_cast<const char*>(data), length);
    return 0;
}

DWORD probeServer(const std::string& url, DWORD timeOutMilliseconds)
{
    switch (urlScheme(url)) {
    case UrlScheme::Http:
    case UrlScheme::Https: {
        InternetHandle session(openSession(timeOutMilliseconds));
        if (session.get() == nullptr)
            return lastErrorOrFailure();
        // Opening returns once the status line is in; the body is never read.
        InternetHandle request(openUrl(session.get(), url));
        return request.get() != nullptr ? 0 : lastErrorOrFailure();
    }
    case UrlScheme::File: {
        std::string path;
        if (!fileUrlToPath(url, path))
            return ERROR_INVALID_NAME;
        std::wstring wide = longPath(path);
        if (wide.empty())
            return ERROR_INVALID_NAME;
        return GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES ? 0
                                                                           : lastErrorOrFailure();
    }
    case UrlScheme::Unsupported:
        break;
    }
    return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
}
