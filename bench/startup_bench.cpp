// How much the game costs at start-up next to two Qt windows of the same size, one empty and one
// showing a single Cyrillic label (the floor: the start screen shows text too): the time from
// launching the program to its first top-level window being mapped on the X server, the CPU
// time it used until then, and the resident memory it holds at that moment.
//
// Run it on an X server without a window manager (bench/run.sh starts one), so that a program's
// top-level window is a direct child of the root window and its mapping reaches us at once.
//
// Own flags (besides Google Benchmark's):
//   --rounds=N            launches of each program (default 10)
//   --game=PATH           the game to measure (default: the one built with this bench)
//   --label=PATH          the floor (default: label_window built with this bench)
//   --bare=PATH           the empty window (default: bare_window built with this bench)
//   --show_child_output   let the programs' stdout/stderr through
#include "goal_reporter.h"

#include <benchmark/benchmark.h>

#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto LaunchTimeout = std::chrono::seconds(30);
constexpr auto TeardownTimeout = std::chrono::seconds(10);

struct Program {
    std::string name;
    std::string path;
};

// The memory of a process as /proc/PID/status reports it, in KiB.
struct Memory {
    long rss = -1;
    long anon = -1;
    long file = -1;
};

struct Sample {
    double seconds = 0;
    Memory memory;
    // CPU time the process has used by then, all threads: unlike the wall-clock time it hardly
    // moves when the machine is busy with something else.
    double cpuSeconds = 0;
};

Memory readMemory(pid_t pid) {
    Memory m;
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const auto field = [&line](std::string_view key, long& out) {
        if (line.compare(0, key.size(), key) == 0) {
            out = std::strtol(line.c_str() + key.size(), nullptr, 10);
        }
    };
    while (std::getline(in, line)) {
        field("VmRSS:", m.rss);
        field("RssAnon:", m.anon);
        field("RssFile:", m.file);
    }
    if (m.rss < 0) {
        throw std::runtime_error("no VmRSS for process " + std::to_string(pid));
    }
    return m;
}

double cpuSeconds(pid_t pid) {
    namespace fs = std::filesystem;
    double total = 0;
    std::error_code ec;
    for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
        std::ifstream in(task.path() / "schedstat");
        unsigned long long runNs = 0;
        if (in >> runNs) {
            total += static_cast<double>(runNs) * 1e-9;
        }
    }
    return total;
}

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <class T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

// Our view of the X server: it hears about every window created, mapped or destroyed directly
// under the root.
class XWatcher {
public:
    XWatcher() {
        int screenNumber = 0;
        conn_ = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(conn_) != 0) {
            xcb_disconnect(conn_);
            throw std::runtime_error("cannot connect to the X server (is DISPLAY set?)");
        }
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn_));
        for (int i = 0; i < screenNumber && it.rem > 0; ++i) {
            xcb_screen_next(&it);
        }
        root_ = it.data->root;
        // Listening starts before any launch, so no mapping can slip past.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        XcbReply<xcb_generic_error_t> err(xcb_request_check(
            conn_, xcb_change_window_attributes_checked(conn_, root_, XCB_CW_EVENT_MASK, &mask)));
        if (err) {
            throw std::runtime_error("cannot watch the root window");
        }
        pidAtom_ = internAtom("_NET_WM_PID");
        // The launched programs must not inherit our connection.
        fcntl(xcb_get_file_descriptor(conn_), F_SETFD, FD_CLOEXEC);
    }
    ~XWatcher() { xcb_disconnect(conn_); }
    XWatcher(const XWatcher&) = delete;
    XWatcher& operator=(const XWatcher&) = delete;

    // Throws away what is queued, so an earlier program's events cannot be taken for new ones.
    void drain() {
        roundTrip();
        while (auto* ev = xcb_poll_for_event(conn_)) {
            std::free(ev);
        }
    }

    // The next event, or nothing when `until` passes first.
    XcbReply<xcb_generic_event_t> next(Clock::time_point until) {
        for (;;) {
            if (auto* ev = xcb_poll_for_event(conn_)) {
                return XcbReply<xcb_generic_event_t>(ev);
            }
            if (xcb_connection_has_error(conn_) != 0) {
                throw std::runtime_error("lost the X server");
            }
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
            if (left.count() <= 0) {
                return nullptr;
            }
            pollfd pfd{xcb_get_file_descriptor(conn_), POLLIN, 0};
            // Short slices: the caller also checks whether the program is still alive.
            poll(&pfd, 1, static_cast<int>(std::min<long>(left.count(), 50)));
            if (pfd.revents == 0) {
                return nullptr;
            }
        }
    }

    [[nodiscard]] xcb_window_t root() const { return root_; }

    // The process that owns a window, as Qt announces it; 0 when the window does not say.
    pid_t ownerPid(xcb_window_t window) {
        XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            conn_, xcb_get_property(conn_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1), nullptr));
        if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4) {
            return 0;
        }
        uint32_t pid = 0;
        std::memcpy(&pid, xcb_get_property_value(reply.get()), sizeof pid);
        return static_cast<pid_t>(pid);
    }

