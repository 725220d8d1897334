// The start-up benchmark's baseline: one web view on the login page and nothing else,
// with the launcher's browser panel size.
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        return 2;
    }
    QWebEngineView view;
    view.resize(636, 403);
    view.load(QUrl::fromUserInput(QString::fromLocal8Bit(argv[1])));
    view.show();
    return application.exec();
}
