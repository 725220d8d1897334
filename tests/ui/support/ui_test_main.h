#pragma once

#include "app/application.h"
#include "app/scene_graph_choice.h"
#include "browser/shared_profile.h"

#include <QTest>

// The main function of an in-process window test: the launcher's own application object,
// so that its event boundary is in place, the launcher's choice of scene graph, and the
// shared browser profile released at the end.
#define TARVENNE_UI_TEST_MAIN(TestObject)                                                          \
    int main(int argc, char** argv) {                                                              \
        tarvenne::ui::Application::prepareStart();                                                 \
        tarvenne::ui::Application application(argv[0]);                                            \
        tarvenne::ui::chooseSceneGraph();                                                          \
        int status = 0;                                                                            \
        {                                                                                          \
            TestObject test;                                                                       \
            status = QTest::qExec(&test, argc, argv);                                              \
        }                                                                                          \
        tarvenne::ui::releaseBrowsers();                                                           \
        return status;                                                                             \
    }
