// Start-up: from the exec of the program on the sample document to the map
// event of its main window, against a Qt Widgets program that shows one label,
// the two started in turn, on a virtual display of the benchmark's own. Each
// window is then closed as the window manager's close box closes it, and the
// time from the window's going to the process's end is taken too. Prints the
// medians of the interleaved runs and the ratio of the start-ups.
//
//   bench_startup [--pairs=N] [benchmark options]
//
// The display is an Xvfb started for the run (no window manager, nothing else
// drawing); where Xvfb is missing the display named by DISPLAY is used; with
// neither the benchmark skips.
#include "FigureReporter.h"

#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kWaitMs = 60000; // how long a start may take before the run gives up

double NowMs()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

std::string ProgramFolder()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    std::string self(path, static_cast<size_t>(n));
    return self.substr(0, self.rfind('/'));
}

// Starts Program with Args and the environment Env; its output goes nowhere.
pid_t Spawn(const std::string& Program, const std::vector<std::string>& Args, const std::vector<std::string>& Env,
            bool SearchPath = false)
{
    std::vector<char*> argv {const_cast<char*>(Program.c_str())};
    for (const std::string& a : Args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : Env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int failed = SearchPath ? posix_spawnp(&pid, Program.c_str(), &files, nullptr, argv.data(), envp.data())
                                  : posix_spawn(&pid, Program.c_str(), &files, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&files);
    return failed ? -1 : pid;
}

void Reap(pid_t Pid)
{
    if (Pid <= 0)
        return;
    kill(Pid, SIGKILL);
    while (waitpid(Pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// This process's environment with the variables of Changes set ("NAME=value").
std::vector<std::string> Environment(const std::vector<std::string>& Changes)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const std::string name = entry.substr(0, entry.find('='));
        const bool changed = std::any_of(Changes.begin(), Changes.end(),
                                         [&](const std::string& c) { return c.compare(0, name.size() + 1, name + "=") == 0; });
        if (!changed)
            env.push_back(entry);
    }
    env.insert(env.end(), Changes.begin(), Changes.end());
    return env;
}

// An Xvfb of this run, which picks a free display number itself.
class TVirtualDisplay {
public:
    TVirtualDisplay()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        pid_ = Spawn("Xvfb", {"-displayfd", std::to_string(fds[1]), "-nolisten", "tcp", "-screen", "0", "1280x1024x24"},
                     Environment({}), true);
        close(fds[1]);
        std::string number;
        pollfd p {fds[0], POLLIN, 0};
        char c = 0;
        while (pid_ > 0 && poll(&p, 1, kWaitMs) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (number.empty()) {
            Reap(pid_);
            pid_ = -1;
            return;
        }
        name_ = ":" + number;
    }
    ~TVirtualDisplay()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& Name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

// Watches the top-level windows of a display for the map of a window that
// belongs to a given process (by its _NET_WM_PID).
class TMapWatch {
public:
    explicit TMapWatch(const std::string& Display)
    {
        c_ = xcb_connect(Display.c_str(), nullptr);
        if (xcb_connection_has_error(c_))
            return;
        root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        // New top-level windows are watched themselves too, so that a map
        // after a window manager reparented them is still seen.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, &mask);
        pidAtom_ = Atom("_NET_WM_PID");
        protocolsAtom_ = Atom("WM_PROTOCOLS");
        deleteAtom_ = Atom("WM_DELETE_WINDOW");
        ok_ = pidAtom_ != XCB_ATOM_NONE && protocolsAtom_ != XCB_ATOM_NONE && deleteAtom_ != XCB_ATOM_NONE;
    }
    ~TMapWatch() { xcb_disconnect(c_); }
    bool Ok() const { return ok_; }

    // Drops the events of earlier runs.
    void Drain()
    {
        Sync();
        while (xcb_generic_event_t* e = xcb_poll_for_event(c_))
            free(e);
    }

    // The window that WaitForMap saw mapped last.
    xcb_window_t Mapped() const { return mapped_; }

    // Asks Window to close, as a window manager's close box does.
    void Close(xcb_window_t Window)
    {
        xcb_client_message_event_t event {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = Window;
        event.type = protocolsAtom_;
        event.data.data32[0] = deleteAtom_;
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(c_, 0, Window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
        xcb_flush(c_);
    }

    // The time (NowMs) at which Window was unmapped or destroyed; -1 when
    // neither came by Deadline.
    double WaitForGone(xcb_window_t Window, double Deadline)
    {
        return WaitFor(Deadline, [&](const xcb_generic_event_t* E, uint8_t Type) {
            return (Type == XCB_UNMAP_NOTIFY && reinterpret_cast<const xcb_unmap_notify_event_t*>(E)->window == Window)
                || (Type == XCB_DESTROY_NOTIFY && reinterpret_cast<const xcb_destroy_notify_event_t*>(E)->window == Window);
        });
    }

    // The time (NowMs) at which a window of Pid was mapped; -1 when none was
    // mapped by Deadline or the process ended first.
    double WaitForMap(pid_t Pid, double Deadline)
    {
        return WaitFor(
            Deadline,
            [&](const xcb_generic_event_t* E, uint8_t Type) {
                if (Type == XCB_CREATE_NOTIFY) {
                    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                    xcb_change_window_attributes(c_, reinterpret_cast<const xcb_create_notify_event_t*>(E)->window,
                                                 XCB_CW_EVENT_MASK, &mask);
                    xcb_flush(c_);
                    return false;
                }
                if (Type != XCB_MAP_NOTIFY)
                    return false;
                const xcb_window_t window = reinterpret_cast<const xcb_map_notify_event_t*>(E)->window;
                if (PidOf(window) != Pid)
                    return false;
                mapped_ = window;
                return true;
            },
            [&] {
                // Ended, but left unreaped for Reap: a pid reaped here could
                // be another process's by the time Reap kills it.
                siginfo_t info {};
                return waitid(P_PID, static_cast<id_t>(Pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == Pid;
            });
    }

private:
    // The time of the first event that IsWanted takes; -1 when none came by
    // Deadline or GiveUp said there is no use waiting.
    template <typename Wanted, typename Stop = bool (*)()>
    double WaitFor(double Deadline, Wanted&& IsWanted, Stop&& GiveUp = [] { return false; })
    {
        const pollfd p {xcb_get_file_descriptor(c_), POLLIN, 0};
        for (;;) {
            while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) {
                const double at = NowMs();
                const bool wanted = IsWanted(e, static_cast<uint8_t>(e->response_type & 0x7f));
                free(e);
                if (wanted)
                    return at;
            }
            const double left = Deadline - NowMs();
            if (xcb_connection_has_error(c_) || GiveUp() || left <= 0)
                return -1;
            pollfd wait = p;
            poll(&wait, 1, static_cast<int>(std::min(left, 100.0)));
        }
    }
    xcb_atom_t Atom(const char* Name)
    {
        xcb_atom_t atom = XCB_ATOM_NONE;
        if (xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, std::strlen(Name), Name), nullptr)) {
            atom = r->atom;
            free(r);
        }
        return atom;
    }
    void Sync()
    {
        free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
    }
    long PidOf(xcb_window_t Window)
    {
        xcb_get_property_reply_t* r =
            xcb_get_property_reply(c_, xcb_get_property(c_, 0, Window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        long pid = -1;
        if (r && r->format == 32 && xcb_get_property_value_length(r) == 4)
            pid = *static_cast<const uint32_t*>(xcb_get_property_value(r));
        free(r);
        return pid;
    }

    xcb_connection_t* c_ = nullptr;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    xcb_atom_t pidAtom_ = XCB_ATOM_NONE;
    xcb_atom_t protocolsAtom_ = XCB_ATOM_NONE;
    xcb_atom_t deleteAtom_ = XCB_ATOM_NONE;
    xcb_window_t mapped_ = XCB_WINDOW_NONE;
    bool ok_ = false;
};

struct TProgram {
    std::string Path;
    std::vector<std::string> Args;
};

struct TSamples {
    std::vector<double> Lemvora, Label;         // exec to the window's map
    std::vector<double> LemvoraExit, LabelExit; // the window gone to the process ended
    std::string Problem;
};
TSamples g_samples;
int g_pairs = 21;

double Median(std::vector<double> V)
{
    if (V.empty())
        return -1;
    std::sort(V.begin(), V.end());
    const size_t n = V.size();
    return n % 2 ? V[n / 2] : (V[n / 2 - 1] + V[n / 2]) / 2;
}

// Milliseconds from the window's going to the end of the process Pid, once
// the window was asked to close; -1 when it did not go or the process did not
// end by then. A process that is left is ended.
double TimeToExit(TMapWatch& Watch, pid_t Pid)
{
    const xcb_window_t window = Watch.Mapped();
    Watch.Close(window);
    const double gone = Watch.WaitForGone(window, NowMs() + kWaitMs);
    const int ended = static_cast<int>(syscall(SYS_pidfd_open, Pid, 0));
    double exited = -1;
    if (gone >= 0 && ended >= 0) {
        pollfd p {ended, POLLIN, 0};
        if (poll(&p, 1, kWaitMs) == 1)
            exited = NowMs();
    }
    if (ended >= 0)
        close(ended);
    Reap(Pid);
    return gone < 0 || exited < 0 ? -1 : exited - gone;
}

struct TRun {
    double Start = -1; // exec to map
    double Exit = -1;  // window gone to process ended
};

// Starts Program, takes the time to the map of its window, then closes the
// window and takes the time its process lingers. -1 where a step failed.
TRun StartAndClose(TMapWatch& Watch, const TProgram& Program, const std::string& Display, int Run)
{
    Watch.Drain();
    // Every copy has a marker name of its own, so a copy still ending never
    // refuses the next.
    const std::vector<std::string> env = Environment(
        {"DISPLAY=" + Display, "QT_QPA_PLATFORM=xcb",
         "LEMV_INSTANCE_SCOPE=bench-startup-" + std::to_string(getpid()) + "-" + std::to_string(Run) + "-"});
    const double start = NowMs();
    const pid_t pid = Spawn(Program.Path, Program.Args, env);
    if (pid <= 0)
        return {};
    const double mapped = Watch.WaitForMap(pid, start + kWaitMs);
    if (mapped < 0) {
        Reap(pid);
        return {};
    }
    return {mapped - start, TimeToExit(Watch, pid)};
}

void BM_StartupToMap(benchmark::State& state)
{
    std::unique_ptr<TVirtualDisplay> own = std::make_unique<TVirtualDisplay>();
    std::string display = own->Name();
    if (display.empty() && std::getenv("DISPLAY"))
        display = std::getenv("DISPLAY");
    TMapWatch watch(display);
    if (display.empty() || !watch.Ok()) {
        g_samples.Problem = "no display: Xvfb is not installed and DISPLAY names no display";
        state.SkipWithError(g_samples.Problem.c_str());
        return;
    }
    const std::string folder = ProgramFolder();
    const TProgram programs[2] = {{folder + "/Lemvora", {LEMV_SAMPLE_DOCUMENT}}, {folder + "/onelabel_window", {}}};
    std::vector<double>* starts[2] = {&g_samples.Lemvora, &g_samples.Label};
    std::vector<double>* exits[2] = {&g_samples.LemvoraExit, &g_samples.LabelExit};
    int run = 0;
    // One pair first, uncounted: the file caches and the display's fonts warm up.
    for (const TProgram& p : programs)
        StartAndClose(watch, p, display, run++);
    for (auto _ : state) {
        // The order alternates, so that a drift of the machine meets both alike.
        TRun runs[2];
        for (int k = 0; k < 2; ++k) {
            const int which = (run / 2 + k) % 2;
            runs[which] = StartAndClose(watch, programs[which], display, run++);
        }
        if (runs[0].Start < 0 || runs[1].Start < 0) {
            g_samples.Problem = "a program mapped no window (is Lemvora built beside the benchmark?)";
            state.SkipWithError(g_samples.Problem.c_str());
            return;
        }
        if (runs[0].Exit < 0 || runs[1].Exit < 0) {
            g_samples.Problem = "a program did not end once its window was closed";
            state.SkipWithError(g_samples.Problem.c_str());
            return;
        }
        for (int k = 0; k < 2; ++k) {
            starts[k]->push_back(runs[k].Start);
            exits[k]->push_back(runs[k].Exit);
        }
        state.SetIterationTime(runs[0].Start / 1e3);
    }
    state.counters["lemvora_ms"] = Median(g_samples.Lemvora);
    state.counters["label_ms"] = Median(g_samples.Label);
}

void PrintFigures(const TFigureReporter&)
{
    if (!g_samples.Problem.empty()) {
        std::printf("\nstart-up not measured: %s\n", g_samples.Problem.c_str());
        return;
    }
    const double lemvora = Median(g_samples.Lemvora);
    const double label = Median(g_samples.Label);
    std::printf("\nexec to the main window mapped, sample document: %.1f ms; one-label window %.1f ms "
                "(medians of %zu interleaved runs); ratio %.2f (aim: <= 1.2)\n",
                lemvora, label, g_samples.Lemvora.size(), label > 0 ? lemvora / label : 0.0);
    std::printf("main window closed to the process ended: %.1f ms; one-label window %.1f ms (aim: <= 200 ms)\n",
                Median(g_samples.LemvoraExit), Median(g_samples.LabelExit));
}

} // namespace

int main(int argc, char** argv)
{
    // --pairs=N: how many runs of each program (the suite's check takes few).
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--pairs=", 8) == 0)
            g_pairs = std::max(1, std::atoi(argv[i] + 8));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    benchmark::RegisterBenchmark("BM_StartupToMap", BM_StartupToMap)
        ->Iterations(g_pairs)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    RunBenchmarksWithFigures(argc, argv, PrintFigures);
    return 0;
}
