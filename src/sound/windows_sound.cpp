// The sound module on Windows: the game's WAV files through the Windows multimedia library's
// PlaySoundW, asynchronously, each new sound replacing the one still playing. Loaded on the first
// sound, so start-up does not pay for the library.
#include <windows.h>

#include <mmsystem.h>

#include <cstdio>
#include <string>

namespace {

// The game's path comes in UTF-8; Windows takes it in UTF-16, which keeps every character of a
// folder that the 8-bit code page cannot spell.
std::wstring widened(const char* utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
    if (n <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, wide.data(), n);
    wide.resize(static_cast<std::size_t>(n - 1));
    return wide;
}

} // namespace

extern "C" __declspec(dllexport) void vantaro_play_wav(const char* path) {
    // With no audio output at all PlaySoundW fails without a word; the game says so once (seen
    // when it is started from a console) and plays on in silence.
    static const bool hasOutput = [] {
        const bool any = waveOutGetNumDevs() > 0;
        if (!any) {
            std::fputs("vantaro: no sound, Windows has no audio output device\n", stderr);
        }
        return any;
    }();
    if (!hasOutput) {
        return;
    }
    const std::wstring file = widened(path);
    if (file.empty()) {
        return;
    }
    // SND_NODEFAULT: a file that cannot be played stays silent instead of ringing the system's
    // default sound.
    PlaySoundW(file.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}
