// A tiny HTTP/1.0 server on 127.0.0.1 for the tests: one thread, one
// connection at a time, scripted answers per path, counted requests.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct Reply {
    enum class Kind {
        Answer,  // status line, headers, body
        Late,    // answer only after 30 s or when the server stops: a client that
                 // ignores its time-out gets the answer, one that keeps it does not
        Close,   // read the request, close without a word
    };
    Kind kind = Kind::Answer;
    int status = 200;
    std::string body;
    long contentLength = -1;  // -1: the body's length; larger promises a truncated body
};

class LoopbackServer {
public:
    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    bool running() const { return thread_ != nullptr; }
    unsigned short port() const { return port_; }
    std::string url(const std::string& path) const;

    // Replies in turn; the last one repeats. Unknown paths get 404.
    void route(const std::string& path, std::vector<Reply> replies);
    void route(const std::string& path, const std::string& body);
    int requests(const std::string& path);

    // A port on which nothing listens.
    static unsigned short closedPort();

private:
    static DWORD WINAPI serve(void* self);
    void handle(SOCKET connection);
    Reply nextReply(const std::string& path);

    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    HANDLE thread_ = nullptr;
    volatile LONG stopping_ = 0;
    CRITICAL_SECTION lock_;
    std::map<std::string, std::vector<Reply>> routes_;
    std::map<std::string, int> counts_;
};
