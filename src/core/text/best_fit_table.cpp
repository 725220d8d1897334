#include "text/best_fit_table.h"

#include <algorithm>

namespace tarvenne::text {
namespace {

struct PageBestFits {
    CodePage codePage;
    std::span<const BestFit> table;
};

#include "text/best_fit_tables.inc"

} // namespace

const std::span<const BestFit>& bestFitTable(CodePage codePage) {
    static constexpr std::span<const BestFit> none;
    const auto* found = std::ranges::find(pageBestFits, codePage, &PageBestFits::codePage);
    return found == std::end(pageBestFits) ? none : found->table;
}

std::optional<std::string> bestFitBytes(std::span<const BestFit> table, char16_t unit) {
    const auto found = std::ranges::lower_bound(table, unit, {}, &BestFit::unit);
    if (found == table.end() || found->unit != unit)
        return std::nullopt;
    if (found->code < 0x100)
        return std::string(1, static_cast<char>(found->code));
    return std::string{static_cast<char>(found->code >> 8), static_cast<char>(found->code & 0xFF)};
}

} // namespace tarvenne::text
