#include "console/posix_pty_session.h"

#include <cerrno>
#include <csignal>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

long long monotonicMicros()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}

namespace {

// In the forked child: the pseudo-terminal as its screen (and, unless told otherwise, its
// keyboard), then the program.
[[noreturn]] void startChild(const PtyLaunch& launch, int slave, int keysPipe)
{
    setsid();
    if (launch.controllingTerminal) ioctl(slave, TIOCSCTTY, 0);
    const KeySource keys = launch.keys;
    const int input = keys == KeySource::terminal ? slave : keys == KeySource::pipe ? keysPipe : open("/dev/null", O_RDONLY);
    keys == KeySource::closed ? close(STDIN_FILENO) : dup2(input, STDIN_FILENO);
    dup2(slave, STDOUT_FILENO);
    dup2(slave, STDERR_FILENO);
    for (const char* name : {"LANG", "LC_ALL", "LC_CTYPE"}) unsetenv(name);
    for (const auto& [name, value] : launch.env) setenv(name.c_str(), value.c_str(), 1);
    if (!launch.workDir.empty() && chdir(launch.workDir.c_str()) != 0) _exit(126);
    std::vector<char*> args;
    for (const std::string& arg : launch.argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    closefrom(STDERR_FILENO + 1);
    execv(args[0], args.data());
    _exit(127);
}

}  // namespace

termios PtySession::cookedModes()
{
    int probeMaster = -1, probeSlave = -1;
    termios modes{};
    if (openpty(&probeMaster, &probeSlave, nullptr, nullptr, nullptr) != 0) throw std::runtime_error("openpty failed");
    tcgetattr(probeSlave, &modes);
    close(probeSlave);
    close(probeMaster);
    return modes;
}

// openpty and fork rather than forkpty, so that a test can leave the terminal out of the
// program's session.
PtySession::PtySession(const PtyLaunch& launch)
{
    termios modes = cookedModes();
    winsize size{25, 80, 0, 0};
    int slave = -1, keysPipe[2] = {-1, -1};
    if (openpty(&master, &slave, nullptr, &modes, &size) != 0 || pipe(keysPipe) != 0 || (child = fork()) < 0)
        throw std::runtime_error("openpty, pipe or fork failed");
    if (child == 0) startChild(launch, slave, keysPipe[0]);
    close(slave);
    close(keysPipe[0]);
    // Only a piped program reads the pipe; the others close it at once, and a write into it then
    // would raise SIGPIPE in the test. The keys fit in the pipe, so the write never blocks.
    if (launch.keys == KeySource::pipe) (void)!write(keysPipe[1], launch.pipedKeys.data(), launch.pipedKeys.size());
    close(keysPipe[1]);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
}

PtySession::~PtySession()
{
#ifdef ZORVANE_COVERAGE
    // A coverage build writes its line counts as it exits, and a program killed meanwhile loses
    // them. So it is given a moment to end by itself, then SIGTERM, its own way out, which
    // writes them too; SIGKILL only for one that still runs after that.
    if (!waitExit(500)) {
        kill(child, SIGTERM);
        waitExit(2000);
    }
#endif
    if (!reap(true)) {
        kill(child, SIGKILL);
        reap(false);
    }
    if (master >= 0) close(master);
}

void PtySession::pump(int timeoutMs)
{
    pollfd watched{master, POLLIN, 0};
    if (master < 0 || poll(&watched, 1, timeoutMs) <= 0) return;
    char buffer[4096];
    ssize_t got;
    // Until nothing more comes for now, or EIO once the program's side is closed.
    while ((got = read(master, buffer, sizeof buffer)) > 0) received.append(buffer, static_cast<std::size_t>(got));
}

bool PtySession::reap(bool noHang)
{
    int raw = 0;
    if (!status && wait4(child, &raw, noHang ? WNOHANG : 0, &childUsage) == child)
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return status.has_value();
}

void PtySession::send(std::string_view bytes)
{
    const long long deadline = monotonicMicros() + 5000000;
    while (!bytes.empty()) {
        const ssize_t done = write(master, bytes.data(), bytes.size());
        if (done > 0) bytes.remove_prefix(static_cast<std::size_t>(done));
        else if (done < 0 && errno == EAGAIN && monotonicMicros() < deadline) pump(5);  // not read yet
        else if (!(done < 0 && errno == EINTR)) throw std::runtime_error("the program takes no more keys");
    }
}

bool PtySession::pumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    const long long deadline = monotonicMicros() + timeoutMs * 1000LL;
    while (!done()) {
        if (monotonicMicros() >= deadline) return false;
        pump(2);  // reading on, so that the program never blocks
    }
    return true;
}

std::optional<std::string> PtySession::waitFor(std::string_view text, int timeoutMs)
{
    std::size_t found = std::string::npos;
    pumpUntil([&] {
        const bool ended = !running();
        if (ended) pump(0);  // what it wrote before it ended
        found = received.find(text, position);
        return found != std::string::npos || ended;
    }, timeoutMs);
    if (found == std::string::npos) return std::nullopt;
    std::string skipped = received.substr(position, found - position);
    position = found + text.size();
    return skipped;
}

std::optional<int> PtySession::waitExit(int timeoutMs)
{
    pumpUntil([this] { return reap(true); }, timeoutMs);
    pump(0);
    return status;
}

termios PtySession::modes() const
{
    termios modes{};
    tcgetattr(master, &modes);  // on a master side: the modes of the program's side
    return modes;
}

void PtySession::resize(unsigned short cols, unsigned short rows)
{
    winsize size{rows, cols, 0, 0};
    ioctl(master, TIOCSWINSZ, &size);
}

void PtySession::hangUp()
{
    close(master);
    master = -1;
}

long long PtySession::cpuMicros() const
{
    std::ifstream schedstat("/proc/" + std::to_string(child) + "/schedstat");
    long long nanos = -1;
    return schedstat >> nanos ? nanos / 1000 : -1;
}

std::string PtySession::printableOutput() const
{
    std::string text;
    for (unsigned char c : received) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, c == '\n' || (c >= 0x20 && c < 0x7f) ? "%c" : "\\x%02x", c);
        text += escaped;
    }
    return text;
}
