#include "ui/look.h"

#include <QApplication>
#include <QMessageLogContext>

#include <gtest/gtest.h>

#include <cstdio>

#ifdef Q_OS_WASM
#include <emscripten.h>
#endif

namespace {
// The offscreen platform cannot raise windows and says so each time a screen comes forward.
void quietRaise(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    // ...and the page's clipboard says so each time a test copies.
    if (msg == QLatin1String("This plugin does not support raise()") ||
        msg == QLatin1String("copy succeeeded")) {
        return;
    }
    qt_message_output(type, context, msg);
}
} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietRaise);
#ifndef Q_OS_WASM // a page has its own platform only
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    useClassicLook();
    QApplication::setQuitOnLastWindowClosed(false);
    int rc = RUN_ALL_TESTS();
    // A filter that matches nothing proves nothing: such a run fails rather than passes empty.
    if (rc == 0 && !GTEST_FLAG_GET(list_tests) &&
        ::testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::fputs("no test matches the filter\n", stderr);
        rc = 1;
    }
#ifdef Q_OS_WASM
    // The page's timers would keep it running: the suite's end is the page's.
    emscripten_force_exit(rc);
#endif
    return rc;
}
