#pragma once

#include <QString>

#include <functional>

// Starts a WAV file and returns at once. `file` is the game's own path ("Sound\Click1.wav"):
// a backslash separates folders. Looked up in the working directory first, then in the game's
// data folder. A new call replaces a sound still playing; a missing or unplayable file, or no
// sound server, is silent.
void PlayClick(const QString& file);

// The file PlayClick would play for `file`, or an empty string when there is none.
QString resolveSoundPath(const QString& file);

// The folder that holds the shipped sounds, whichever way the game was installed or built.
QString gameDataDir();

// The module that plays sounds, loaded on the first sound.
QString soundModulePath();

// Tests watch which file each handler played. While an observer is set nothing reaches the
// sound server.
using SoundObserver = std::function<void(const QString& file)>;
void setSoundObserver(SoundObserver observer);
