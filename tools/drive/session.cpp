// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// session: the X server and the game process, their windows and keys.
#include "session.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <link.h>  // dl_iterate_phdr: the sanitizer runtime this program runs with
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "failure.h"

extern char** environ;

namespace drive {

namespace {

using SteadyClock = std::chrono::steady_clock;

// Every game's ghosts walk the same way: the seed the tests were written
// against, with which the ghosts keep off Gobbler's first runs.
const char* const gameSeed = "1798761632";

// How often a wait looks again.
const auto pollInterval = std::chrono::milliseconds(50);

double SecondsSince(SteadyClock::time_point start) {
    return std::chrono::duration<double>(SteadyClock::now() - start).count();
}

void Pause() {
    std::this_thread::sleep_for(pollInterval);
}

// The directory of temporary files: TMPDIR, or /tmp.
std::string TempDir() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
}

// This process's environment, as NAME=value strings.
std::vector<std::string> Environment() {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; e++) {
        env.emplace_back(*e);
    }
    return env;
}

// The lock under which virtual X servers start and stop, so that two never
// choose the same display number at once.
class ServerLock {
public:
    ServerLock() {
        const std::string path = TempDir() + "/mazerush-e2e-xvfb.lock";
        fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
        if (fd >= 0) {
            flock(fd, LOCK_EX);
        }
    }
    ~ServerLock() {
        if (fd >= 0) {
            close(fd);
        }
    }
    ServerLock(const ServerLock&) = delete;
    ServerLock& operator=(const ServerLock&) = delete;

private:
    int fd = -1;
};

// Xlib's error handler for the driver's connection: a request about a window
// that has just gone away (a game ended, a window destroyed on purpose) is
// no reason to stop; the request's answer says it failed.
int IgnoreXError(Display* /*display*/, XErrorEvent* /*event*/) {
    return 0;
}

// Starts argv with the environment env (NAME=value strings), its output and
// error into the files named (or /dev/null), in a process group of its own
// when ownGroup; with fd (>= 0) as its descriptor 3.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env,
            const std::string& out, const std::string& err, bool ownGroup, int fd) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, fd, 3);
    }
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (ownGroup) {
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attributes, 0);
    }
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    std::vector<char*> vars;
    for (const std::string& v : env) {
        vars.push_back(const_cast<char*>(v.c_str()));
    }
    vars.push_back(nullptr);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), vars.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (failed != 0) {
        throw Failure("cannot start " + argv[0] + ": " + std::strerror(failed));
    }
    return pid;
}

// The value of NAME in env, or "".
std::string Lookup(const std::vector<std::string>& env, const std::string& name) {
    for (const std::string& v : env) {
        if (v.compare(0, name.size() + 1, name + "=") == 0) {
            return v.substr(name.size() + 1);
        }
    }
    return "";
}

// Sets NAME=value in env, or removes NAME where the setting has no '='.
void Apply(std::vector<std::string>* env, const std::string& setting) {
    const std::string name = setting.substr(0, setting.find('='));
    for (auto it = env->begin(); it != env->end(); ++it) {
        if (it->compare(0, name.size() + 1, name + "=") == 0) {
            env->erase(it);
            break;
        }
    }
    if (setting.find('=') != std::string::npos) {
        env->push_back(setting);
    }
}

// The program's file: program itself if it names a path, else the first
// match on the PATH of env.
std::string ProgramFile(const std::string& program, const std::vector<std::string>& env) {
    if (program.find('/') != std::string::npos) {
        return program;
    }
    std::stringstream path(Lookup(env, "PATH"));
    std::string dir;
    while (std::getline(path, dir, ':')) {
        const std::string file = dir + "/" + program;
        if (access(file.c_str(), X_OK) == 0) {
            return file;
        }
    }
    return program;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Whether the program was built with the address sanitizer: its dynamic
// section then names the sanitizer's runtime.
bool NeedsSanitizerRuntime(const std::string& file) {
    return ReadFile(file).find("libasan.so") != std::string::npos;
}

// The file of the sanitizer runtime that this program runs with, or "".
std::string SanitizerRuntime() {
    std::string found;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t /*size*/, void* data) {
            if (info->dlpi_name != nullptr &&
                std::strstr(info->dlpi_name, "/libasan.so") != nullptr) {
                *static_cast<std::string*>(data) = info->dlpi_name;
                return 1;
            }
            return 0;
        },
        &found);
    return found;
}

