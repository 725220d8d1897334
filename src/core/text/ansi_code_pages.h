#pragma once

#include "text/code_page.h"

#include <array>

namespace tarvenne::text {

// The code pages that Windows takes as a user's ANSI code page: Thai, the four East Asian
// double-byte pages and the nine Windows pages of the European and Middle Eastern scripts.
inline constexpr std::array<CodePage, 14> ansiCodePages{874,  932,  936,  949,  950,  1250, 1251,
                                                        1252, 1253, 1254, 1255, 1256, 1257, 1258};

} // namespace tarvenne::text
