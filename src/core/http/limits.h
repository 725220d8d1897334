#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace tarvenne::http {

// Bytes asked of the source in one read.
inline constexpr std::size_t readSize = 64 * 1024;

// Longest status, header or chunk-size line, in bytes before its line feed.
inline constexpr std::size_t maxLineLength = 16384;

// Most lines in the heads of one reply, interim heads and status lines included.
inline constexpr int maxHeadLines = 255;

// Largest body, kept or discarded.
inline constexpr std::uint64_t maxBodySize = 64 * 1024 * 1024;

// How long a reply that normally has no body (1xx, 204, 304) is given to start one anyway.
inline constexpr std::chrono::milliseconds unexpectedBodyWait{100};

} // namespace tarvenne::http
