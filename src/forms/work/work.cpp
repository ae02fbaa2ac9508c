#include "forms/work/work.h"

#include "forms/common/screen.h"
#include "forms/work/work_layout.h"

Work& work() {
    static Work form;
    return form;
}

Work::Work() : Form(QStringLiteral("Work")) {}

void Work::build(FormWindow& w) {
    using namespace work_layout;
    setupScreenWindow(w, {QStringLiteral("Работа"), ClientWidth, ClientHeight, Background, true});
    buildControls(w, Controls);
    connectBackLabel(*this, w, "cmd", false);
}
