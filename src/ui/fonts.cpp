#include "ui/fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QResource>
#include <QStringList>

#include <array>
#include <cmath>

namespace {

struct Mapping {
    const char* fallbackFamily; // used when the bundled file cannot be loaded
    const char* regular;
    const char* bold;
};

// In the order of Face. Each weight the layouts ask for has its own file.
constexpr std::array<Mapping, 4> Mappings{{
    {"Liberation Sans", ":/fonts/VantaroSans-Regular.ttf", ":/fonts/VantaroSans-Bold.ttf"},
    {"Liberation Sans", ":/fonts/VantaroSans-Regular.ttf", ":/fonts/VantaroSans-Bold.ttf"},
    {"Liberation Serif", ":/fonts/VantaroSerif-Regular.ttf", ":/fonts/VantaroSerif-Bold.ttf"},
    {"Comfortaa", ":/fonts/VantaroRound-Regular.ttf", ":/fonts/VantaroRound-Bold.ttf"},
}};
static_assert(static_cast<std::size_t>(Face::ComicSansMS) + 1 == Mappings.size());

// The font is read straight from the program's own (uncompressed) resources instead of being
// copied: start-up stays quick and small.
int addFont(const QString& path) {
    const QResource res(path);
    if (res.isValid() && res.compressionAlgorithm() == QResource::NoCompression) {
        return QFontDatabase::addApplicationFontFromData(QByteArray::fromRawData(
            reinterpret_cast<const char*>(res.data()), static_cast<qsizetype>(res.size())));
    }
    return QFontDatabase::addApplicationFont(path);
}

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
            const QStringList fams = QFontDatabase::applicationFontFamilies(addFont(path));
            loaded.insert(path, fams.isEmpty() ? QString() : fams.front());
        }
        if (!loaded.value(path).isEmpty()) {
            family = loaded.value(path);
        }
    }
    return family;
}

QString familyFor(Face face, bool bold) {
    // Registered on first use, weight by weight: a screen pays only for the faces it shows.
    const Mapping& m = Mappings.at(static_cast<std::size_t>(face));
    const std::array<const char*, 1> file{bold ? m.bold : m.regular};
    return registerFamily(file, QString::fromLatin1(m.fallbackFamily));
}

QFont gameFont(FontDef def) {
    QFont f(familyFor(def.face, def.bold));
    f.setPixelSize(static_cast<int>(std::lround(def.points * 4.0 / 3.0)));
    f.setBold(def.bold);
    f.setStretch(def.stretch);
    f.setStyleStrategy(QFont::PreferAntialias);
    // The light hinting a Linux desktop asks for by default, asked for by the game itself: where
    // nobody asks (Windows has no fontconfig), the glyphs would be hinted fully and come out
    // wider, and the layouts were fitted to this width.
    f.setHintingPreference(QFont::PreferVerticalHinting);
    return f;
}
