#include "browser/web_address.h"

#include <QString>
#include <QUrl>

namespace tarvenne::ui {

bool isWebAddress(const QUrl& address) {
    const QString scheme = address.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("data") || scheme == QLatin1String("blob"))
        return true;
    if (scheme != QLatin1String("about"))
        return false;
    const QString page = address.path().toLower();
    return page == QLatin1String("blank") || page == QLatin1String("srcdoc");
}

bool isWebResource(const QUrl& address) {
    const QString scheme = address.scheme().toLower();
    return isWebAddress(address) || scheme == QLatin1String("ws") || scheme == QLatin1String("wss");
}

QUrl webAddressOf(const QString& typed) {
    const QString written = typed.trimmed();
    const QUrl asWritten(written, QUrl::TolerantMode);
    const QUrl asHttp(QStringLiteral("http://") + written, QUrl::TolerantMode);
    const QUrl address = !asWritten.scheme().isEmpty() && asHttp.port() == -1 ? asWritten : asHttp;
    const bool web =
        address.scheme() == QLatin1String("http") || address.scheme() == QLatin1String("https");
    return web && address.host().isEmpty() ? QUrl() : address;
}

} // namespace tarvenne::ui
