// The sound module: plays the game's WAV files through the desktop's sound server (PulseAudio,
// or PipeWire's PulseAudio layer) with the server's own client library. Loaded on the first
// sound, so start-up does not pay for it.
//
// Each file is decoded once, uploaded to the server's sample cache and played from there: a
// click then costs the server one short request. Everything that talks to the server runs on the
// client library's own thread; the game's thread only leaves the newest request and returns.
#include <pulse/pulseaudio.h>
#include <sndfile.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// The server refuses cache entries above 16 MiB; such a file is treated as one it cannot play.
constexpr std::size_t MaxSampleBytes = 16u << 20;

std::string baseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

struct Decoded {
    pa_sample_spec format{};
    std::vector<short> frames;
};

bool decode(const std::string& path, Decoded& out) {
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    if (f == nullptr) {
        return false;
    }
    out.format = {PA_SAMPLE_S16NE, static_cast<std::uint32_t>(info.samplerate),
                  static_cast<std::uint8_t>(info.channels)};
    const bool fits =
        info.channels > 0 && info.channels <= static_cast<int>(PA_CHANNELS_MAX) &&
        info.frames > 0 &&
        static_cast<std::size_t>(info.frames) * info.channels * sizeof(short) <= MaxSampleBytes &&
        info.samplerate > 0 && static_cast<std::uint32_t>(info.samplerate) <= PA_RATE_MAX;
    if (fits) {
        out.frames.resize(static_cast<std::size_t>(info.frames) * info.channels);
        out.frames.resize(
            static_cast<std::size_t>(sf_readf_short(f, out.frames.data(), info.frames)) *
            info.channels);
    }
    sf_close(f);
    return fits && !out.frames.empty();
}

class Player {
public:
    Player() {
        loop_ = pa_threaded_mainloop_new();
        props_ = pa_proplist_new();
        pa_proplist_sets(props_, PA_PROP_APPLICATION_NAME, "Vantaro");
        pa_proplist_sets(props_, PA_PROP_APPLICATION_ID, "vantaro");
        pa_proplist_sets(props_, PA_PROP_APPLICATION_ICON_NAME, "vantaro");
        pa_proplist_sets(props_, PA_PROP_APPLICATION_VERSION, VANTARO_VERSION);
        wake_ = api()->defer_new(api(), &Player::onWake, this);
        api()->defer_enable(wake_, 0);
        pa_threaded_mainloop_set_name(loop_, "vantaro-sound");
        // Connecting starts before the thread does, so the first sound does not wait for it to
        // wake.
        connect();
        pa_threaded_mainloop_start(loop_);
    }

    // Ends the client library's thread; the game's thread calls it once, as the process ends.
    void stop() { pa_threaded_mainloop_stop(loop_); }

    // The game's thread: leaves the request for the client library's thread and returns.
    void play(const char* path) {
        pa_threaded_mainloop_lock(loop_);
        pending_ = path;
        api()->defer_enable(wake_, 1);
        pa_threaded_mainloop_unlock(loop_);
    }

private:
    pa_mainloop_api* api() const { return pa_threaded_mainloop_get_api(loop_); }

    static void onWake(pa_mainloop_api* api, pa_defer_event* e, void* self) {
        api->defer_enable(e, 0);
        static_cast<Player*>(self)->serve();
    }

    // Everything below runs on the client library's thread.

    void serve() {
        if (pending_.empty()) {
            return;
        }
        switch (ctx_ != nullptr ? pa_context_get_state(ctx_) : PA_CONTEXT_FAILED) {
        case PA_CONTEXT_READY:
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            connect(); // no server, or it went away: try again now, at a sound, never by itself
            return;
        default:
            return; // still connecting; the sound waits for the connection
        }
        const std::string path = pending_;
        // The file's own name names its sample: that is the name a mixer shows for the sound.
        const std::string name = baseName(path);
        if (unplayable_.count(path) != 0) {
            pending_.clear();
            return;
        }
        if (uploading_.count(name) != 0) {
            return; // a sound still on its way to the cache plays once it is there
        }
        if (const auto it = cached_.find(name); it == cached_.end() || it->second != path) {
            upload(path, name);
            return;
        }
        pending_.clear();
        // The sound playing stops first: a new one replaces it.
        if (playing_ != PA_INVALID_INDEX) {
            unrefOp(pa_context_kill_sink_input(ctx_, playing_, nullptr, nullptr));
            playing_ = PA_INVALID_INDEX;
        }
        pa_proplist* media = pa_proplist_new();
        pa_proplist_sets(media, PA_PROP_MEDIA_NAME, name.c_str());
        pa_proplist_sets(media, PA_PROP_MEDIA_FILENAME, path.c_str());
        // No volume of our own: the server restores the one the player last gave the game.
        ++sent_;
        unrefOp(pa_context_play_sample_with_proplist(ctx_, name.c_str(), nullptr, PA_VOLUME_INVALID,
                                                     media, &Player::onPlaying, this));
        pa_proplist_free(media);
    }

    // The server answers in the order it was asked: the answer to the newest request comes last.
    static void onPlaying(pa_context* c, std::uint32_t index, void* self) {
        auto& p = *static_cast<Player*>(self);
        const bool newest = ++p.answered_ == p.sent_;
        if (index == PA_INVALID_INDEX) {
            if (pa_context_errno(c) == PA_ERR_NOENTITY) {
                p.cached_.clear(); // the server lost its cache: upload again at the next sound
            }
            return;
        }
        if (newest) {
            p.playing_ = index;
        } else {
            // Replaced before the server told us it had started.
            unrefOp(pa_context_kill_sink_input(c, index, nullptr, nullptr));
        }
    }

