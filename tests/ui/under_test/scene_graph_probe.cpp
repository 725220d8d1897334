// A web view started as the launcher starts, on a page of one colour. Once that colour is on
// the screen, prints the graphics API that the view's scene graph draws with, as
// {"graphicsApi": N} (QSGRendererInterface::GraphicsApi), and ends.
#include "app/application.h"
#include "app/scene_graph_choice.h"
#include "browser/browser_profile.h"

#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QScreen>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdio>

namespace {

constexpr QRgb pageColour = qRgb(0x2a, 0x7a, 0xb0);

bool pageColourOnScreen(const QWidget& view) {
    const QImage shown = QGuiApplication::primaryScreen()->grabWindow(view.winId()).toImage();
    return !shown.isNull() && shown.pixel(shown.rect().center()) == pageColour;
}

int sceneGraphApi(const QWebEngineView& view) {
    const auto* const delegate = qobject_cast<const QQuickWidget*>(view.focusProxy());
    if (delegate == nullptr || delegate->quickWindow()->rendererInterface() == nullptr)
        return QSGRendererInterface::Unknown;
    return delegate->quickWindow()->rendererInterface()->graphicsApi();
}

} // namespace

int main(int, char** argv) {
    tarvenne::ui::Application::prepareStart();
    tarvenne::ui::Application application(argv[0]);
    tarvenne::ui::chooseSceneGraph();
    tarvenne::ui::BrowserProfile profile;
    QWebEngineView view;
    view.setPage(new QWebEnginePage(&profile, &view));
    view.resize(320, 200);
    view.setHtml(
        QStringLiteral("<body style='background:%1'></body>").arg(QColor(pageColour).name()));
    view.show();

    QTimer screenCheck;
    QObject::connect(&screenCheck, &QTimer::timeout, [&] {
        if (!pageColourOnScreen(view))
            return;
        screenCheck.stop();
        const QJsonObject report{{"graphicsApi", sceneGraphApi(view)}};
        std::printf("%s\n", QJsonDocument(report).toJson(QJsonDocument::Compact).constData());
        QCoreApplication::quit();
    });
    screenCheck.start(50);
    application.exec();
    return 0;
}
