#include "loopback_server.h"

#include <stdexcept>

namespace tarvenne::ui::test {

LoopbackServer::LoopbackServer() {
    // One request a connection: a connection that the browser keeps open would hold up the
    // server's end until its keep-alive time has passed.
    server_.set_keep_alive_max_count(1);
    server_.set_logger([this](const httplib::Request& request, const httplib::Response&) {
        const std::lock_guard lock(mutex_);
        answered_.append(QString::fromStdString(request.path));
    });
}

LoopbackServer::~LoopbackServer() {
    server_.stop();
    if (thread_.joinable())
        thread_.join();
}

void LoopbackServer::start() {
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0)
        throw std::runtime_error("the loopback server cannot bind");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
}

QString LoopbackServer::address(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
}

bool LoopbackServer::answered(const QString& path) const {
    const std::lock_guard lock(mutex_);
    return answered_.contains(path);
}

int LoopbackServer::timesAnswered(const QString& path) const {
    const std::lock_guard lock(mutex_);
    return int(answered_.count(path));
}

} // namespace tarvenne::ui::test
