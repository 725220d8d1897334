#pragma once

#include "loopback_server.h"

#include <QPoint>
#include <QString>
#include <condition_variable>
#include <mutex>
#include <string>

namespace tarvenne::ui::test {

// The operator's site as the tests play it: a login page with new-window links, which sets
// a session cookie, the game page behind the hand-off marker, which shows the cookie it
// received, and a few other documents.
class TestSite {
public:
    TestSite();

    QString address(const QString& path = {}) const { return server_.address(path); }
    bool answered(const QString& path) const { return server_.answered(path); }

    // A link of the login page, a block that opens a new window: its element id, its
    // centre relative to the browser's top-left corner, the path that it opens and the
    // title of the page there.
    struct Link {
        QString id;
        QPoint centre;
        QString path;
        QString title;
    };
    // "handoff" (with the marker), "plain" (without), "capitals" (the marker in capitals).
    static Link link(const QString& id);
    // The session cookie that the login page sets.
    static constexpr char sessionCookie[] = "session=s3cret";

private:
    LoopbackServer server_;
};

// The operator's directory server: answers "/update.html" with the given body, at once or, when
// held, only once it is released.
class DirectoryServer {
public:
    enum class Answer { AtOnce, WhenReleased };
    explicit DirectoryServer(std::string updateDocument, Answer answer = Answer::AtOnce);
    ~DirectoryServer();
    DirectoryServer(const DirectoryServer&) = delete;
    DirectoryServer& operator=(const DirectoryServer&) = delete;

    QString updateDocumentAddress() const {
        return server_.address(QStringLiteral("/update.html"));
    }

    // Whether the update document has been asked for.
    bool requested() const;
    void release();

private:
    mutable std::mutex mutex_;
    std::condition_variable released_;
    bool requested_ = false;
    bool held_;
    // Last, so that it stops before the rest goes.
    LoopbackServer server_;
};

// An update document whose "Tarvenne" record leads to the site's login page.
std::string updateDocumentFor(const TestSite& site, const QString& title);

} // namespace tarvenne::ui::test
