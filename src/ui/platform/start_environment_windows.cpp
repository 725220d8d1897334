#include "platform/start_environment.h"

namespace tarvenne::ui {

// The libraries that the web engine uses on Windows keep to the engine's own settings.
void prepareStartEnvironment() {}

} // namespace tarvenne::ui
