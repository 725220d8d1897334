#include "lookup.h"

#include "base/error_text.h"
#include "directory/choose_game_record.h"

namespace tarvenne::tools {

Outcome failureOutcome(const std::exception& failure) {
    return {std::nullopt, errorBoxText(failure).value_or(std::u16string())};
}

Outcome launcherOutcome(std::u16string document, text::CodePage ansiCodePage) {
    try {
        return {directory::chooseGameRecord(std::move(document), ansiCodePage), std::nullopt};
    } catch (const std::exception& failure) {
        return failureOutcome(failure);
    }
}

} // namespace tarvenne::tools
