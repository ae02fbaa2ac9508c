// The sound stack, loaded by the game on its first sound rather than at start-up: Qt
// Multimedia brings a score of libraries the start screen does not need.
#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

extern "C" Q_DECL_EXPORT void vantaro_play_wav(const QString& path) {
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        return; // no audio device: silence
    }
    // One effect for the whole game, so that a new sound replaces one still playing.
    static auto* effect = new QSoundEffect(QCoreApplication::instance());
    effect->stop();
    effect->setSource(QUrl::fromLocalFile(path));
    effect->play();
}
