// The sound module on Windows: the game's WAV files through the Windows multimedia library's
// PlaySoundW, asynchronously, each new sound replacing the one still playing. Loaded on the first
// sound, so start-up does not pay for the library.
#include <windows.h>

#include <mmsystem.h>

#include <cstdio>
#include <string>
#include <utility>

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

// A GUI program's standard error goes nowhere unless the player started the game from a console
// with it redirected; the debug output reaches a debugger, DebugView, or Wine's debug channel.
void say(const char* line) {
    std::fputs(line, stderr);
    OutputDebugStringA(line);
}

} // namespace

extern "C" __declspec(dllexport) void vantaro_play_wav(const char* path) {
    // With no audio output at all PlaySoundW fails without a word; the game says so once and
    // plays on in silence, until a device is plugged in (and again should it go).
    static bool saidNoOutput = false;
    if (waveOutGetNumDevs() == 0) {
        if (!saidNoOutput) {
            say("vantaro: no sound, Windows has no audio output device\n");
            saidNoOutput = true;
        }
        return;
    }
    saidNoOutput = false;
    std::wstring file = widened(path);
    if (file.empty()) {
        return;
    }
    // Some makers of the multimedia library (Wine's, for one) open the file through the 8-bit
    // code page after all. The short form of a path is plain ASCII wherever the file system
    // keeps one; where it keeps none, the long form is handed on as it is.
    const DWORD shortLength = GetShortPathNameW(file.c_str(), nullptr, 0);
    if (shortLength > 0) {
        std::wstring shortFile(shortLength, L'\0');
        const DWORD n = GetShortPathNameW(file.c_str(), shortFile.data(), shortLength);
        if (n > 0 && n < shortLength) {
            shortFile.resize(n);
            file = std::move(shortFile);
        }
    }
    // SND_NODEFAULT: a file that cannot be played stays silent instead of ringing the system's
    // default sound.
    PlaySoundW(file.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}
