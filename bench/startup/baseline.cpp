// The benchmarks' baseline: one web view on the login page and nothing else, at the size of the
// launcher's browser panel. As it comes, the engine runs with its default settings (the default
// profile; Qt's and the OpenGL driver's shader caches on disk); with --no-shader-cache it runs
// as the launcher does (no shader cache on disk, shared GL contexts, an off-the-record profile).
// A window that a page opens (the game, which the lobby's Play link opens in a new window) takes
// the view's place, and the view is maximised, as the launcher's main window is.
//   tarvenne-startup-baseline [--no-shader-cache] URL
#include <QApplication>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <cstring>

namespace {

class OneViewPage final : public QWebEnginePage {
public:
    OneViewPage(QWebEngineProfile* profile, QWebEngineView* view)
        : QWebEnginePage(profile, view), view_(view) {}

protected:
    QWebEnginePage* createWindow(WebWindowType) override {
        auto* const opened = new OneViewPage(profile(), view_);
        view_->setPage(opened);
        view_->showMaximized();
        deleteLater();
        return opened;
    }

private:
    QWebEngineView* view_;
};

} // namespace

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
    QWebEngineProfile* const profile =
        noShaderCache ? new QWebEngineProfile(&view) : QWebEngineProfile::defaultProfile();
    view.setPage(new OneViewPage(profile, &view));
    view.resize(636, 403);
    view.load(QUrl::fromUserInput(QString::fromLocal8Bit(argv[argc - 1])));
    view.show();
    return application.exec();
}
