#include "scripted_server.h"

#include "socket_shim.h"

#include <stdexcept>

namespace tarvenne::testing {
namespace {

[[noreturn]] void fail(const char* what) {
    throw std::runtime_error(std::string(what) + " failed, error " +
                             std::to_string(shim::lastError()));
}

// A TCP socket bound to 127.0.0.1 at a free port.
SocketHandle boundLoopbackSocket(std::uint16_t& port) {
    const SocketHandle fd = shim::openTcpSocket();
    if (fd == noSocket)
        fail("socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) < 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) < 0)
        fail("bind");
    port = ntohs(address.sin_port);
    return fd;
}

} // namespace

Step send(std::string bytes) {
    return {Step::Kind::Send, std::move(bytes), {}};
}
Step sendRepeated(std::string bytes, int times) {
    return {Step::Kind::Send, std::move(bytes), {}, times};
}
Step pause(std::chrono::milliseconds wait) {
    return {Step::Kind::Pause, {}, wait};
}
Step close() {
    return {Step::Kind::Close, {}, {}};
}
Step reset() {
    return {Step::Kind::Reset, {}, {}};
}
Step keepOpen() {
    return {Step::Kind::KeepOpen, {}, {}};
}

ScriptedServer::ScriptedServer(std::vector<Step> script) : script_(std::move(script)) {
    listener_ = boundLoopbackSocket(port_);
    if (::listen(listener_, 16) < 0 || !shim::openWakeChannel(stopPipe_))
        fail("listen");
    thread_ = std::thread([this] { run(); });
}

ScriptedServer::~ScriptedServer() {
    shim::wake(stopPipe_[1]);
    thread_.join();
    shim::closeSocket(listener_);
    shim::closeSocket(stopPipe_[0]);
    shim::closeSocket(stopPipe_[1]);
}

std::string ScriptedServer::url(std::string_view target) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(target);
}

std::vector<std::string> ScriptedServer::requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
}

bool ScriptedServer::waitForClientClose(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return clientClosedSignal_.wait_for(lock, timeout, [this] { return clientClosed_; });
}

// Waits for `socket` to become readable; false when the wait ran out or the server is stopping.
bool ScriptedServer::waitReadable(SocketHandle socket, std::chrono::milliseconds timeout) const {
    pollfd entries[] = {{socket, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
    const int ready = shim::pollSockets(entries, 2, static_cast<int>(timeout.count()));
    return ready > 0 && entries[1].revents == 0;
}

bool ScriptedServer::stopping(std::chrono::milliseconds wait) const {
    pollfd stop{stopPipe_[0], POLLIN, 0};
    return shim::pollSockets(&stop, 1, static_cast<int>(wait.count())) > 0;
}

// Sends all of `bytes` unless the client goes away or the server stops first.
bool ScriptedServer::sendAll(SocketHandle connection, std::string_view bytes) const {
    while (!bytes.empty()) {
        pollfd entries[] = {{connection, POLLOUT, 0}, {stopPipe_[0], POLLIN, 0}};
        if (shim::pollSockets(entries, 2, -1) < 0 || entries[1].revents != 0)
            return false;
        const long sent = shim::sendAvailable(connection, bytes);
        if (sent < 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

void ScriptedServer::run() {
    constexpr std::chrono::hours forever{24};
    while (waitReadable(listener_, forever)) {
        const SocketHandle connection = shim::acceptConnection(listener_);
        if (connection == noSocket)
            continue;
        serve(connection);
    }
}

void ScriptedServer::serve(SocketHandle connection) {
    constexpr std::chrono::seconds requestWait{10};
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && waitReadable(connection, requestWait)) {
        const long received = shim::receive(connection, buffer, sizeof buffer);
        if (received <= 0)
            break;
        request.append(buffer, static_cast<std::size_t>(received));
    }
    {
        const std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }

    for (const Step& step : script_) {
        switch (step.kind) {
        case Step::Kind::Send:
            for (int i = 0; i < step.times; ++i) {
                if (!sendAll(connection, step.bytes)) {
                    shim::closeSocket(connection);
                    return;
                }
            }
            break;
        case Step::Kind::Pause:
            if (stopping(step.wait)) {
                shim::closeSocket(connection);
                return;
            }
            break;
        case Step::Kind::Reset:
            shim::closeAbortively(connection);
            return;
        case Step::Kind::KeepOpen:
            awaitClientClose(connection);
            return;
        case Step::Kind::Close:
            shim::closeSocket(connection);
            return;
        }
    }
    shim::closeSocket(connection);
}

void ScriptedServer::awaitClientClose(SocketHandle connection) {
    constexpr std::chrono::hours forever{24};
    char buffer[4096];
    while (waitReadable(connection, forever)) {
        if (shim::receive(connection, buffer, sizeof buffer) <= 0) {
            {
                const std::lock_guard lock(mutex_);
                clientClosed_ = true;
            }
            clientClosedSignal_.notify_all();
            break;
        }
    }
    shim::closeSocket(connection);
}

UnansweredListener::UnansweredListener() {
    listener_ = boundLoopbackSocket(port_);
    // A backlog of one pending connection, taken by `filler_`: further attempts get no answer.
    if (::listen(listener_, 0) < 0)
        fail("listen");
    filler_ = shim::openTcpSocket();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port_);
    if (::connect(filler_, reinterpret_cast<sockaddr*>(&address), sizeof address) < 0)
        fail("connect");
}

UnansweredListener::~UnansweredListener() {
    shim::closeSocket(filler_);
    shim::closeSocket(listener_);
}

RefusingPort::RefusingPort() {
    socket_ = boundLoopbackSocket(port_);
}

RefusingPort::~RefusingPort() {
    shim::closeSocket(socket_);
}

} // namespace tarvenne::testing
