#include "state/playclick.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#ifndef VANTARO_SOUND_LINKED
#include <QLibrary>
#endif

#include <cstdio>

namespace {

SoundObserver& observer() {
    static SoundObserver o;
    return o;
}

bool isPlayableFile(const QString& path) {
    const QFileInfo fi(path);
    return fi.isFile() && fi.isReadable() && fi.size() > 0;
}

// The module's one entry point: a file's path in UTF-8, which spells every folder a player may
// unpack the game into (Windows' 8-bit code page does not).
using PlayWav = void (*)(const char* path);

#ifdef VANTARO_SOUND_LINKED
} // namespace
extern "C" void vantaro_play_wav(const char* path);
namespace {
// Where no module can be loaded (a web page), the sound function is linked in.
PlayWav player() {
    return &vantaro_play_wav;
}
#else
// The sound stack lives in a module of its own, loaded on the first sound; without it the
// game is silent, and says why once.
PlayWav player() {
    static const PlayWav play = [] {
        QLibrary module(soundModulePath());
        module.setLoadHints(QLibrary::PreventUnloadHint);
        const auto found = reinterpret_cast<PlayWav>(module.resolve("vantaro_play_wav"));
        if (!found) {
            std::fprintf(
                stderr, "vantaro: no sound, the sound module did not load: %s\n",
                qPrintable(module.isLoaded()
                               ? module.fileName() + QStringLiteral(" offers no vantaro_play_wav")
                               : module.errorString()));
        }
        return found;
    }();
    return play;
}
#endif

} // namespace

QString soundModulePath() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" VANTARO_SOUND_MODULE));
}

QString gameDataDir() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" VANTARO_DATA_DIR));
}

QString resolveSoundPath(const QString& file) {
    QString rel = file;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (rel.isEmpty() || QDir::isAbsolutePath(rel)) {
        return {};
    }
    if (isPlayableFile(rel)) {
        return QFileInfo(rel).absoluteFilePath();
    }
    const QString installed = gameDataDir() + QLatin1Char('/') + rel;
    if (isPlayableFile(installed)) {
        return installed;
    }
    return {};
}

void setSoundObserver(SoundObserver o) {
    observer() = std::move(o);
}

void PlayClick(const QString& file) {
    if (observer()) {
        observer()(file);
        return;
    }
    const QString path = resolveSoundPath(file);
    if (path.isEmpty()) {
        return;
    }
    if (const PlayWav play = player()) {
        play(path.toUtf8().constData());
    }
}
