#include "browser/web_address.h"

#include <QString>
#include <QUrl>
#include <directory/login_address.h>

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

QString refusedAddressNotice(const QUrl& address) {
    const QString scheme = address.scheme().toLower();
    return scheme.isEmpty()
               ? QStringLiteral("Not opened: the launcher opens web addresses only")
               : QStringLiteral("Not opened: the launcher does not open %1: addresses").arg(scheme);
}

QUrl webAddressOf(const QString& typed) {
    const directory::LoginAddress read =
        directory::readLoginAddress(typed.trimmed().toStdU16String());
    if (read.web && !read.namesHost)
        return {};
    // The toolkit judges the rest of the address, the host's characters among them.
    const QUrl address(QString::fromStdU16String(read.address), QUrl::TolerantMode);
    return read.web && address.host().isEmpty() ? QUrl() : address;
}

} // namespace tarvenne::ui
