// The check's cause of a fetch that ran out of time, taken from the client's time-out.
#include "net/socket_error.h"
#include "reply_check.h"

#include <gtest/gtest.h>
#include <string>

namespace tarvenne::tools {
namespace {

using namespace std::chrono_literals;
using Wait = net::TimeoutError::Wait;

TEST(ReplyCheck, NamesTheTimeOutThatRanOutAndItsBound) {
    struct Case {
        Wait wait;
        std::chrono::milliseconds limit;
        std::string message;
    };
    const Case cases[] = {
        {Wait::Connect, 15s,
         "the server did not accept the connection within 15 s: the launcher shows \"Connect "
         "timed out.\" in its error box"},
        {Wait::Idle, 30s,
         "the server sent nothing for 30 s: the launcher shows \"Read timed out.\" in its error "
         "box; the document must come from a plain file or a back end that answers well within "
         "this time"},
        {Wait::Total, 1500ms,
         "the whole reply took longer than 1500 ms: the launcher shows \"Read timed out.\" in "
         "its error box; the document must come from a plain file or a back end that answers "
         "well within this time"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const ReplyProblem problem =
            fetchFailureProblem(net::TimeoutError(c.wait, c.limit), std::nullopt);
        EXPECT_EQ(problem.severity, Severity::Error);
        EXPECT_EQ(problem.message, c.message);
    }
}

} // namespace
} // namespace tarvenne::tools
