#include "look/mnemonic_text.h"

namespace tarvenne::ui {

QString withoutMnemonics(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            ++i;
            if (i == text.size())
                break;
        }
        shown += text[i];
    }
    return shown;
}

} // namespace tarvenne::ui
