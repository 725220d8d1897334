#pragma once

#include "error_box/error_box.h"

#include <utility>

namespace tarvenne::ui {

// Builds a window from its design, sets `reference` to it and then runs its creation
// handler `FormCreate`. A failure that escapes the handler is shown in the error box and
// the creation completes: the window is used as if the handler had returned.
template <typename Form, typename... DesignArgs>
Form* createForm(Form*& reference, DesignArgs&&... design) {
    reference = new Form(std::forward<DesignArgs>(design)...);
    Form* const form = reference;
    showingFailures([form] { form->FormCreate(); });
    return form;
}

} // namespace tarvenne::ui
