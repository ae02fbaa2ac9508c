#include "ui/look.h"

#include <QApplication>
#include <QMessageLogContext>

#include <gtest/gtest.h>

namespace {
// The offscreen platform cannot raise windows and says so each time a screen comes forward.
void quietRaise(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (msg == QLatin1String("This plugin does not support raise()")) {
        return;
    }
    qt_message_output(type, context, msg);
}
} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietRaise);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    useClassicLook();
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
