// The sound stack, loaded by the game on its first sound rather than at start-up: Qt
// Multimedia brings a score of libraries the start screen does not need.
#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QPointer>
#include <QSet>
#include <QSoundEffect>
#include <QUrl>

#include <cstdio>

namespace {

// The sound now playing; a new one replaces it.
QPointer<QSoundEffect> current;

// Files Qt could not decode are not handed to it again: it would warn on every try.
QSet<QString>& unplayable() {
    static QSet<QString> files;
    return files;
}

void failed(const QString& path) {
    unplayable().insert(path);
    if (unplayable().size() == 1) {
        std::fprintf(stderr, "vantaro: cannot play %s, sounds that cannot be played stay silent\n",
                     qPrintable(path));
    }
}

} // namespace

extern "C" Q_DECL_EXPORT void vantaro_play_wav(const QString& path) {
    if (QMediaDevices::defaultAudioOutput().isNull() || unplayable().contains(path)) {
        return; // no audio device, or a file already found bad: silence
    }
    if (current) {
        current->disconnect(); // replaced, not ended by its own signals
        delete current;
    }
    // A fresh effect for every sound: one effect played again and again opens a new stream each
    // time with an ever smaller buffer, until its sound is no longer heard at all. The decoded
    // file stays in Qt's sample cache, so a new effect starts as fast as a reused one.
    auto* effect = new QSoundEffect(QCoreApplication::instance());
    current = effect;
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect, path] {
        if (effect->status() == QSoundEffect::Error) {
            failed(path);
            effect->deleteLater();
        }
    });
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying()) {
            effect->deleteLater();
        }
    });
    effect->setSource(QUrl::fromLocalFile(path));
    effect->play();
}
