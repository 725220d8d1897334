#pragma once

namespace tarvenne::text {

// Windows code page numbers (37, 437, 936, 1252, 65001, ...).
using CodePage = int;

} // namespace tarvenne::text
