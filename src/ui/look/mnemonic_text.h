#pragma once

#include <QString>

namespace tarvenne::ui {

// The text that a label shows for `text`: an ampersand marks the next character as the
// mnemonic and is not shown itself; two ampersands show one.
QString withoutMnemonics(const QString& text);

} // namespace tarvenne::ui
