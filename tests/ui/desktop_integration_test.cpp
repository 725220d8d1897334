// The launcher on an X desktop started from its desktop entry: the desktop's startup
// notification (a busy pointer while the update document is fetched and no window is up) ends
// when the login window appears, and the launcher's windows carry its own icon.
#include "launcher_process.h"
#include "test_site.h"
#include "x11_client.h"

#include <QCoreApplication>
#include <QHash>
#include <QProcessEnvironment>
#include <QSet>
#include <QStringList>
#include <QTest>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <xcb/xcb.h>

using namespace tarvenne::ui::test;

namespace {

constexpr int timeout = 60000;

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

// An X client that listens as a desktop does: to the startup notification messages sent to
// the root window, and to the icons of windows.
class DesktopListener {
public:
    DesktopListener() : connection_(xcb_connect(nullptr, nullptr)) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        // Startup notification messages go to every client that listens to the root window's
        // property changes.
        const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection_, root, XCB_CW_EVENT_MASK, &mask);
        begin_ = atom("_NET_STARTUP_INFO_BEGIN");
        more_ = atom("_NET_STARTUP_INFO");
        xcb_flush(connection_);
    }
    ~DesktopListener() { xcb_disconnect(connection_); }
    DesktopListener(const DesktopListener&) = delete;
    DesktopListener& operator=(const DesktopListener&) = delete;

    // The startup notification messages received so far, each whole.
    QStringList startupMessages() {
        while (auto event = owned(xcb_poll_for_event(connection_))) {
            if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE)
                continue;
            const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event.get());
            if (message->type != begin_ && message->type != more_)
                continue;
            // [startup-notification-spec] A message is split into pieces of 20 bytes, the first
            // with _NET_STARTUP_INFO_BEGIN, and ends with a zero byte.
            if (message->type == begin_)
                pending_[message->window].clear();
            QByteArray& text = pending_[message->window];
            for (const std::uint8_t byte : message->data.data8) {
                if (byte == 0) {
                    messages_.append(QString::fromUtf8(text));
                    pending_.remove(message->window);
                    break;
                }
                text.append(static_cast<char>(byte));
            }
        }
        return messages_;
    }

    // The sizes of the icons in the window's _NET_WM_ICON property.
    QSet<int> iconSizes(std::uint32_t window) const {
        auto reply = owned(
            xcb_get_property_reply(connection_,
                                   xcb_get_property(connection_, 0, window, atom("_NET_WM_ICON"),
                                                    XCB_ATOM_CARDINAL, 0, 1 << 20),
                                   nullptr));
        QSet<int> sizes;
        if (!reply)
            return sizes;
        // [wm-spec] Width, height and width × height pixels, for each icon in turn.
        const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
        const auto count = static_cast<std::size_t>(xcb_get_property_value_length(reply.get())) / 4;
        for (std::size_t i = 0; i + 2 <= count;) {
            const std::uint32_t width = values[i];
            const std::uint32_t height = values[i + 1];
            if (width == height)
                sizes.insert(static_cast<int>(width));
            i += 2 + static_cast<std::size_t>(width) * height;
        }
        return sizes;
    }

private:
    std::uint32_t atom(const char* name) const {
        auto reply = owned(xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, std::strlen(name), name), nullptr));
        return reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
    }

    xcb_connection_t* connection_;
    std::uint32_t begin_ = XCB_ATOM_NONE;
    std::uint32_t more_ = XCB_ATOM_NONE;
    QHash<std::uint32_t, QByteArray> pending_;
    QStringList messages_;
};

} // namespace

class DesktopIntegrationTest : public QObject {
    Q_OBJECT

private slots:
    void startupNotificationEndsWithTheLoginWindow();
};

// Started with a startup identifier, as a desktop starts a program whose entry asks for
// startup notification, the launcher ends the notification once its login window is up, and
// that window carries the launcher's icon at every size it ships.
void DesktopIntegrationTest::startupNotificationEndsWithTheLoginWindow() {
    DesktopListener desktop;
    const QString startupId =
        QStringLiteral("tarvenne-test-%1_TIME0").arg(QCoreApplication::applicationPid());
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("DESKTOP_STARTUP_ID"), startupId);
    TestSite site;
    DirectoryServer directory(updateDocumentFor(site, QStringLiteral("Tarvenne Online")));
    LauncherProcess launcher(QStringLiteral(TARVENNE_UNDER_TEST), directory.updateDocumentAddress(),
                             environment);
    X11Client windows;

    std::optional<std::uint32_t> login;
    QTRY_VERIFY_WITH_TIMEOUT(
        (login = windows.viewableWindow(launcher.pid(), QStringLiteral("Tarvenne Online"))),
        timeout);
    const QString removal = QStringLiteral("remove: ID=") + startupId;
    QTRY_VERIFY_WITH_TIMEOUT(desktop.startupMessages().contains(removal), timeout);
    QCOMPARE(desktop.startupMessages().filter(startupId), QStringList{removal});

    const QSet<int> sizes = desktop.iconSizes(*login);
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        QVERIFY2(sizes.contains(size), qPrintable(QString::number(size)));

    windows.requestClose(*login);
    QVERIFY(launcher.endsWithStatusZero(timeout));
}

QTEST_GUILESS_MAIN(DesktopIntegrationTest)
#include "desktop_integration_test.moc"
