#include "platform/session_end.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvenne::ui {
namespace {

constexpr std::array sessionSignals{SIGTERM, SIGHUP, SIGINT};

// The end of the socket pair that the signal handler writes to: a signal handler reaches no
// object, only what is global.
int signalWriteEnd = -1;

// [signal-safety(7)] write() is async-signal-safe; errno is kept for the interrupted code.
extern "C" void noteSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalWriteEnd, &byte, 1);
    errno = savedErrno;
}

void setHandler(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : sessionSignals)
        sigaction(signal, &action, nullptr);
}

} // namespace

SessionEnd::SessionEnd(QObject* parent) : QObject(parent) {
    std::array<int, 2> ends{};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends.data()) != 0)
        return;
    readEnd_ = ends[0];
    signalWriteEnd = ends[1];
    auto* const notifier = new QSocketNotifier(readEnd_, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &SessionEnd::takeSignals);
    setHandler(noteSignal);
}

SessionEnd::~SessionEnd() {
    if (readEnd_ < 0)
        return;
    setHandler(SIG_DFL);
    ::close(signalWriteEnd);
    signalWriteEnd = -1;
    ::close(readEnd_);
}

void SessionEnd::takeSignals() {
    std::array<char, 16> bytes{};
    while (::read(readEnd_, bytes.data(), bytes.size()) > 0) {
    }
    ended_ = true;
    emit ending();
}

} // namespace tarvenne::ui
