// How the launcher draws: which OpenGL renderers count as software rasterisers, and which scene
// graph a web view draws with on the test display, whose OpenGL is Mesa's software rasteriser,
// with and without the user's own choice in the environment.
#include "app/scene_graph_choice.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSGRendererInterface>
#include <QTest>

class SceneGraphTest : public QObject {
    Q_OBJECT

private slots:
    void softwareRasterisers_data();
    void softwareRasterisers();
    void webViewSceneGraphOnASoftwareDisplay_data();
    void webViewSceneGraphOnASoftwareDisplay();
};

void SceneGraphTest::softwareRasterisers_data() {
    QTest::addColumn<QByteArray>("renderer");
    QTest::addColumn<bool>("software");
    QTest::newRow("no OpenGL") << QByteArray() << true;
    QTest::newRow("llvmpipe") << QByteArray("llvmpipe (LLVM 15.0.6, 256 bits)") << true;
    QTest::newRow("softpipe") << QByteArray("softpipe") << true;
    QTest::newRow("swrast") << QByteArray("Mesa swrast") << true;
    QTest::newRow("classic Mesa") << QByteArray("Software Rasterizer") << true;
    QTest::newRow("letter case") << QByteArray("LLVMPIPE") << true;
    QTest::newRow("Windows without a driver") << QByteArray("GDI Generic") << true;
    QTest::newRow("Intel") << QByteArray("Mesa Intel(R) UHD Graphics 620 (KBL GT2)") << false;
    QTest::newRow("AMD built with LLVM")
        << QByteArray("AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49, 6.1.0)")
        << false;
    QTest::newRow("NVIDIA") << QByteArray("NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2") << false;
}

void SceneGraphTest::softwareRasterisers() {
    QFETCH(QByteArray, renderer);
    QFETCH(bool, software);
    QCOMPARE(tarvenne::ui::isSoftwareRasteriser(renderer.toStdString()), software);
}

void SceneGraphTest::webViewSceneGraphOnASoftwareDisplay_data() {
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("graphicsApi");
    QTest::newRow("launcher's choice")
        << QString() << QString() << int(QSGRendererInterface::Software);
    QTest::newRow("QT_QUICK_BACKEND wins")
        << QStringLiteral("QT_QUICK_BACKEND") << QStringLiteral("rhi")
        << int(QSGRendererInterface::OpenGL);
    QTest::newRow("QSG_RHI_BACKEND wins")
        << QStringLiteral("QSG_RHI_BACKEND") << QStringLiteral("opengl")
        << int(QSGRendererInterface::OpenGL);
}

// The page draws on the screen in every case; what differs is the scene graph under it.
void SceneGraphTest::webViewSceneGraphOnASoftwareDisplay() {
    QFETCH(QString, variable);
    QFETCH(QString, value);
    QFETCH(int, graphicsApi);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QUICK_BACKEND"));
    environment.remove(QStringLiteral("QSG_RHI_BACKEND"));
    if (!variable.isEmpty())
        environment.insert(variable, value);
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(QStringLiteral(TARVENNE_SCENE_GRAPH_PROBE), {});
    QVERIFY2(probe.waitForFinished(60000), "the page's colour never reached the screen");
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    const QJsonObject report = QJsonDocument::fromJson(probe.readAllStandardOutput()).object();
    QCOMPARE(report.value(QStringLiteral("graphicsApi")).toInt(-1), graphicsApi);
}

QTEST_GUILESS_MAIN(SceneGraphTest)
#include "scene_graph_test.moc"
