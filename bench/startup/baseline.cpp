// The start-up benchmark's baseline: one web view on the login page and nothing else, with the
// launcher's engine settings (no shader cache on disk, neither Qt's nor the OpenGL driver's;
// shared GL contexts; an off-the-record profile) and its browser panel's size.
#include <QApplication>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
    qputenv("MESA_SHADER_CACHE_DISABLE", "true");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    if (argc != 2) {
        return 2;
    }
    QWebEngineProfile profile;
    QWebEngineView view;
    view.setPage(new QWebEnginePage(&profile, &view));
    view.resize(636, 403);
    view.load(QUrl::fromUserInput(QString::fromLocal8Bit(argv[1])));
    view.show();
    return application.exec();
}
