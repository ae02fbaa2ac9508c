// The browser's sound module: plays the game's WAV files through the page's Web Audio API. It is
// linked into the game (a page loads no modules) and offers the same one entry point.
//
// Each file is read from the page's file system and decoded once; the decoded sound is kept and
// played from memory. A new sound stops the one still playing. Decoding runs in the browser and
// ends later: a sound asked for meanwhile wins, and the older one is never started.
#include <emscripten.h>

#include <cstdio>
#include <vector>

namespace {

// The page's side. The audio context is made on the first sound: browsers allow one to play
// only from a key press or a click, and the first sound of the game comes from one.
// clang-format off
EM_JS(void, web_play, (const char* path, const unsigned char* bytes, int size), {
    const s = Module.vantaroSound || (Module.vantaroSound = {
        sounds: new Map(), latest: 0, playing: null, said: false
    });
    // Nothing the browser throws may reach the game's key handler: no audio means silence.
    const silent = (why) => {
        if (!s.said) {
            s.said = true;
            console.warn("vantaro: no sound, " + why);
        }
    };
    if (!s.ctx) {
        if (typeof AudioContext !== "function") return silent("this browser has no Web Audio");
        try {
            s.ctx = new AudioContext();
        } catch (e) {
            return silent("the browser gave no audio context: " + e);
        }
    }
    const ctx = s.ctx;
    if (ctx.state === "suspended") ctx.resume().catch(() => {});
    const name = UTF8ToString(path);
    let sound = s.sounds.get(name);
    if (!sound) {
        const undecodable = () => {
            console.warn("vantaro: no sound, not a sound file the browser can play: " + name);
            return null;
        };
        // A copy: decodeAudioData takes the buffer over, and the heap is not ours to give.
        const data = HEAPU8.slice(bytes, bytes + size).buffer;
        try {
            sound = ctx.decodeAudioData(data).catch(undecodable);
        } catch (e) {
            sound = Promise.resolve(undecodable());
        }
        s.sounds.set(name, sound);
    }
    const request = ++s.latest;
    sound.then((buffer) => {
        // A file it cannot play leaves the sound playing as it is, as on the desktop.
        if (request !== s.latest || !buffer) return;
        if (s.playing) {
            try { s.playing.stop(); } catch (e) {}
            s.playing = null;
        }
        const source = ctx.createBufferSource();
        source.buffer = buffer;
        source.connect(ctx.destination);
        source.onended = () => { if (s.playing === source) s.playing = null; };
        source.start();
        s.playing = source;
    });
});

EM_JS(int, web_knows, (const char* path), {
    return Module.vantaroSound && Module.vantaroSound.sounds.has(UTF8ToString(path)) ? 1 : 0;
});
// clang-format on

bool readFile(const char* path, std::vector<unsigned char>& out) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) {
        return false;
    }
    unsigned char chunk[16384];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
        out.insert(out.end(), chunk, chunk + n);
    }
    std::fclose(f);
    return !out.empty();
}

} // namespace

extern "C" void vantaro_play_wav(const char* path) {
    if (path == nullptr) {
        return;
    }
    std::vector<unsigned char> bytes;
    // A file decoded once is played from memory; only a new one is read.
    if (web_knows(path) == 0 && !readFile(path, bytes)) {
        return;
    }
    web_play(path, bytes.data(), static_cast<int>(bytes.size()));
}
