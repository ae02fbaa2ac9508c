#include "forms/home/home.h"

#include "forms/common/screen.h"
#include "forms/home/home_layout.h"

Home& home() {
    static Home form;
    return form;
}

Home::Home() : Form(QStringLiteral("Home")) {}

void Home::build(FormWindow& w) {
    using namespace home_layout;
    setupScreenWindow(w, {QStringLiteral("Покупка квартиры и всё, всё, всё для неё..."), ClientWidth, ClientHeight, Background, false});
    buildControls(w, Controls);
    connectBackLabel(*this, w, "cmd", true);
}
