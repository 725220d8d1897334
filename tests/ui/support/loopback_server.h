#pragma once

#include <QString>
#include <QStringList>
#include <httplib.h>
#include <mutex>
#include <thread>

namespace tarvenne::ui::test {

// A web server on 127.0.0.1 at a free port, answering in a thread of its own. Routes are
// added before start(); it stops by itself when destroyed. It notes the path of every
// request that it has answered.
class LoopbackServer {
public:
    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    httplib::Server& routes() { return server_; }
    void start();

    // "http://127.0.0.1:<port>" followed by `path`.
    QString address(const QString& path = {}) const;

    // Whether a request for `path` (without its query) has been answered.
    bool answered(const QString& path) const;
    // How many requests for `path` (without its query) have been answered.
    int timesAnswered(const QString& path) const;

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    QStringList answered_;
};

} // namespace tarvenne::ui::test
