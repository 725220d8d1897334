#pragma once

namespace tarvenne::directory {

// The update document is records joined by recordSeparator, each its fields joined by
// fieldSeparator.
inline constexpr char recordSeparator = '^';
inline constexpr char fieldSeparator = '|';

} // namespace tarvenne::directory
