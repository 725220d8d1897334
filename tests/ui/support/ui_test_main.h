#pragma once

#include "app/application.h"

#include <QTest>

// The main function of an in-process window test: the launcher's own application object, so
// that its event boundary is in place.
#define TARVENNE_UI_TEST_MAIN(TestObject)                                                          \
    int main(int argc, char** argv) {                                                              \
        tarvenne::ui::Application::prepareStart();                                                 \
        tarvenne::ui::Application application(argv[0]);                                            \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
