// Start-up of the program against an empty Qt window and against its floor, a do-nothing window of
// the same shape (same_shape_window), in the same run and on the same platform plugin: time from
// starting the process to its first painted window, and its peak memory.
//
//   window_startup_bench [runs]          (QT_QPA_PLATFORM=offscreen, or xcb under a display)
//   window_startup_bench --xcb [runs]    (its own Xvfb, as a desktop starts the program: see below)
//   window_startup_bench --wine FOLDER [runs]
//
// It starts itself with --child (the program's window, exactly as the program opens it) and the
// baselines beside it, in turn, and prints the medians and the ratios. With --wine it measures the
// same under Wine, the same way: the Windows build's window_probe.exe (the program's window),
// empty_window.exe and same_shape_window.exe in FOLDER, each started as "wine PROGRAM.exe" (with the
// Wine server already running, as for a Windows user whose desktop is up), the time to its first
// painted window and the peak memory of its process.
//
// --xcb measures where the offscreen plugin cannot: the X11 platform plugin with its fonts, input
// methods and theme, under an Xvfb the benchmark starts and stops, with no session bus (as on a
// plain X login, and the same for every window measured) and the Russian locale live in the C
// library (LANG=ru_RU.UTF-8, as scripts/setup generates it), so the program also loads Qt's Russian
// translation as on a Russian desktop.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "program_window_probe.h"

namespace {

struct Sample {
    double ms;
    long peakKb;
};

// Starts `command` (a program and its arguments, found in PATH), waits for its "painted" line and
// its end.
Sample measure(const std::vector<std::string> &command) {
    int out[2];
    if (pipe(out) != 0) std::exit(2);
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        std::vector<char *> argv;
        for (const auto &a : command) argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        std::_Exit(127);
    }
    close(out[1]);
    char buf[64];
    const ssize_t n = read(out[0], buf, sizeof buf);
    const auto t1 = std::chrono::steady_clock::now();
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (n <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not paint a window\n", command.back().c_str());
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(t1 - t0).count(), usage.ru_maxrss};
}

template <class T>
T median(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

pid_t xvfb = 0;

void stopXvfb() {
    if (xvfb <= 0) return;
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
    xvfb = 0;
}

// Starts Xvfb on display :n and returns its process once it listens there, or 0 when it cannot.
pid_t tryXvfb(int n) {
    int fd[2];
    if (pipe(fd) != 0) std::exit(2);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fd[0]);
        const std::string display = ":" + std::to_string(n), displayFd = std::to_string(fd[1]);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDERR_FILENO);
        execlp("Xvfb", "Xvfb", display.c_str(), "-displayfd", displayFd.c_str(), "-screen", "0",
               "1024x768x24", "-nolisten", "tcp", static_cast<char *>(nullptr));
        std::_Exit(127);
    }
    close(fd[1]);
    // Xvfb writes the display's number and a line end once it listens; it must be able to write
    // them all (a closed pipe would end it).
    std::string line;
    char c;
    while (read(fd[0], &c, 1) == 1 && c != '\n') line += c;
    close(fd[0]);
    const bool ready = line == std::to_string(n);
    if (ready) return pid;
    waitpid(pid, nullptr, 0);
    return 0;
}

// Points this process and its children at display :n, as a desktop without a session bus and
// with the Russian locale.
void useDisplay(int n) {
    setenv("DISPLAY", (":" + std::to_string(n)).c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    unsetenv("LC_ALL");
    unsetenv("LC_NUMERIC");
    unsetenv("LANGUAGE");
    setenv("LANG", "ru_RU.UTF-8", 1);
    // A desktop session has its runtime folder; without one Qt warns at every start.
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        static char runtime[] = "/tmp/lumora-bench-runtime.XXXXXX";
        if (mkdtemp(runtime)) setenv("XDG_RUNTIME_DIR", runtime, 1);
    }
}

// Starts Xvfb on a free display and uses it. Returns Xvfb's process, which the caller ends. The
// displays tried are well above those that sessions and other tests take.
pid_t startXvfb() {
    for (int n = 140; n < 200; ++n) {
        if (access(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), F_OK) == 0) continue;
        if (const pid_t pid = tryXvfb(n)) {
            useDisplay(n);
            return pid;
        }
    }
    std::fprintf(stderr, "Xvfb did not start (is it installed?)\n");
    std::exit(1);
}

}  // namespace

