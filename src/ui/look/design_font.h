#pragma once

#include <QFont>

namespace tarvenne::ui {

// The font of both windows' designs: "Tahoma" 8 point where the face is present, a plain sans
// face (DejaVu Sans) or the toolkit's own face at 8 point otherwise.
QFont designFont();

} // namespace tarvenne::ui
