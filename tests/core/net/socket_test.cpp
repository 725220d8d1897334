#include "net/resolver.h"
#include "net/socket.h"
#include "net/socket_error.h"
#include "platform_expectations.h"
#include "scripted_server.h"

#include <gtest/gtest.h>

namespace tarvenne::net {
namespace {

using namespace std::chrono_literals;
using namespace tarvenne::testing;

constexpr Ipv4Address loopback = 0x7F000001;
const std::string request = "GET / HTTP/1.1\r\n\r\n";

// Everything the peer sends until it closes.
std::string receiveAll(Socket& socket) {
    std::string bytes;
    char buffer[7];
    while (const std::size_t received = socket.receive(buffer, sizeof buffer, 5s))
        bytes.append(buffer, received);
    return bytes;
}

TEST(Resolve, Ipv4AddressesAreUsedAsWritten) {
    EXPECT_EQ(resolveIpv4("127.0.0.1"), loopback);
    EXPECT_EQ(resolveIpv4("10.20.30.40"), 0x0A141E28u);
    EXPECT_EQ(resolveIpv4("localhost"), loopback);
}

TEST(Socket, SendsAndReceivesUntilThePeerCloses) {
    ScriptedServer server({send("first "), pause(20ms), send("second"), close()});
    Socket socket = Socket::connect({loopback, server.port()}, 5s);
    socket.send(request);
    EXPECT_EQ(receiveAll(socket), "first second");
    EXPECT_EQ(server.requests(), std::vector<std::string>{request});
    EXPECT_FALSE(socket.isOpen());
}

TEST(Socket, IsOpenWhileThePeerHoldsTheConnection) {
    ScriptedServer server({send("hi"), keepOpen()});
    Socket socket = Socket::connect({loopback, server.port()}, 5s);
    socket.send(request);
    char buffer[2];
    ASSERT_TRUE(socket.waitReadable(5s));
    EXPECT_EQ(socket.receive(buffer, 1, 5s), 1u);
    EXPECT_TRUE(socket.isOpen());
    EXPECT_EQ(socket.receive(buffer, 1, 5s), 1u);
    try {
        socket.receive(buffer, 1, 10ms);
        ADD_FAILURE() << "received";
    } catch (const TimeoutError& error) {
        EXPECT_EQ(error.message(), u"Read timed out.");
    }
    EXPECT_TRUE(socket.isOpen());
    socket.close();
    EXPECT_FALSE(socket.isOpen());
    EXPECT_TRUE(server.waitForClientClose(5s));
}

TEST(Socket, ResetIsReportedOnReceiveAndOnSendWithoutSignal) {
    ScriptedServer server({reset()});
    Socket socket = Socket::connect({loopback, server.port()}, 5s);
    socket.send(request);
    ASSERT_TRUE(socket.waitReadable(5s));
    if (platform::receiveReportsReset()) {
        try {
            receiveAll(socket);
            ADD_FAILURE() << "no failure on receive";
        } catch (const SocketError& error) {
            EXPECT_EQ(error.code(), 10054);
        }
    } else {
        EXPECT_EQ(receiveAll(socket), "");
    }
    // A send to the reset connection fails with an error instead of a SIGPIPE.
    try {
        socket.send(request);
        ADD_FAILURE() << "no failure on send";
    } catch (const SocketError& error) {
        EXPECT_EQ(error.code(), 10054);
    }
}

TEST(Socket, ConnectFailures) {
    RefusingPort refusing;
    try {
        Socket::connect({loopback, refusing.port()}, 5s);
        ADD_FAILURE() << "connected";
    } catch (const SocketError& error) {
        EXPECT_EQ(error.message(), u"Socket Error # 10061\r\nConnection refused.");
    }

    UnansweredListener unanswered;
    try {
        Socket::connect({loopback, unanswered.port()}, 100ms);
        ADD_FAILURE() << "connected";
    } catch (const TimeoutError& error) {
        EXPECT_EQ(error.message(), u"Connect timed out.");
    }
}

} // namespace
} // namespace tarvenne::net
