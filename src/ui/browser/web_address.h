#pragma once

class QString;
class QUrl;

namespace tarvenne::ui {

// Whether a page or window of the launcher may load `address`: the web's own schemes (http,
// https, data, blob) and the empty documents about:blank and about:srcdoc. Every other scheme
// (the desktop's custom protocols, mailto, file, the launcher's resources, the engine's internal
// pages) would reach beyond the web.
bool isWebAddress(const QUrl& address);

// The same for what a page fetches inside it, which may also be a WebSocket (ws, wss).
bool isWebResource(const QUrl& address);

// What the player is told when a click of the player's asks for `address` and is refused: it
// names the address's scheme.
QString refusedAddressNotice(const QUrl& address);

// `typed` as a browser's address bar takes what is typed into it: white space around it is
// dropped, and an address without a scheme (a host name or address, with or without a port and a
// path) is an http:// address; "localhost:8889/login.html" names a host and its port, not the
// scheme "localhost". An invalid address when it cannot be made into a web address: a web
// address without a host, or one that no browser would take.
QUrl webAddressOf(const QString& typed);

} // namespace tarvenne::ui