// The GL driver of Mesa's software renderer.
const char* const softwareDriver = "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so";

// The window under parent (at any depth) titled "Gobbler" that process pid
// owns, or 0; a viewable one unless unmapped windows are asked for too.
Window FindGameWindow(Display* display, Window parent, pid_t pid, bool unmapped) {
    Window root = 0;
    Window up = 0;
    Window* children = nullptr;
    unsigned int n = 0;
    if (XQueryTree(display, parent, &root, &up, &children, &n) == 0) {
        return 0;
    }
    Window found = 0;
    for (unsigned int i = 0; i < n && found == 0; i++) {
        char* title = nullptr;
        XWindowAttributes attributes;
        const bool candidate = XGetWindowAttributes(display, children[i], &attributes) != 0 &&
                               (unmapped || attributes.map_state == IsViewable);
        if (candidate && XFetchName(display, children[i], &title) != 0 && title != nullptr) {
            const std::vector<unsigned long> owner =
                WindowProperty(display, children[i], "_NET_WM_PID");
            if (std::strcmp(title, "Gobbler") == 0 && owner.size() == 1 &&
                owner[0] == static_cast<unsigned long>(pid)) {
                found = children[i];
            }
        }
        if (title != nullptr) {
            XFree(title);
        }
        if (found == 0) {
            found = FindGameWindow(display, children[i], pid, unmapped);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

}  // namespace

std::string MakeTempDir(const std::string& what) {
    std::string pattern = TempDir() + "/mazerush-" + what + ".XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw Failure("cannot make a directory for the " + what);
    }
    return pattern;
}

std::vector<unsigned long> WindowProperty(Display* display, Window window, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    std::vector<unsigned long> items;
    if (atom == None) {
        return items;
    }
    Atom type = None;
    int format = 0;
    unsigned long n = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, atom, 0, 1 << 20, False, AnyPropertyType, &type,
                           &format, &n, &after, &data) == Success &&
        data != nullptr) {
        if (format == 32) {
            // Xlib hands 32-bit items over as longs, sign-extended on a 64-bit
            // machine: the item is the low 32 bits.
            const auto* values = reinterpret_cast<const unsigned long*>(data);
            for (unsigned long i = 0; i < n; i++) {
                items.push_back(values[i] & 0xFFFFFFFFUL);
            }
        }
        XFree(data);
    }
    return items;
}

std::string WindowClass(Display* display, Window window, bool instance) {
    XClassHint hint{};
    if (XGetClassHint(display, window, &hint) == 0) {
        return "";
    }
    const char* const chosen = instance ? hint.res_name : hint.res_class;
    const std::string name = chosen != nullptr ? chosen : "";
    XFree(hint.res_name);
    XFree(hint.res_class);
    return name;
}

// --- XServer -----------------------------------------------------------------------