private:
    xcb_atom_t internAtom(const char* name) {
        XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            conn_, xcb_intern_atom(conn_, 0, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr));
        if (!reply) {
            throw std::runtime_error(std::string("cannot intern ") + name);
        }
        return reply->atom;
    }

    void roundTrip() {
        XcbReply<xcb_get_input_focus_reply_t>(
            xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr));
    }

    xcb_connection_t* conn_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t pidAtom_ = 0;
};

bool showChildOutput = false;

pid_t spawn(const Program& p) {
    const pid_t pid = fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        if (!showChildOutput) {
            const int null = open("/dev/null", O_RDWR);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        char* const argv[] = {const_cast<char*>(p.path.c_str()), nullptr};
        execv(p.path.c_str(), argv);
        _exit(127);
    }
    return pid;
}

std::string describeExit(int status) {
    if (WIFEXITED(status)) {
        return "exit code " + std::to_string(WEXITSTATUS(status)) +
               (WEXITSTATUS(status) == 127 ? ", could not be started" : "");
    }
    if (WIFSIGNALED(status)) {
        return "killed by signal " + std::to_string(WTERMSIG(status));
    }
    return "status " + std::to_string(status);
}

// Whether the process is still running; reaps it when it is not.
bool alive(pid_t pid, int& status) {
    return waitpid(pid, &status, WNOHANG) == 0;
}

// Launches the program once and times it to the mapping of its first top-level window.
Sample launch(XWatcher& x, const Program& p) {
    x.drain();
    const Clock::time_point start = Clock::now();
    const pid_t pid = spawn(p);
    const Clock::time_point deadline = start + LaunchTimeout;

    std::optional<Sample> sample;
    xcb_window_t window = 0;
    int status = 0;
    while (!sample) {
        if (!alive(pid, status)) {
            throw std::runtime_error(p.name + " exited before showing a window (" +
                                     describeExit(status) + ")");
        }
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            throw std::runtime_error(p.name + " showed no window in time");
        }
        auto ev = x.next(std::min(deadline, Clock::now() + std::chrono::milliseconds(50)));
        if (!ev) {
            continue;
        }
        if ((ev->response_type & 0x7f) != XCB_MAP_NOTIFY) {
            continue;
        }
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(ev.get());
        if (map->event != x.root()) {
            continue;
        }
        // Time and memory first, at the moment the mapping is known; then whose window it is.
        const Clock::time_point mapped = Clock::now();
        const Memory memory = readMemory(pid);
        const double cpu = cpuSeconds(pid);
        if (x.ownerPid(map->window) != pid) {
            continue;
        }
        window = map->window;
        sample = Sample{std::chrono::duration<double>(mapped - start).count(), memory, cpu};
    }

    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    // The next launch starts only after the server has torn this one down.
    const Clock::time_point teardown = Clock::now() + TeardownTimeout;
    for (;;) {
        auto ev = x.next(teardown);
        if (!ev) {
            if (Clock::now() >= teardown) {
                throw std::runtime_error(p.name + "'s window outlived the process");
            }
            continue;
        }
        if ((ev->response_type & 0x7f) == XCB_DESTROY_NOTIFY &&
            reinterpret_cast<const xcb_destroy_notify_event_t*>(ev.get())->window == window) {
            break;
        }
    }
    return *sample;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Summary {
    double medianMs = 0;
    double minMs = 0;
    double medianCpuMs = 0;
    double meanRssKib = 0;
    double meanAnonKib = 0;
    double meanFileKib = 0;
};

Summary summarize(const std::vector<Sample>& samples) {
    std::vector<double> ms;
    std::vector<double> cpuMs;
    double rss = 0;
    double anon = 0;
    double file = 0;
    for (const Sample& s : samples) {
        ms.push_back(s.seconds * 1e3);
        cpuMs.push_back(s.cpuSeconds * 1e3);
        rss += static_cast<double>(s.memory.rss);
        anon += static_cast<double>(s.memory.anon);
        file += static_cast<double>(s.memory.file);
    }
    const auto n = static_cast<double>(samples.size());
    return {median(ms), *std::min_element(ms.begin(), ms.end()), median(cpuMs), rss / n, anon / n,
            file / n};
}

// The game against a reference.
struct Ratios {
    double time;
    double rss;
    double cpu;
};

Ratios ratios(const Summary& game, const Summary& reference) {
    return {game.medianMs / reference.medianMs, game.meanRssKib / reference.meanRssKib,
            game.medianCpuMs / reference.medianCpuMs};
}

void registerMeasured(const std::string& name, const std::vector<Sample>& samples,
                      const Summary& summary) {
    const auto replay = [&samples, summary](benchmark::State& st) {
        std::size_t i = 0;
        for (auto _ : st) {
            st.SetIterationTime(samples[i++ % samples.size()].seconds);
        }
        st.counters["median_ms"] = summary.medianMs;
        st.counters["cpu_ms"] = summary.medianCpuMs;
        st.counters["rss_kib"] = summary.meanRssKib;
        st.counters["anon_kib"] = summary.meanAnonKib;
        st.counters["file_kib"] = summary.meanFileKib;
    };
    benchmark::RegisterBenchmark(("startup/" + name).c_str(), replay)
        ->UseManualTime()
        ->Iterations(static_cast<benchmark::IterationCount>(samples.size()))
        ->Unit(benchmark::kMillisecond);
}

