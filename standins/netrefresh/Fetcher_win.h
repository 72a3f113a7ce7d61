// Fetches the bytes behind an http, https or file URL into a sink, with the
// caller's time-out and retry count.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

class FetchSink {
public:
    virtual ~FetchSink();
    // Called before every attempt: forget what an earlier attempt delivered.
    virtual DWORD reset() = 0;
    // 0, ERROR_FILE_TOO_LARGE to stop a fetch that delivers more than wanted,
    // or the Win32 error of storing the bytes.
    virtual DWORD write(const void* data, std::size_t length) = 0;
};

enum class FetchOutcome {
    Ok,
    NoConnection,  // WinINet unusable or the host name unknown
    NoResponse,    // no connection, time-out, broken transfer, server error: worth retrying
    NotFound,      // the server or folder answered without the document: not retried
    TooLarge,      // the sink refused more bytes
    SinkFailed,    // the bytes could not be stored
};

struct FetchResult {
    FetchOutcome outcome;
    DWORD error;  // the Win32 error behind a failure, 0 with Ok
};

// Seconds per attempt; 0 means the library's default of 30, more than an hour is an hour.
DWORD attemptTimeOutMilliseconds(unsigned long timeOutSeconds);

// Further attempts after a failed one, at most 10.
unsigned long boundedRetries(unsigned long retryCount);

bool worthRetrying(FetchOutcome outcome);

// Pause between attempts, so a briefly overloaded server is not hammered.
void pauseBeforeRetry();

FetchResult fetchOnce(const std::string& url, DWORD timeOutMilliseconds, FetchSink& sink);

// fetchOnce again after each failure worth retrying, up to retryCount more times.
FetchResult fetchWithRetries(const std::string& url, unsigned long timeOutSeconds,
                             unsigned long retryCount, FetchSink& sink);

// Collects a small document in memory.
class MemorySink : public FetchSink {
public:
    explicit MemorySink(std::size_t limit) : limit_(limit) {}
    DWORD reset() override;
    DWORD write(const void* data, std::size_t length) override;
    const std::string& text() const { return text_; }

private:
    std::size_t limit_;
    std::string text_;
};

// Whether the server behind url answers at all: any HTTP status counts; for a
// file URL, whether the file or folder exists. Returns 0 or the Win32 error.
DWORD probeServer(const std::string& url, DWORD timeOutMilliseconds);
