#pragma once

#include <string_view>

namespace tarvenne::ui {

// Whether an OpenGL renderer, as GL_RENDERER names it, is a software rasteriser (Mesa's
// llvmpipe, softpipe and swrast, Windows' own GDI renderer). An empty name stands for no
// OpenGL at all and counts as software.
bool isSoftwareRasteriser(std::string_view renderer);

// Chooses how Qt Quick, and with it every web view of the launcher, draws: the software scene
// graph where OpenGL is a software rasteriser or missing, as no shader is then compiled at each
// start (the launcher keeps no shader cache on disk); the hardware path on real GPU drivers,
// which WebGL and canvas in the game's client use. A scene graph that the user chose in the
// environment (QT_QUICK_BACKEND, QSG_RHI_BACKEND) stands. Asks the application's global share
// context, so it is called after the application object and before any window exists.
void chooseSceneGraph();

} // namespace tarvenne::ui