XServer::XServer() {
    const ServerLock lock;
    for (int attempt = 0; attempt < 3 && display == nullptr; attempt++) {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) {
            break;
        }
        pid = Spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                     "-noreset"},
                    Environment(), "/dev/null", "/dev/null", false, fds[1]);
        close(fds[1]);
        // The server writes its display number once it listens.
        std::string number;
        const auto start = SteadyClock::now();
        while (number.find('\n') == std::string::npos && SecondsSince(start) < 5.0) {
            pollfd p{fds[0], POLLIN, 0};
            if (poll(&p, 1, 100) > 0) {
                char text[16];
                const ssize_t got = read(fds[0], text, sizeof text);
                if (got <= 0) {
                    break;
                }
                number.append(text, static_cast<size_t>(got));
            }
        }
        close(fds[0]);
        if (number.find('\n') != std::string::npos) {
            name = ":" + number.substr(0, number.find('\n'));
            display = XOpenDisplay(name.c_str());
        }
        if (display == nullptr) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
            pid = -1;
        }
    }
    if (display == nullptr) {
        throw Failure("Xvfb did not start");
    }
    XSetErrorHandler(IgnoreXError);
}

XServer::~XServer() {
    Stop();
}

void XServer::Stop() {
    if (display != nullptr) {
        XCloseDisplay(display);
        display = nullptr;
    }
    if (pid > 0) {
        const ServerLock lock;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
}

// --- Game --------------------------------------------------------------------------

Game::Game(XServer& x, GameOptions options) : server(x), dir(MakeTempDir("game")) {
    std::vector<std::string> env = Environment();
    Apply(&env, "DISPLAY=" + server.Name());
    Apply(&env, std::string("MAZERUSH_SEED=") + gameSeed);
    for (const std::string& setting : options.env) {
        Apply(&env, setting);
    }
    // A sanitizer build's leak check at exit must see the GL driver, which
    // Mesa would unload before it: a preloaded library is never unloaded. The
    // sanitizer's runtime must come first of all.
    std::vector<std::string> preload;
    if (NeedsSanitizerRuntime(ProgramFile(options.program, env))) {
        const std::string runtime = SanitizerRuntime();
        if (runtime.empty()) {
            throw Failure("the game needs the sanitizer's runtime, which this program lacks");
        }
        preload.push_back(runtime);
        if (access(softwareDriver, R_OK) == 0) {
            preload.emplace_back(softwareDriver);
        }
    }
    const std::string inherited = Lookup(env, "LD_PRELOAD");
    if (!inherited.empty()) {
        preload.push_back(inherited);
    }
    if (options.clock >= 0.0) {
        if (access(options.fakeClock.c_str(), R_OK) != 0) {
            throw Failure("no fake clock at '" + options.fakeClock + "'");
        }
        preload.push_back(options.fakeClock);
        Apply(&env, "FAKECLOCK_SPEED_FILE=" + dir + "/clock");
        Clock(options.clock);
    }
    if (!options.frameCounter.empty()) {
        if (access(options.frameCounter.c_str(), R_OK) != 0) {
            throw Failure("no frame counter at '" + options.frameCounter + "'");
        }
        preload.push_back(options.frameCounter);
        Apply(&env, "MAZERUSH_SWAPCOUNT=" + dir + "/frames");
    }
    std::string preloads;
    for (const std::string& lib : preload) {
        preloads += (preloads.empty() ? "" : ":") + lib;
    }
    Apply(&env, preloads.empty() ? "LD_PRELOAD" : "LD_PRELOAD=" + preloads);

    std::vector<std::string> argv = options.prefix;
    argv.push_back(options.program);
    argv.insert(argv.end(), options.args.begin(), options.args.end());
    startedAt = std::chrono::duration<double>(SteadyClock::now().time_since_epoch()).count();
    pid = Spawn(argv, env, dir + "/stdout", dir + "/stderr", true, -1);
    FindWindow(options.windowDeadline, options.iconic);
}

Game::~Game() {
    Stop();
    for (const char* file : {"stdout", "stderr", "clock", "clock.new", "frames", "frames.new"}) {
        unlink((dir + "/" + file).c_str());
    }
    rmdir(dir.c_str());
}

void Game::FindWindow(double seconds, bool iconic) {
    Display* display = server.Connection();
    const auto start = SteadyClock::now();
    while (window == 0) {
        if (!Running()) {
            throw Failure("mazerush ended before its window showed: " + Errors().substr(0, 400));
        }
        if (SecondsSince(start) > seconds) {
            throw Failure("no window titled Gobbler showed within " + std::to_string(seconds) +
                          " s");
        }
        window = FindGameWindow(display, DefaultRootWindow(display), pid, iconic);
        if (window == 0) {
            Pause();
        }
    }
    if (!iconic) {
        Focus();  // an iconic window takes no keys
    }
}

// Keys go to the window that has the focus: a key typed before the game's
// window has it would be lost.
void Game::Focus() {
    Display* display = server.Connection();
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    Window focus = 0;
    int revert = 0;
    const auto asked = SteadyClock::now();
    do {
        XSync(display, False);
        XGetInputFocus(display, &focus, &revert);
        if (focus != window) {
            Pause();
        }
    } while (focus != window && SecondsSince(asked) < 10.0);
    if (focus != window) {
        throw Failure("the game's window did not take the focus");
    }
}

void Game::Show(bool shown) {
    Display* display = server.Connection();
    if (shown) {
        XMapWindow(display, window);
    } else {
        XUnmapWindow(display, window);
    }
    XWindowAttributes attributes{};
    const auto asked = SteadyClock::now();
    do {
        XSync(display, False);
        if (XGetWindowAttributes(display, window, &attributes) == 0) {
            throw Failure("the game's window has gone");
        }
        if ((attributes.map_state == IsViewable) != shown) {
            Pause();
        }
    } while ((attributes.map_state == IsViewable) != shown && SecondsSince(asked) < 5.0);
    if ((attributes.map_state == IsViewable) != shown) {
        throw Failure(shown ? "the game's window could not be shown"
                            : "the game's window could not be hidden");
    }
    if (shown) {
        Focus();
    }
}

bool Game::Running() {
    if (pid > 0 && status < 0) {
        int code = 0;
        if (waitpid(pid, &code, WNOHANG) == pid) {
            status = WIFEXITED(code) ? WEXITSTATUS(code) : 128 + WTERMSIG(code);
        }
    }
    return pid > 0 && status < 0;
}

std::ostream& operator<<(std::ostream& out, const Placement& p) {
    return out << p.width << "x" << p.height << "+" << p.x << "+" << p.y;
}

Placement Game::Place() const {
    Display* display = server.Connection();
    XWindowAttributes attributes{};
    int x = 0;
    int y = 0;
    Window child = 0;
    if (XGetWindowAttributes(display, window, &attributes) == 0 ||
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child) ==
            0) {
        throw Failure("the game's window has gone");
    }
    return Placement{x, y, attributes.width, attributes.height};
}