int main(int argc, char **argv) {
    if (argc > 1 && std::string(argv[1]) == "--child")
        return lumora::bench::programWindowProbe(argc, argv, 2);
    const bool wine = argc > 2 && std::string(argv[1]) == "--wine";
    const bool xcb = argc > 1 && std::string(argv[1]) == "--xcb";
    if (xcb) {
        xvfb = startXvfb();
        std::atexit(stopXvfb);  // also when a measured program fails
    }
    const int runsArgument = wine ? 3 : xcb ? 2 : 1;
    const int runs = argc > runsArgument ? std::max(3, std::atoi(argv[runsArgument])) : 21;

    std::vector<std::string> empty, text, floor, lumora;
    if (wine) {
        const std::string folder = std::string(argv[2]) + '/';
        empty = {"wine", folder + "empty_window.exe"};
        text = {"wine", folder + "empty_window.exe", "--text"};
        floor = {"wine", folder + "same_shape_window.exe"};
        lumora = {"wine", folder + "window_probe.exe"};
    } else {
        std::string self = argv[0];
        char exe[4096];
        const ssize_t len = readlink("/proc/self/exe", exe, sizeof exe - 1);
        if (len > 0) self.assign(exe, static_cast<size_t>(len));
        const std::string folder = self.substr(0, self.rfind('/') + 1);
        empty = {folder + "empty_window"};
        text = {folder + "empty_window", "--text"};
        floor = {folder + "same_shape_window"};
        lumora = {self, "--child"};
    }

    std::vector<double> emptyMs, textMs, floorMs, lumoraMs;
    std::vector<long> emptyKb, textKb, floorKb, lumoraKb;
    measure(empty);  // warm the file cache for all of them
    measure(floor);
    measure(lumora);
    for (int i = 0; i < runs; ++i) {
        Sample e = measure(empty);
        Sample t = measure(text);
        Sample f = measure(floor);
        Sample l = measure(lumora);
        emptyMs.push_back(e.ms);
        emptyKb.push_back(e.peakKb);
        textMs.push_back(t.ms);
        textKb.push_back(t.peakKb);
        floorMs.push_back(f.ms);
        floorKb.push_back(f.peakKb);
        lumoraMs.push_back(l.ms);
        lumoraKb.push_back(l.peakKb);
    }
    stopXvfb();
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("%splatform %s%s, %d runs each, medians\n", wine ? "Wine, " : "",
                platform ? platform
                : wine   ? "windows"
                         : "(default)",
                xcb ? " (Xvfb, no session bus, LANG=ru_RU.UTF-8)" : "", runs);
    std::printf("  empty Qt window: %6.1f ms to first paint, peak RSS %6.1f MB\n", median(emptyMs),
                median(emptyKb) / 1024.0);
    std::printf("  one line of text:%6.1f ms to first paint, peak RSS %6.1f MB\n", median(textMs),
                median(textKb) / 1024.0);
    std::printf("  same-shape floor:%6.1f ms to first paint, peak RSS %6.1f MB\n", median(floorMs),
                median(floorKb) / 1024.0);
    std::printf("  Люмора window:   %6.1f ms to first paint, peak RSS %6.1f MB\n", median(lumoraMs),
                median(lumoraKb) / 1024.0);
    // Under Wine the figures are measured, not yet held to a goal.
    std::printf("  ratio: time %.2fx%s, memory %.2fx%s\n", median(lumoraMs) / median(emptyMs),
                wine ? "" : " (target <= 1.5x)",
                static_cast<double>(median(lumoraKb)) / static_cast<double>(median(emptyKb)),
                wine ? "" : " (target <= 1.3x)");
    std::printf("  against the window with text: time %.2fx, memory %.2fx\n",
                median(lumoraMs) / median(textMs),
                static_cast<double>(median(lumoraKb)) / static_cast<double>(median(textKb)));
    std::printf("  against the same-shape floor: time %.2fx, memory %.2fx%s\n",
                median(lumoraMs) / median(floorMs),
                static_cast<double>(median(lumoraKb)) / static_cast<double>(median(floorKb)),
                wine ? "" : " (target <= 1.05x each)");
    return 0;
}
