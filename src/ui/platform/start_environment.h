#pragma once

#include <QByteArray>
#include <optional>

namespace tarvenne::ui {

// The environment in which the libraries that the launcher loads into its process (the web
// engine's among them) write no files of their own. Made first, before any other thread starts,
// as the environment is changed only then; once the application object exists,
// applicationStarted() gives back what was needed only while it was made.
class StartEnvironment final {
public:
    StartEnvironment();
    StartEnvironment(const StartEnvironment&) = delete;
    StartEnvironment& operator=(const StartEnvironment&) = delete;

    void applicationStarted();

private:
    // The temporary folder while the application object is made, when it is held away; empty
    // inside when there was none.
    std::optional<std::optional<QByteArray>> heldTemporaryFolder_;
};

} // namespace tarvenne::ui