void printSummary(const std::string& name, const Summary& s) {
    std::printf("%-12s time to window: median %6.1f ms, min %6.1f ms, CPU %6.1f ms;"
                "  RSS %5.1f MiB (anon %4.1f, file %4.1f)\n",
                name.c_str(), s.medianMs, s.minMs, s.medianCpuMs, s.meanRssKib / 1024,
                s.meanAnonKib / 1024, s.meanFileKib / 1024);
}

// Takes our own flags out of argv; the rest is Google Benchmark's.
struct Options {
    int rounds = 10;
    std::string game = VANTARO_GAME_PATH;
    std::string label = VANTARO_LABEL_PATH;
    std::string bare = VANTARO_BARE_PATH;
};

Options parseOptions(int& argc, char** argv) {
    Options o;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        const auto value = [&arg](std::string_view flag) -> std::optional<std::string> {
            if (arg.substr(0, flag.size()) == flag) {
                return std::string(arg.substr(flag.size()));
            }
            return std::nullopt;
        };
        if (auto v = value("--rounds=")) {
            o.rounds = std::max(1, std::atoi(v->c_str()));
        } else if (auto g = value("--game=")) {
            o.game = *g;
        } else if (auto l = value("--label=")) {
            o.label = *l;
        } else if (auto b = value("--bare=")) {
            o.bare = *b;
        } else if (arg == "--show_child_output") {
            showChildOutput = true;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return o;
}

} // namespace

int main(int argc, char** argv) {
    const bool console = consoleFormat(argc, argv);
    benchmark::Initialize(&argc, argv);
    const Options opt = parseOptions(argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    // All programs draw through the X server we watch, whatever the caller's environment says.
    setenv("QT_QPA_PLATFORM", "xcb", 1);

    // Named after their files, so a run with --game, --label or --bare says what it compared.
    const auto program = [](const std::string& path) {
        return Program{std::filesystem::path(path).filename(), path};
    };
    const std::vector<Program> programs{program(opt.game), program(opt.label), program(opt.bare)};
    std::vector<std::vector<Sample>> samples(programs.size());
    try {
        XWatcher x;
        // The first launches fill the page cache and font caches; they are not counted.
        for (const Program& p : programs) {
            launch(x, p);
        }
        // Google Benchmark would run one program's iterations back to back; launching them in
        // turn (each round starting with the next program) lets any drift of the machine hit
        // all alike.
        for (int round = 0; round < opt.rounds; ++round) {
            for (std::size_t i = 0; i < programs.size(); ++i) {
                const std::size_t k = (i + static_cast<std::size_t>(round)) % programs.size();
                samples[k].push_back(launch(x, programs[k]));
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "startup_bench: %s\n", e.what());
        return 1;
    }

    std::vector<Summary> summaries;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        summaries.push_back(summarize(samples[i]));
        // The launches are already measured; each benchmark hands its program's times to the
        // library so that they are reported (and exported with --benchmark_format) like any
        // other.
        registerMeasured(programs[i].name, samples[i], summaries[i]);
    }
    GoalReporter reporter;
    if (console) {
        benchmark::RunSpecifiedBenchmarks(&reporter);
    } else {
        benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();

    std::printf("\n%d launches of each, in turn:\n", opt.rounds);
    for (std::size_t i = 0; i < programs.size(); ++i) {
        printSummary(programs[i].name, summaries[i]);
    }
    const Program& game = programs[0];
    const Program& label = programs[1];
    const Program& bare = programs[2];
    const Ratios floor = ratios(summaries[0], summaries[1]);
    const Ratios empty = ratios(summaries[0], summaries[2]);
    std::printf("%s / %s: time %.2f (median), CPU %.2f (median), memory %.2f (mean RSS)\n",
                game.name.c_str(), bare.name.c_str(), empty.time, empty.cpu, empty.rss);
    std::printf("%s / %s: time %.2f (median), CPU %.2f (median), memory %.2f (mean RSS)\n",
                game.name.c_str(), label.name.c_str(), floor.time, floor.cpu, floor.rss);
    // On a busy machine the wall-clock time mostly measures the other processes; the CPU time
    // the program used until its window showed is what it costs.
    constexpr double TimeGoal = 1.1;
    constexpr double MemoryGoal = 1.05;
    printGoal("start-up time to the start screen (CPU until mapped; wall clock " +
                  format("%.2f", floor.time) + ")",
              label.name + " (one Cyrillic label)", format("%.2f", floor.cpu),
              format("<= %.2f", TimeGoal), floor.cpu <= TimeGoal);
    printGoal("memory at the start screen (mean RSS)", label.name + " (one Cyrillic label)",
              format("%.2f", floor.rss), format("<= %.2f", MemoryGoal), floor.rss <= MemoryGoal);
    return 0;
}
