#pragma once

class QUrl;

namespace tarvenne::ui {

// Whether a page or window of the launcher may load `address`: the web's own schemes (http,
// https, data, blob) and the empty documents about:blank and about:srcdoc. Every other scheme
// (the desktop's custom protocols, mailto, file, the launcher's resources, the engine's internal
// pages) would reach beyond the web.
bool isWebAddress(const QUrl& address);

// The same for what a page fetches inside it, which may also be a WebSocket (ws, wss).
bool isWebResource(const QUrl& address);

} // namespace tarvenne::ui
