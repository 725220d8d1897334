#pragma once

#include "http/reply_reader.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace tarvenne::http {

// Plays a reply from pieces of bytes, one piece per read at most, then reports the close.
// An empty piece is a silence: a poll during it finds nothing. Fed byte by byte, every read
// yields a single byte.
class ScriptedSource : public ByteSource {
public:
    enum class Feed { Whole, ByteByByte };

    ScriptedSource(const std::vector<std::string>& pieces, Feed feed)
        : pieces_(pieces.begin(), pieces.end()), feed_(feed) {}

    std::size_t read(char* buffer, std::size_t size) override {
        while (!pieces_.empty() && pieces_.front().empty())
            pieces_.pop_front();
        if (pieces_.empty())
            return 0;
        std::string& piece = pieces_.front();
        std::size_t taken = std::min(size, piece.size());
        if (feed_ == Feed::ByteByByte)
            taken = std::min<std::size_t>(taken, 1);
        std::memcpy(buffer, piece.data(), taken);
        piece.erase(0, taken);
        if (piece.empty())
            pieces_.pop_front();
        return taken;
    }

    bool poll(std::chrono::milliseconds) override {
        if (!pieces_.empty() && pieces_.front().empty()) {
            pieces_.pop_front();
            return false;
        }
        return true;
    }

private:
    std::deque<std::string> pieces_;
    Feed feed_;
};

inline const ScriptedSource::Feed bothFeeds[] = {ScriptedSource::Feed::Whole,
                                                 ScriptedSource::Feed::ByteByByte};

} // namespace tarvenne::http