void Game::Press(const std::vector<std::string>& keys) {
    Display* display = server.Connection();
    for (const std::string& key : keys) {
        const KeySym sym = XStringToKeysym(key.c_str());
        const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(display, sym);
        if (code == 0) {
            throw Failure("no key named '" + key + "'");
        }
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
    }
    XSync(display, False);
}

// A window that changes its size while it is read (F11) cannot be read
// whole; it is read again once it has its new size.
const Picture& Game::Look() {
    for (int tries = 1;; tries++) {
        if (!Running()) {
            throw Failure("mazerush stopped");
        }
        try {
            last = Picture::Grab(server.Connection(), window);
            return last;
        } catch (const Failure&) {
            if (tries == 20) {
                throw;
            }
        }
        Pause();
    }
}

const Picture& Game::Await(const Shows& shows, double seconds, const std::string& what) {
    const auto start = SteadyClock::now();
    for (;;) {
        if (!Running()) {
            throw Failure("mazerush stopped, while waiting until: " + what);
        }
        if (shows(Look())) {
            return last;
        }
        if (SecondsSince(start) > seconds) {
            throw Failure(what);
        }
        Pause();
    }
}

void Game::Clock(double speed, double offset) {
    const std::string path = dir + "/clock";
    FILE* file = std::fopen((path + ".new").c_str(), "w");
    if (file == nullptr) {
        throw Failure("cannot set the fake clock");
    }
    std::fprintf(file, "%.6f %.6f\n", speed, offset);
    std::fclose(file);
    std::rename((path + ".new").c_str(), path.c_str());
}

