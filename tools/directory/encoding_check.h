#pragma once

#include "check_context.h"

// The checks of how the body's bytes become the launcher's text: the declared charset against
// the bytes, and a byte-order mark at the start.
namespace tarvenne::tools {

// Reports a declared charset that the launcher does not know or cannot decode, and bytes that
// do not fit the charset that the launcher reads them in. Returns whether it named a charset to
// declare, in whose stead the launcher reads C1 controls.
bool checkCharset(const CheckedBody& body, Findings& findings);

// Reports a byte-order mark at the start, an error where it costs the game's record.
void checkByteOrderMark(const CheckedBody& body, Findings& findings);

} // namespace tarvenne::tools
