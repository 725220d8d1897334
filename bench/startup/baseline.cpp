// The start-up benchmark's baseline: one web view on the login page and nothing else, at the
// size of the launcher's browser panel. As it comes, the engine runs with its default settings
// (the default profile; Qt's and the OpenGL driver's shader caches on disk); with
// --no-shader-cache it runs as the launcher does (no shader cache on disk, shared GL contexts,
// an off-the-record profile).
//   tarvenne-startup-baseline [--no-shader-cache] URL
#include <QApplication>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <cstring>

int main(int argc, char** argv) {
    const bool noShaderCache = argc == 3 && std::strcmp(argv[1], "--no-shader-cache") == 0;
    if (argc != 2 && !noShaderCache)
        return 2;
    if (noShaderCache) {
        QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
        qputenv("MESA_SHADER_CACHE_DISABLE", "true");
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    }
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QWebEngineView view;
    if (noShaderCache)
        view.setPage(new QWebEnginePage(new QWebEngineProfile(&view), &view));
    view.resize(636, 403);
    view.load(QUrl::fromUserInput(QString::fromLocal8Bit(argv[argc - 1])));
    view.show();
    return application.exec();
}
