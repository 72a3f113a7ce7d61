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
    void reset(HINTERNET handle)
    {
        if (handle_ != nullptr)
            InternetCloseHandle(handle_);
        handle_ = handle;
    }

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

void setTimeOuts(HINTERNET handle, DWORD timeOutMilliseconds)
{
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        // A WinINet that ignores one of them on this handle still has its own default.
        InternetSetOptionA(handle, option, &timeOutMilliseconds, sizeof timeOutMilliseconds);
    }
}

// The handles of one GET, each with the time-outs: versions of WinINet differ
// in which handle they take them from.
struct HttpRequest {
    explicit HttpRequest(DWORD timeOutMilliseconds)
        : session(InternetOpenA("netrefresh/1.0", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr,
                                0)),
          timeOut(timeOutMilliseconds)
    {
        if (session.get() != nullptr)
            setTimeOuts(session.get(), timeOut);
    }

    // 0 once the response headers are in, else the Win32 error.
    DWORD send(const std::string& url)
    {
        if (session.get() == nullptr)
            return lastErrorOrFailure();
        char host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
        std::vector<char> path(url.size() + 1);
        URL_COMPONENTSA parts = {};
        parts.dwStructSize = sizeof parts;
        parts.lpszHostName = host;
        parts.dwHostNameLength = sizeof host;
        parts.lpszUrlPath = path.data();
        parts.dwUrlPathLength = static_cast<DWORD>(path.size());
        parts.dwExtraInfoLength = 1;  // query and fragment stay in the path
        if (!InternetCrackUrlA(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts))
            return lastErrorOrFailure();
        std::string object = path.data();
        if (parts.lpszExtraInfo != nullptr)
            object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
        if (object.empty())
            object = "/";

        connection.reset(InternetConnectA(session.get(), host, parts.nPort, nullptr, nullptr,
                                          INTERNET_SERVICE_HTTP, 0, 0));
        if (connection.get() == nullptr)
            return lastErrorOrFailure();
        setTimeOuts(connection.get(), timeOut);
        DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                      INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;
        if (parts.nScheme == INTERNET_SCHEME_HTTPS)
            flags |= INTERNET_FLAG_SECURE;
        request.reset(HttpOpenRequestA(connection.get(), "GET", object.c_str(), nullptr, nullptr,
                                       nullptr, flags, 0));
        if (request.get() == nullptr)
            return lastErrorOrFailure();
        setTimeOuts(request.get(), timeOut);
        if (!HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0))
            return lastErrorOrFailure();
        return 0;
    }

    InternetHandle session;
    InternetHandle connection{nullptr};
    InternetHandle request{nullptr};
    DWORD timeOut;
};

FetchResult fetchHttp(const std::string& url, DWORD timeOutMilliseconds, FetchSink& sink)
{
    HttpRequest http(timeOutMilliseconds);
    if (http.session.get() == nullptr)
        return failure(FetchOutcome::NoConnection, lastErrorOrFailure());
    DWORD sent = http.send(url);
    if (sent != 0)
        return failure(connectionFailure(sent), sent);
    HINTERNET request = http.request.get();
    DWORD status = 0;
    DWORD statusSize = sizeof status;
    if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
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
        if (!InternetReadFile(request, buffer.data(), chunkSize, &read))
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
        // Sending returns once the status line is in; the body is never read.
        HttpRequest http(timeOutMilliseconds);
        return http.send(url);
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
