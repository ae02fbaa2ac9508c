#include "ui/fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

#include <array>
#include <cmath>

namespace {

struct Mapping {
    const char* fallbackFamily; // used when the bundled files cannot be loaded
    std::array<const char*, 2> files;
};

// In the order of Face.
constexpr std::array<Mapping, 4> Mappings{{
    {"Liberation Sans", {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"}},
    {"Liberation Sans", {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"}},
    {"Liberation Serif",
     {":/fonts/LiberationSerif-Regular.ttf", ":/fonts/LiberationSerif-Bold.ttf"}},
    {"Comfortaa", {":/fonts/Comfortaa-Bold.ttf", nullptr}},
}};
static_assert(static_cast<std::size_t>(Face::ComicSansMS) + 1 == Mappings.size());

} // namespace

QString registerFamily(std::span<const char* const> files, const QString& fallback) {
    // Each file once, however many faces share it.
    static QHash<QString, QString> loaded;
    QString family = fallback;
    for (const char* file : files) {
        if (file == nullptr) {
            continue;
        }
        const QString path = QString::fromLatin1(file);
        if (!loaded.contains(path)) {
            const QStringList fams =
                QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(path));
            loaded.insert(path, fams.isEmpty() ? QString() : fams.front());
        }
        if (!loaded.value(path).isEmpty()) {
            family = loaded.value(path);
        }
    }
    return family;
}

QString familyFor(Face face) {
    // Registered on first use: a screen pays only for the faces it shows.
    static std::array<QString, Mappings.size()> families;
    const auto index = static_cast<std::size_t>(face);
    if (families[index].isEmpty()) {
        const Mapping& m = Mappings[index];
        families[index] = registerFamily(m.files, QString::fromLatin1(m.fallbackFamily));
    }
    return families[index];
}

QFont gameFont(FontDef def) {
    QFont f(familyFor(def.face));
    f.setPixelSize(static_cast<int>(std::lround(def.points * 4.0 / 3.0)));
    f.setBold(def.bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}
