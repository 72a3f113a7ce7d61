#include "LoopbackServer.h"

namespace {

struct WinsockUser {
    WinsockUser()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockUser() { WSACleanup(); }
};

WinsockUser& winsock()
{
    static WinsockUser user;
    return user;
}

sockaddr_in loopback(unsigned short port)
{
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

const char* reason(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

void sendAll(SOCKET connection, const std::string& data)
{
    std::size_t sent = 0;
    while (sent < data.size()) {
        int n = send(connection, data.data() + sent, static_cast<int>(data.size() - sent), 0);
        if (n <= 0)
            return;
        sent += static_cast<std::size_t>(n);
    }
}

}  // namespace

LoopbackServer::LoopbackServer()
{
    winsock();
    InitializeCriticalSection(&lock_);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener_ == INVALID_SOCKET)
        return;
    sockaddr_in address = loopback(0);
    int length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 8) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    port_ = ntohs(address.sin_port);
    thread_ = CreateThread(nullptr, 0, serve, this, 0, nullptr);
}

LoopbackServer::~LoopbackServer()
{
    InterlockedExchange(&stopping_, 1);
    if (thread_ != nullptr) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    if (listener_ != INVALID_SOCKET)
        closesocket(listener_);
    DeleteCriticalSection(&lock_);
}

std::string LoopbackServer::url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LoopbackServer::route(const std::string& path, std::vector<Reply> replies)
{
    EnterCriticalSection(&lock_);
    routes_[path] = std::move(replies);
    counts_[path] = 0;
    LeaveCriticalSection(&lock_);
}

void LoopbackServer::route(const std::string& path, const std::string& body)
{
    Reply reply;
    reply.body = body;
    route(path, std::vector<Reply>{reply});
}

int LoopbackServer::requests(const std::string& path)
{
    EnterCriticalSection(&lock_);
    int count = counts_[path];
    LeaveCriticalSection(&lock_);
    return count;
}

unsigned short LoopbackServer::closedPort()
{
    winsock();
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = loopback(0);
    int length = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(probe);
    return ntohs(address.sin_port);
}

Reply LoopbackServer::nextReply(const std::string& path)
{
    EnterCriticalSection(&lock_);
    Reply reply;
    reply.status = 404;
    reply.body = "not here";
    auto found = routes_.find(path);
    if (found != routes_.end() && !found->second.empty()) {
        std::size_t index = static_cast<std::size_t>(counts_[path]);
        reply = found->second[index < found->second.size() ? index : found->second.size() - 1];
    }
    ++counts_[path];
    LeaveCriticalSection(&lock_);
    return reply;
}

DWORD WINAPI LoopbackServer::serve(void* self)
{
    LoopbackServer& server = *static_cast<LoopbackServer*>(self);
    while (InterlockedCompareExchange(&server.stopping_, 0, 0) == 0) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(server.listener_, &readable);
        timeval wait = {0, 50000};
        if (select(0, &readable, nullptr, nullptr, &wait) <= 0)
            continue;
        SOCKET connection = accept(server.listener_, nullptr, nullptr);
        if (connection != INVALID_SOCKET)
            server.handle(connection);
    }
    return 0;
}

void LoopbackServer::handle(SOCKET connection)
{
    DWORD receiveTimeOut = 10000;
    setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&receiveTimeOut),
               sizeof receiveTimeOut);
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        int n = recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        request.append(buffer, static_cast<std::size_t>(n));
    }
    std::string::size_type start = request.find(' ');
    std::string::size_type end = request.find(' ', start == std::string::npos ? 0 : start + 1);
    std::string path = start == std::string::npos || end == std::string::npos
                           ? std::string()
                           : request.substr(start + 1, end - start - 1);
    Reply reply = nextReply(path);
    for (int wait = 0; reply.kind == Reply::Kind::Late && wait < 600 &&
                       InterlockedCompareExchange(&stopping_, 0, 0) == 0;
         ++wait)
        Sleep(50);
    if (reply.kind != Reply::Kind::Close) {
        long length = reply.contentLength >= 0 ? reply.contentLength
                                               : static_cast<long>(reply.body.size());
        sendAll(connection, "HTTP/1.0 " + std::to_string(reply.status) + " " + reason(reply.status) +
                                "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                                std::to_string(length) + "\r\nConnection: close\r\n\r\n" +
                                reply.body);
    }
    shutdown(connection, SD_BOTH);
    closesocket(connection);
}
