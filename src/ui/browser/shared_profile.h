#pragma once

class QWebEngineProfile;

namespace tarvenne::ui {

// The one off-the-record profile of every browser of the launcher, the component's own
// windows included: the login page's session cookies reach the game page, and nothing is
// stored on disk. Created on first use.
QWebEngineProfile* sharedProfile();

// Closes the component's own windows and releases the profile. Called at exit, after the
// launcher's windows are gone and before the application object ends.
void releaseBrowsers();

} // namespace tarvenne::ui
