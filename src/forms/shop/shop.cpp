#include "forms/shop/shop.h"

#include "forms/common/screen.h"
#include "forms/shop/shop_layout.h"

Shop& shop() {
    static Shop form;
    return form;
}

Shop::Shop() : Form(QStringLiteral("Shop")) {}

void Shop::build(FormWindow& w) {
    using namespace shop_layout;
    setupScreenWindow(w, {padded(50, u"Магазин. Поел и порядок..."), ClientWidth, ClientHeight, Background, false});
    buildControls(w, Controls);
    connectBackLabel(*this, w, "lblNazad", false);
}
