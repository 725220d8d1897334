#include "app/scene_graph_choice.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <string>

namespace tarvenne::ui {
namespace {

// The renderer of the global share context that the application object made, which the
// driver is already loaded for: asking it costs a context switch, not a driver start.
std::string sharedContextRenderer() {
    QOpenGLContext* const shared = QOpenGLContext::globalShareContext();
    if (shared == nullptr || !shared->isValid())
        return {};
    QOffscreenSurface surface;
    surface.setFormat(shared->format());
    surface.create();
    if (!shared->makeCurrent(&surface))
        return {};
    const auto* const name =
        reinterpret_cast<const char*>(shared->functions()->glGetString(GL_RENDERER));
    std::string renderer = name != nullptr ? name : "";
    shared->doneCurrent();
    return renderer;
}

bool userChoseSceneGraph() {
    return !qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") ||
           !qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND");
}

} // namespace

bool isSoftwareRasteriser(std::string_view renderer) {
    static constexpr std::array<const char*, 5> softwareNames{"llvmpipe", "softpipe", "swrast",
                                                              "Software Rasterizer", "GDI Generic"};
    if (renderer.empty())
        return true;
    const QLatin1String name(renderer.data(), static_cast<qsizetype>(renderer.size()));
    return std::any_of(softwareNames.begin(), softwareNames.end(), [&](const char* software) {
        return name.contains(QLatin1String(software), Qt::CaseInsensitive);
    });
}

void chooseSceneGraph() {
    if (userChoseSceneGraph())
        return;
    if (isSoftwareRasteriser(sharedContextRenderer()))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

} // namespace tarvenne::ui
