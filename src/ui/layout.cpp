#include "ui/layout.h"

#include "ui/controls.h"

#include <QHash>
#include <QLineEdit>

QString fromUtf16(const char16_t* text) {
    return text == nullptr ? QString() : QString::fromUtf16(text);
}

namespace {

twips::Rect scaled(twips::Rect r, int unit) {
    return {r.left * unit, r.top * unit, r.width * unit, r.height * unit};
}

QWidget* makeControl(const ControlDef& d, QWidget* parent, int unit) {
    const twips::Rect r = scaled(d.rect, unit);
    const QString text = fromUtf16(d.text);
    QWidget* w = nullptr;
    switch (d.kind) {
    case Kind::Label: {
        auto* l = new Label(parent);
        l->setFont(gameFont(d.font));
        l->setForeColor(d.fore);
        l->setBackColor(d.back);
        l->setTransparent((d.flags & look::Transparent) != 0);
        l->setAlign((d.flags & look::Center) != 0  ? Align::Center
                    : (d.flags & look::Right) != 0 ? Align::Right
                                                   : Align::Left);
        twips::setGeometry(l, r);
        l->setNarrowToFit((d.flags & look::NarrowToFit) != 0);
        l->setCaption(text);
        l->setAutoSize((d.flags & look::AutoSize) != 0);
        w = l;
        break;
    }
    case Kind::Frame: {
        auto* f = new Frame(parent);
        f->setFont(gameFont(d.font));
        f->setForeColor(d.fore);
        f->setBackColor(d.back);
        f->setCaption(text);
        twips::setGeometry(f, r);
        w = f;
        break;
    }
    case Kind::Line: {
        auto* line = new Line(parent);
        line->setColor(d.fore);
        // A line is one pixel thick along its zero extent.
        twips::Rect g = r;
        if (g.width == 0) {
            g.width = twips::PerPixel;
        }
        if (g.height == 0) {
            g.height = twips::PerPixel;
        }
        twips::setGeometry(line, g);
        w = line;
        break;
    }
    case Kind::TextBox: {
        auto* e = new QLineEdit(parent);
        e->setFont(gameFont(d.font));
        e->setFrame(true);
        if (d.maxLength > 0) {
            e->setMaxLength(d.maxLength);
        }
        e->setText(text);
        QPalette pal = e->palette();
        pal.setColor(QPalette::Base, vbColor(d.back));
        pal.setColor(QPalette::Text, vbColor(d.fore));
        e->setPalette(pal);
        twips::setGeometry(e, r);
        w = e;
        break;
    }
    case Kind::Button: {
        auto* b = new CommandButton(parent);
        b->setFont(gameFont(d.font));
        b->setText(text);
        b->setAutoDefault(false);
        twips::setGeometry(b, r);
        w = b;
        break;
    }
    case Kind::PictureBox: {
        auto* p = new PictureBox(parent);
        twips::setGeometry(p, r);
        p->setBackColor(d.back);
        w = p;
        break;
    }
    }
    w->setObjectName(QString::fromLatin1(d.name));
    if (d.tip != nullptr) {
        w->setToolTip(fromUtf16(d.tip));
    }
    if ((d.flags & look::Hidden) != 0) {
        w->setVisible(false);
    }
    return w;
}

} // namespace

void buildControls(QWidget& form, std::span<const ControlDef> defs, int unit) {
    QHash<QString, QWidget*> byName;
    for (const ControlDef& d : defs) {
        QWidget* parent = &form;
        if (d.parent != nullptr) {
            parent = byName.value(QString::fromLatin1(d.parent), &form);
        }
        QWidget* w = makeControl(d, parent, unit);
        w->raise();
        byName.insert(w->objectName(), w);
    }
}

void setupWindow(QWidget& window, int widthTwips, int heightTwips, std::uint32_t back) {
    window.setFixedSize(twips::toPixels(widthTwips), twips::toPixels(heightTwips));
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, vbColor(back));
    window.setPalette(pal);
    window.setAutoFillBackground(true);
}