Frames Game::FramesShown() const {
    Frames frames{0, 0.0, 0.0};
    double first = 0.0;
    std::ifstream in(dir + "/frames");
    in >> frames.shown >> frames.seconds >> first;
    frames.firstAfter = first - startedAt;
    return frames;
}

Frames Game::AwaitFramesFor(double seconds) {
    const Frames from = FramesShown();
    const auto start = SteadyClock::now();
    for (;;) {
        const Frames now = FramesShown();
        if (now.seconds - from.seconds >= seconds) {
            return now;
        }
        if (SecondsSince(start) > 10.0 || !Running()) {
            throw Failure("no frame " + std::to_string(seconds) + " s after the one at " +
                          std::to_string(from.seconds) + " s within 10 s");
        }
        Pause();
    }
}

double Game::CpuShare(double seconds, double* held) {
    // utime and stime, the 14th and 15th fields of /proc/PID/stat, counted
    // after the parenthesis that closes the program's name.
    const auto ticks = [this]() {
        const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
        std::stringstream fields(stat.substr(stat.rfind(')') + 2));
        std::string field;
        long long sum = 0;
        for (int i = 3; i <= 15 && fields >> field; i++) {
            sum += i >= 14 ? std::stoll(field) : 0;
        }
        return sum;
    };
    const long long before = ticks();
    *held = Hold(seconds);
    const long long after = ticks();
    return static_cast<double>(after - before) / static_cast<double>(sysconf(_SC_CLK_TCK)) / *held;
}

int Game::AwaitExit(double seconds, const std::string& what) {
    const auto start = SteadyClock::now();
    while (Running()) {
        if (SecondsSince(start) > seconds) {
            throw Failure(what);
        }
        Pause();
    }
    return status;
}

void Game::Stop() {
    if (Running()) {
        killpg(pid, SIGTERM);
        int code = 0;
        waitpid(pid, &code, 0);
        status = WIFEXITED(code) ? WEXITSTATUS(code) : 128 + WTERMSIG(code);
    }
}

std::string Game::Output() const {
    return ReadFile(dir + "/stdout");
}

std::string Game::Errors() const {
    return ReadFile(dir + "/stderr");
}

Ran RunToEnd(const std::vector<std::string>& argv, const std::vector<std::string>& env,
             double seconds) {
    std::vector<std::string> vars = Environment();
    for (const std::string& setting : env) {
        Apply(&vars, setting);
    }
    const std::string dir = MakeTempDir("output");
    const std::string out = dir + "/stdout";
    const std::string err = dir + "/stderr";
    const pid_t pid = Spawn(argv, vars, out, err, true, -1);
    const auto start = SteadyClock::now();
    int code = 0;
    while (waitpid(pid, &code, WNOHANG) != pid) {
        if (SecondsSince(start) > seconds) {
            killpg(pid, SIGKILL);
            waitpid(pid, &code, 0);
            break;
        }
        Pause();
    }
    Ran ran{WIFEXITED(code) ? WEXITSTATUS(code) : 128 + WTERMSIG(code), ReadFile(out),
            ReadFile(err)};
    unlink(out.c_str());
    unlink(err.c_str());
    rmdir(dir.c_str());
    return ran;
}

Stopwatch::Stopwatch()
    : start(std::chrono::duration<double>(SteadyClock::now().time_since_epoch()).count()) {}

double Stopwatch::Seconds() const {
    return std::chrono::duration<double>(SteadyClock::now().time_since_epoch()).count() - start;
}

double Hold(double seconds) {
    const auto start = SteadyClock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    return SecondsSince(start);
}

}  // namespace drive
