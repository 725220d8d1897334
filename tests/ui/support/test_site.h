#pragma once

#include "loopback_server.h"

#include <QPoint>
#include <QString>
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

// The operator's directory server: answers "/update.html" with the given body.
class DirectoryServer {
public:
    explicit DirectoryServer(std::string updateDocument);

    QString updateListUrl() const { return server_.address(QStringLiteral("/update.html")); }

private:
    LoopbackServer server_;
};

// An update document whose "Tarvenne" record leads to the site's login page.
std::string updateDocumentFor(const TestSite& site, const QString& title);

} // namespace tarvenne::ui::test
