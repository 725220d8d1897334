#pragma once

namespace tarvenne::net {

// Starts Windows Sockets once per process, before the first socket call; it stays up until
// the process ends. Throws SocketError with the platform's code when it cannot start.
void startWinsock();

} // namespace tarvenne::net
