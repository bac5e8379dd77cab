// How long the program takes to put its first window on the screen, against a bare Qt window
// started side by side in the same run: each iteration starts the bare window, the bare window
// with one line of text and the program, one after the other, in a private X server, and times
// each from the start of the process until the server maps its first top-level window. The
// counter "ratio" is the median of the program's times over the median of the bare window's (the
// start-up target is at most 1.5); "text_ratio" is the same for the window with text, the part
// of any window with text that loading the fonts costs.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kStartLimit = std::chrono::seconds(20);

double Median(std::vector<double> v) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& env) {
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : env) {
        envp.push_back(const_cast<char*>(e.c_str()));
    }
    envp.push_back(nullptr);
    // What the program prints is no part of its start.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int failed =
        posix_spawn(&pid, args[0].c_str(), &quiet, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&quiet);
    return failed == 0 ? pid : -1;
}

void Stop(pid_t pid) {
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

// A private X server, started with -displayfd so that it names a free display once it is ready.
class PrivateX {
public:
    PrivateX() {
        int fds[2];
        if (pipe(fds) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const char* argv[] = {"Xvfb",         "-displayfd", "3",   "-screen", "0",
                              "1280x1024x24", "-nolisten",  "tcp", nullptr};
        const int failed =
            posix_spawnp(&server_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (failed != 0) {
            server_ = -1;
            close(fds[0]);
            return;
        }
        std::string number;
        char c;
        pollfd p{fds[0], POLLIN, 0};
        while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        close(fds[0]);
        if (number.empty()) {
            return;
        }
        display_ = ":" + number;
        connection_ = xcb_connect(display_.c_str(), nullptr);
        if (xcb_connection_has_error(connection_) != 0) {
            return;
        }
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
        ready_ = true;
    }

    ~PrivateX() {
        if (connection_ != nullptr) {
            xcb_disconnect(connection_);
        }
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
    }

    bool Ready() const { return ready_; }

    // Seconds from the start of the program until the server maps a top-level window that the
    // program created; nothing when it maps none in time.
    std::optional<double> TimeToFirstWindow(const std::vector<std::string>& command) {
        Drain();
        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string entry = *e;
            if (!entry.starts_with("DISPLAY=") && !entry.starts_with("QT_QPA_PLATFORM=")) {
                env.push_back(entry);
            }
        }
        env.push_back("DISPLAY=" + display_);
        env.push_back("QT_QPA_PLATFORM=xcb");

        const Clock::time_point start = Clock::now();
        const pid_t pid = Spawn(command, env);
        if (pid < 0) {
            return std::nullopt;
        }
        std::set<xcb_window_t> created;
        std::optional<double> seconds;
        while (!seconds && Clock::now() - start < kStartLimit) {
            pollfd p{xcb_get_file_descriptor(connection_), POLLIN, 0};
            poll(&p, 1, 100);
            while (xcb_generic_event_t* raw = xcb_poll_for_event(connection_)) {
                std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(raw, &std::free);
                const uint8_t type = event->response_type & 0x7f;
                if (type == XCB_CREATE_NOTIFY) {
                    created.insert(reinterpret_cast<xcb_create_notify_event_t*>(raw)->window);
                } else if (type == XCB_MAP_NOTIFY && !seconds &&
                           created.contains(
                               reinterpret_cast<xcb_map_notify_event_t*>(raw)->window)) {
                    seconds = std::chrono::duration<double>(Clock::now() - start).count();
                }
            }
        }
        Stop(pid);
        return seconds;
    }

private:
    // Forgets what an earlier program's windows did: a round trip makes sure the server has
    // sent every event of theirs.
    void Drain() {
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            std::free(event);
        }
    }

    pid_t server_ = -1;
    std::string display_;
    xcb_connection_t* connection_ = nullptr;
    bool ready_ = false;
};

void BM_FirstWindowMapped(benchmark::State& st) {
    PrivateX x;
    if (!x.Ready()) {
        st.SkipWithError("no private X server (Xvfb) could be started");
        return;
    }
    const std::vector<std::vector<std::string>> commands = {
        {VELMORA_BARE_WINDOW}, {VELMORA_BARE_WINDOW, "text"}, {VELMORA_PROGRAM}};
    // One start of each before timing, so that all find their libraries in the page cache.
    for (const auto& command : commands) {
        x.TimeToFirstWindow(command);
    }
    std::vector<std::vector<double>> times(commands.size());
    for (auto _ : st) {
        for (std::size_t i = 0; i < commands.size(); ++i) {
            const std::optional<double> seconds = x.TimeToFirstWindow(commands[i]);
            if (!seconds) {
                st.SkipWithError("a program showed no window");
                return;
            }
            times[i].push_back(*seconds);
        }
        st.SetIterationTime(times.back().back());
    }
    const double bare = Median(times[0]);
    st.counters["bare_ms"] = bare * 1000;
    st.counters["text_ms"] = Median(times[1]) * 1000;
    st.counters["velmora_ms"] = Median(times[2]) * 1000;
    st.counters["text_ratio"] = Median(times[1]) / bare;
    st.counters["ratio"] = Median(times[2]) / bare;
}
BENCHMARK(BM_FirstWindowMapped)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);

}  // namespace

BENCHMARK_MAIN();
