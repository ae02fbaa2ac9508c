#include "ui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <array>
#include <cmath>

namespace {

struct Mapping {
    Face face;
    const char* fallbackFamily; // used when the bundled file cannot be loaded
    std::array<const char*, 2> files;
};

constexpr std::array<Mapping, 4> Mappings{{
    {Face::MSSansSerif,
     "Liberation Sans",
     {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"}},
    {Face::MicrosoftSansSerif,
     "Liberation Sans",
     {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"}},
    {Face::TimesNewRoman,
     "Liberation Serif",
     {":/fonts/LiberationSerif-Regular.ttf", ":/fonts/LiberationSerif-Bold.ttf"}},
    {Face::ComicSansMS, "Comfortaa", {":/fonts/Comfortaa-Bold.ttf", nullptr}},
}};

const Mapping& mappingFor(Face face) {
    for (const auto& m : Mappings) {
        if (m.face == face) {
            return m;
        }
    }
    return Mappings.front();
}

} // namespace

QString familyFor(Face face) {
    // Registered on first use: a screen pays only for the faces it shows.
    static std::array<QString, Mappings.size()> families;
    const auto index = static_cast<std::size_t>(face);
    if (families[index].isEmpty()) {
        const Mapping& m = mappingFor(face);
        QString family = QString::fromLatin1(m.fallbackFamily);
        for (const char* file : m.files) {
            if (file == nullptr) {
                continue;
            }
            const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
            const QStringList fams = QFontDatabase::applicationFontFamilies(id);
            if (!fams.isEmpty()) {
                family = fams.front();
            }
        }
        families[index] = family;
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
