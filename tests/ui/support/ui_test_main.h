#pragma once

#include "app/application.h"
#include "app/scene_graph_choice.h"

#include <QTest>

// The main function of an in-process window test: the launcher's own application object, so
// that its event boundary is in place, and the launcher's choice of scene graph.
#define TARVENNE_UI_TEST_MAIN(TestObject)                                                          \
    int main(int argc, char** argv) {                                                              \
        tarvenne::ui::Application::prepareStart();                                                 \
        tarvenne::ui::Application application(argv[0]);                                            \
        tarvenne::ui::chooseSceneGraph();                                                          \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
