#pragma once

#include <QObject>

namespace tarvenne::ui {

// The desktop ending the launcher's session: on POSIX systems the signals SIGTERM, SIGHUP and
// SIGINT, which would otherwise kill the launcher with their own status. Each of them, from
// the moment this object exists until it is destroyed, arrives as the ending() signal in the
// event loop, so that the launcher can end as it does on a close request. Made once the web
// engine has started, which resets these signals to their default action when it starts.
class SessionEnd final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionEnd)

public:
    explicit SessionEnd(QObject* parent = nullptr);
    ~SessionEnd() override;

    // Whether the session has ended.
    bool hasEnded() const { return ended_; }

signals:
    void ending();

private:
    void takeSignals();

    int readEnd_ = -1;
    bool ended_ = false;
};

} // namespace tarvenne::ui
