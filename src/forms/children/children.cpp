#include "forms/children/children.h"

#include "forms/common/screen.h"
#include "forms/children/children_layout.h"

Children& children() {
    static Children form;
    return form;
}

Children::Children() : Form(QStringLiteral("Children")) {}

void Children::build(FormWindow& w) {
    using namespace children_layout;
    setupScreenWindow(w, {padded(17, u"Учение - свет, а неучение - тьма! Да будет свет!!!"), ClientWidth, ClientHeight, Background, false});
    buildControls(w, Controls);
    connectBackLabel(*this, w, "cmd", false);
}
