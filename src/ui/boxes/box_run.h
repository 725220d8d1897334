#pragma once

class QDialog;
class QWidget;

namespace tarvenne::ui {

// Runs a box that waits for the player (an error box, a page's dialog) and returns its result
// once the player has answered it. While it is up, every page of the launcher is disabled, but
// the windows themselves are not blocked: the player can still move them, and the desktop's close
// request, the close spot and the main window's close button still reach them. (Qt's modality
// would drop the close requests and the clicks of every window that the box blocks.) A box that
// is ended, or a run left because the application is ending, counts as rejected.
int runBox(QDialog& box);

// Whether a box is waiting for the player now.
bool boxIsWaiting();

// Ends the runs that wait for the player inside the caller's own: every box that is up, as
// rejected, and a drag that a page started, which would wait for a button to be released.
void endNestedRuns();

// Hides `window` and deletes it once no box waits for the player any more: a box's run may
// stand on the stack of the window's own page.
void closeOnceNoBoxWaits(QWidget& window);

} // namespace tarvenne::ui