    void connect() {
        if (ctx_ != nullptr) {
            pa_context_unref(ctx_);
        }
        cached_.clear();
        uploading_.clear();
        playing_ = PA_INVALID_INDEX;
        sent_ = answered_ = 0;
        ctx_ = pa_context_new_with_proplist(api(), nullptr, props_);
        pa_context_set_state_callback(ctx_, &Player::onContextState, this);
        if (pa_context_connect(ctx_, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0) {
            lost(); // no server address at all
        }
    }

    static void onContextState(pa_context* c, void* self) {
        auto& p = *static_cast<Player*>(self);
        switch (pa_context_get_state(c)) {
        case PA_CONTEXT_READY:
            p.saidNoServer_ = false;
            p.serve();
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            p.lost();
            break;
        default:
            break;
        }
    }

    // No server, or it went away: silence, said once until a server answers again.
    void lost() {
        pending_.clear();
        if (!saidNoServer_) {
            saidNoServer_ = true;
            std::fprintf(stderr, "vantaro: no sound, the sound server does not answer: %s\n",
                         pa_strerror(pa_context_errno(ctx_)));
        }
    }

    void cannotPlay(const std::string& path) {
        unplayable_.insert(path);
        if (unplayable_.size() == 1) {
            std::fprintf(stderr,
                         "vantaro: cannot play %s, sounds that cannot be played stay silent\n",
                         path.c_str());
        }
    }

    void upload(const std::string& path, const std::string& name) {
        auto* job = new Upload{this, path, name, {}};
        if (!decode(path, job->sound)) {
            delete job;
            pending_.clear();
            cannotPlay(path);
            return;
        }
        pa_channel_map map;
        pa_channel_map_init_extend(&map, job->sound.format.channels, PA_CHANNEL_MAP_DEFAULT);
        pa_proplist* media = pa_proplist_new();
        pa_proplist_sets(media, PA_PROP_MEDIA_NAME, name.c_str());
        pa_proplist_sets(media, PA_PROP_MEDIA_FILENAME, path.c_str());
        pa_stream* stream =
            pa_stream_new_with_proplist(ctx_, name.c_str(), &job->sound.format, &map, media);
        pa_proplist_free(media);
        if (stream == nullptr) {
            delete job;
            pending_.clear();
            return;
        }
        uploading_.insert(name);
        pa_stream_set_state_callback(stream, &Player::onUploadState, job);
        pa_stream_connect_upload(stream, job->sound.frames.size() * sizeof(short));
    }

    struct Upload {
        Player* player;
        std::string path;
        std::string name;
        Decoded sound;
    };

    static void onUploadState(pa_stream* s, void* userdata) {
        auto* job = static_cast<Upload*>(userdata);
        Player& p = *job->player;
        switch (pa_stream_get_state(s)) {
        case PA_STREAM_READY:
            pa_stream_write(s, job->sound.frames.data(), job->sound.frames.size() * sizeof(short),
                            nullptr, 0, PA_SEEK_RELATIVE);
            pa_stream_finish_upload(s);
            // The server takes requests in order: a play sent now finds the upload finished.
            p.uploading_.erase(job->name);
            p.cached_[job->name] = job->path;
            p.serve();
            break;
        case PA_STREAM_FAILED:
            p.uploading_.erase(job->name);
            if (pa_context_get_state(pa_stream_get_context(s)) == PA_CONTEXT_READY) {
                p.cannotPlay(job->path); // the server would not take it
            }
            [[fallthrough]];
        case PA_STREAM_TERMINATED:
            pa_stream_set_state_callback(s, nullptr, nullptr);
            pa_stream_unref(s);
            delete job;
            break;
        default:
            break;
        }
    }

    static void unrefOp(pa_operation* op) {
        if (op != nullptr) {
            pa_operation_unref(op);
        }
    }

    pa_threaded_mainloop* loop_ = nullptr;
    pa_proplist* props_ = nullptr;
    pa_defer_event* wake_ = nullptr;
    pa_context* ctx_ = nullptr;
    std::string pending_; // the newest sound asked for and not yet sent
    std::map<std::string, std::string>
        cached_;                       // samples in the server's cache, by name: their files
    std::set<std::string> uploading_;  // samples on their way there
    std::set<std::string> unplayable_; // files that cannot be decoded or cached
    std::uint32_t playing_ = PA_INVALID_INDEX;
    std::uint64_t sent_ = 0;     // plays asked of the server on this connection
    std::uint64_t answered_ = 0; // and answered by it
    bool saidNoServer_ = false;
};

} // namespace

// The module's one entry point: plays the file at `path` (in the file system's encoding), replacing
// any sound still playing, and returns at once. The player lives until the process ends; its
// thread stops just before.
extern "C" __attribute__((visibility("default"))) void vantaro_play_wav(const char* path) {
    static Player* const player = new Player;
    // The client library's thread ends before the process takes itself apart around it.
    static const struct StopAtExit {
        ~StopAtExit() { player->stop(); }
    } stopAtExit;
    player->play(path);
}
