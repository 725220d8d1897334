#pragma once

#include <QString>

class QWidget;

namespace tarvenne::ui {

// Gives a top-level window the title `title` exactly as written: the toolkit's placeholder for
// unsaved changes, "[*]", stays as it is, and an empty title stays empty (the toolkit would show
// the program's name in its place).
void setExactWindowTitle(QWidget& window, const QString& title);

// Keeps an empty title empty on a new native window, which the toolkit titles with the program's
// name: a window with an exact title calls this whenever it gets a native window.
void keepEmptyTitle(QWidget& window);

} // namespace tarvenne::ui
