// The browser's sound module: plays the game's WAV files through the page's Web Audio API. It is
// linked into the game (a page loads no modules) and offers the same one entry point.
//
// Each file is decoded once and the decoded sound is played from memory. The page's own sounds
// are decoded as they arrive (Module.vantaroSound.arrived), so the first click is ready before
// the first key; any other file is read from the page's file system and decoded on its first
// play. A new sound stops the one still playing. Decoding runs in the browser and ends later: a
// sound asked for meanwhile wins, and the older one is never started. While the tab cannot be
// seen, the page is quiet: the sound playing waits, as the game does.
#include <emscripten.h>

#include <cstdio>
#include <vector>

namespace {

// clang-format off
EM_JS(void, web_store, (), {
    const s = Module.vantaroSound = {
        // Each file's decoded sound by its path, as a promise: null for one that is no sound.
        sounds: new Map(), latest: 0, playing: null, said: false, ctx: null,
        // Nothing the browser throws may reach the game's key handler: no audio means silence.
        silent(why) {
            if (!s.said) {
                s.said = true;
                console.warn("vantaro: no sound, " + why);
            }
        },
        decode(path, data, decoder) {
            const undecodable = () => {
                console.warn("vantaro: no sound, not a sound file the browser can play: " + path);
                return null;
            };
            let sound;
            try {
                sound = decoder.decodeAudioData(data).catch(undecodable);
            } catch (e) {
                sound = Promise.resolve(undecodable());
            }
            s.sounds.set(path, sound);
            return sound;
        },
        open() {
            if (!s.ctx) {
                if (typeof AudioContext !== "function") return s.silent("this browser has no Web Audio");
                try {
                    s.ctx = new AudioContext();
                } catch (e) {
                    return s.silent("the browser gave no audio context: " + e);
                }
            }
            if (s.ctx.state === "suspended" && !document.hidden) s.ctx.resume().catch(() => {});
        },
        // A file the page has fetched for the game, decoded now at its own sample rate: no key
        // has been pressed yet, and an offline context needs none. Without one it is decoded on
        // its first play.
        arrived(path, data) {
            let rate = 0;
            const v = new DataView(data);
            // The "fmt " chunk's rate; chunks are padded to even lengths.
            for (let at = 12; at + 8 <= v.byteLength && !rate;) {
                const size = v.getUint32(at + 4, true);
                if (v.getUint32(at) === 0x666d7420 && at + 16 <= v.byteLength) rate = v.getUint32(at + 12, true);
                at += 8 + size + (size % 2);
            }
            try {
                return s.decode(path, data, new OfflineAudioContext(1, 1, rate || 48000));
            } catch (e) {
                return Promise.resolve(null);
            }
        },
    };
    // The audio context is made on the player's first gesture (a browser lets one play only
    // from a key press, a click or a tap), or on the first sound, which comes from one. A first
    // tap that plays nothing (on the name field) opens it, and the next tap's click is heard.
    const gestures = ["touchend", "pointerup", "keydown"];
    const opened = () => {
        for (const type of gestures) removeEventListener(type, opened, true);
        s.open();
    };
    for (const type of gestures) addEventListener(type, opened, true);
    document.addEventListener("visibilitychange", () => {
        if (s.ctx) (document.hidden ? s.ctx.suspend() : s.ctx.resume()).catch(() => {});
    });
});

EM_JS(void, web_play, (const char* path, const unsigned char* bytes, int size), {
    const s = Module.vantaroSound;
    s.open();
    const ctx = s.ctx;
    if (!ctx) return;
    const name = UTF8ToString(path);
    // A copy: decodeAudioData takes the buffer over, and the heap is not ours to give.
    const sound = s.sounds.get(name) || s.decode(name, HEAPU8.slice(bytes, bytes + size).buffer, ctx);
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
    return Module.vantaroSound.sounds.has(UTF8ToString(path)) ? 1 : 0;
});
// clang-format on

// The store is there from the program's start: the page hands it its sounds before any is played.
const bool storeMade = (web_store(), true);

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
    if (path == nullptr || !storeMade) {
        return;
    }
    std::vector<unsigned char> bytes;
    // A file decoded once is played from memory; only a new one is read.
    if (web_knows(path) == 0 && !readFile(path, bytes)) {
        return;
    }
    web_play(path, bytes.data(), static_cast<int>(bytes.size()));
}
