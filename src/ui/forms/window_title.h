#pragma once

#include <QString>

class QWidget;

namespace tarvenne::ui {

// Gives a top-level window the title `title` exactly as written: the toolkit's placeholder for
// unsaved changes, "[*]", stays as it is, and an empty title stays empty (the toolkit would show
// the program's name in its place).
void setExactWindowTitle(QWidget& window, const QString& title);

} // namespace tarvenne::ui
