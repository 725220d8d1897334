#pragma once

namespace tarvenne::ui {

// Sets the environment in which the libraries that the launcher loads into its process (the web
// engine's among them) write no files of their own, and in which the toolkit picks the window
// system whose windows the desktop frames as its own. Called first, before any other thread starts:
// threads read the environment (the resolver, the code page and the cryptography libraries
// among them), so the launcher changes it only then, once, for the whole run.
void prepareStartEnvironment();

} // namespace tarvenne::ui
