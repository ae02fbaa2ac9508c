#include "forms/begin/begin.h"
#include "ui/form.h"
#include "ui/look.h"

#include <QApplication>

#ifdef Q_OS_WASM
#include "app/web_page.h"
#endif

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    useClassicLook();
    QApplication::setApplicationName(QStringLiteral("Vantaro"));
    QApplication::setDesktopFileName(QStringLiteral("vantaro"));
    // The game decides when it ends: the start screen hands over to the main screen in between.
    QApplication::setQuitOnLastWindowClosed(false);
#ifdef Q_OS_WASM
    connectPage();
#endif
    begin().show();
    const int rc = QApplication::exec();
    discardAllForms();
    return rc;
}
