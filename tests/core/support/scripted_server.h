#pragma once

#include "socket_handle.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tarvenne::testing {

// One thing the server does after it has read a request head.
struct Step {
    enum class Kind { Send, Pause, Close, Reset, KeepOpen };
    Kind kind = Kind::Close;
    std::string bytes;                // Send
    std::chrono::milliseconds wait{}; // Pause
    int times = 1;                    // Send: how often the bytes are sent in a row
};

Step send(std::string bytes);
Step sendRepeated(std::string bytes, int times);
Step pause(std::chrono::milliseconds wait);
Step close();    // orderly close
Step reset();    // abortive close: the client sees a reset
Step keepOpen(); // holds the connection until the client closes it

// A TCP server on 127.0.0.1 at a free port that answers each connection in turn by reading
// the request head, recording it, and playing the script; a script without a closing step
// ends with an orderly close. It stops by itself when destroyed.
class ScriptedServer {
public:
    explicit ScriptedServer(std::vector<Step> script);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    std::uint16_t port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by `target`.
    std::string url(std::string_view target = "/update.html") const;

    // The request heads received so far, one per connection, byte for byte.
    std::vector<std::string> requests() const;

    // Whether a client closed a connection that the script kept open, waiting at most
    // `timeout` for it.
    bool waitForClientClose(std::chrono::milliseconds timeout);

private:
    void run();
    void serve(SocketHandle connection);
    bool waitReadable(SocketHandle socket, std::chrono::milliseconds timeout) const;
    bool stopping(std::chrono::milliseconds wait) const;
    bool sendAll(SocketHandle connection, std::string_view bytes) const;
    void awaitClientClose(SocketHandle connection);

    std::vector<Step> script_;
    SocketHandle listener_ = noSocket;
    SocketHandle stopPipe_[2] = {noSocket, noSocket};
    std::uint16_t port_ = 0;

    mutable std::mutex mutex_;
    std::condition_variable clientClosedSignal_;
    std::vector<std::string> requests_;
    bool clientClosed_ = false;

    std::thread thread_;
};

// A listening socket on 127.0.0.1 whose backlog is full, so that a further connection
// attempt waits without an answer.
class UnansweredListener {
public:
    UnansweredListener();
    ~UnansweredListener();
    UnansweredListener(const UnansweredListener&) = delete;
    UnansweredListener& operator=(const UnansweredListener&) = delete;

    std::uint16_t port() const { return port_; }

private:
    SocketHandle listener_ = noSocket;
    SocketHandle filler_ = noSocket;
    std::uint16_t port_ = 0;
};

// A socket bound to a port on 127.0.0.1 without listening, so that connecting is refused.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;

    std::uint16_t port() const { return port_; }

private:
    SocketHandle socket_ = noSocket;
    std::uint16_t port_ = 0;
};

} // namespace tarvenne::testing
