#include "state/playclick.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace {

SoundObserver& observer() {
    static SoundObserver o;
    return o;
}

bool isPlayableFile(const QString& path) {
    const QFileInfo fi(path);
    return fi.isFile() && fi.isReadable() && fi.size() > 0;
}

// One effect for the whole game, created on the first sound so that start-up does not pay for
// the audio stack.
QSoundEffect* effect() {
    static auto* e = new QSoundEffect(QCoreApplication::instance());
    return e;
}

} // namespace

QString gameDataDir() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/vantaro"));
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
    if (path.isEmpty() || QMediaDevices::defaultAudioOutput().isNull()) {
        return;
    }
    QSoundEffect* fx = effect();
    fx->stop();
    fx->setSource(QUrl::fromLocalFile(path));
    fx->play();
}
