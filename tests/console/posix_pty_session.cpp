#include "console/posix_pty_session.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
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

void openAs(int fd, const char* path, int flags)
{
    const int opened = open(path, flags);
    if (opened >= 0 && opened != fd) {
        dup2(opened, fd);
        close(opened);
    }
}

void connectKeys(const PtyLaunch& launch, int slave, const int keysPipe[2])
{
    switch (launch.keys) {
    case KeySource::terminal: dup2(slave, STDIN_FILENO); break;
    case KeySource::pipe:
        dup2(keysPipe[0], STDIN_FILENO);
        close(keysPipe[0]);
        close(keysPipe[1]);
        break;
    case KeySource::devNull: openAs(STDIN_FILENO, "/dev/null", O_RDONLY); break;
    case KeySource::closed: close(STDIN_FILENO); break;
    case KeySource::writeOnly: openAs(STDIN_FILENO, "/dev/null", O_WRONLY); break;
    }
}

// In the forked child: the pseudo-terminal as its screen (and keyboard), then the program.
[[noreturn]] void startChild(const PtyLaunch& launch, int master, int slave, const int keysPipe[2])
{
    close(master);
    setsid();
    if (launch.controllingTerminal) ioctl(slave, TIOCSCTTY, 0);
    connectKeys(launch, slave, keysPipe);
    dup2(slave, STDOUT_FILENO);
    dup2(slave, STDERR_FILENO);
    if (slave > STDERR_FILENO) close(slave);
    for (const char* name : {"LANG", "LC_ALL", "LC_CTYPE"}) unsetenv(name);
    for (const auto& [name, value] : launch.env) setenv(name.c_str(), value.c_str(), 1);
    if (!launch.workDir.empty() && chdir(launch.workDir.c_str()) != 0) _exit(126);
    std::vector<char*> args;
    for (const std::string& arg : launch.argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
}

void writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) throw std::runtime_error("cannot write the piped keys");
        done += static_cast<std::size_t>(wrote);
    }
}

int msLeft(long long deadlineMicros)
{
    const long long left = deadlineMicros - monotonicMicros();
    return left <= 0 ? 0 : static_cast<int>((left + 999) / 1000);
}

}  // namespace

termios PtySession::cookedModes()
{
    int probeMaster = -1, probeSlave = -1;
    if (openpty(&probeMaster, &probeSlave, nullptr, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    termios modes{};
    tcgetattr(probeSlave, &modes);
    close(probeSlave);
    close(probeMaster);
    return modes;
}

// openpty and fork rather than forkpty, so that a test can leave the terminal out of the
// program's session (a hang-up then reaches it only as EIO, not as SIGHUP).
PtySession::PtySession(const PtyLaunch& launch)
{
    termios modes = cookedModes();
    winsize size{launch.rows, launch.cols, 0, 0};
    int slave = -1;
    if (openpty(&master, &slave, nullptr, &modes, &size) != 0) throw std::runtime_error("openpty failed");
    int keysPipe[2] = {-1, -1};
    if (launch.keys == KeySource::pipe && pipe(keysPipe) != 0) throw std::runtime_error("pipe failed");
    child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) startChild(launch, master, slave, keysPipe);
    close(slave);
    if (launch.keys == KeySource::pipe) {
        close(keysPipe[0]);
        writeAll(keysPipe[1], launch.pipedKeys);  // a pipe holds 64 KiB: keep the keys shorter
        close(keysPipe[1]);
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
}

PtySession::~PtySession()
{
#ifdef ZORVANE_COVERAGE
    // A coverage build writes its line counts as it exits, and a program killed meanwhile loses
    // them or leaves them half written. So it is given a moment to end by itself, then SIGTERM,
    // its own way out, which writes them too; SIGKILL only for one that still runs after that.
    if (!waitExit(500)) {
        kill(child, SIGTERM);
        waitExit(2000);
    }
#endif
    if (!reap(WNOHANG)) {
        kill(child, SIGKILL);
        reap(0);
    }
    if (master >= 0) close(master);
}

void PtySession::pump(int timeoutMs)
{
    pollfd watched{master, POLLIN, 0};
    if (poll(&watched, 1, timeoutMs) <= 0 || master < 0) return;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(master, buffer, sizeof buffer);
        if (got <= 0) return;  // nothing more now, or EIO once the program's side is closed
        received.append(buffer, static_cast<std::size_t>(got));
    }
}

bool PtySession::reap(int options)
{
    if (status) return true;
    int raw = 0;
    if (wait4(child, &raw, options, &childUsage) != child) return false;
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return true;
}

bool PtySession::running() { return !reap(WNOHANG); }

void PtySession::send(std::string_view bytes)
{
    const long long deadline = monotonicMicros() + 5000000;
    while (!bytes.empty()) {
        const ssize_t done = write(master, bytes.data(), bytes.size());
        if (done > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(done));
        } else if (done < 0 && errno == EAGAIN && monotonicMicros() < deadline) {
            pump(5);  // the program has not read the last keys yet
        } else if (!(done < 0 && errno == EINTR)) {
            throw std::runtime_error("the program takes no more keys");
        }
    }
}

std::optional<std::string> PtySession::waitFor(std::string_view text, int timeoutMs)
{
    const long long deadline = monotonicMicros() + timeoutMs * 1000LL;
    for (;;) {
        const std::size_t found = received.find(text, position);
        if (found != std::string::npos) {
            std::string skipped = received.substr(position, found - position);
            position = found + text.size();
            return skipped;
        }
        const std::size_t before = received.size();
        if (msLeft(deadline) == 0) return std::nullopt;
        pump(msLeft(deadline));
        if (received.size() == before && !running()) {
            pump(0);
            if (received.size() == before) return std::nullopt;  // it ended without the text
        }
    }
}

std::optional<int> PtySession::waitExit(int timeoutMs)
{
    const long long deadline = monotonicMicros() + timeoutMs * 1000LL;
    while (!reap(WNOHANG)) {
        if (msLeft(deadline) == 0) return std::nullopt;
        pump(2);  // keep reading, so that the program never blocks on a full terminal
    }
    pump(0);
    return status;
}

bool PtySession::waitForLineMode(int timeoutMs)
{
    const long long deadline = monotonicMicros() + timeoutMs * 1000LL;
    while ((modes().c_lflag & ICANON) == 0) {
        if (msLeft(deadline) == 0) return false;
        pump(2);
    }
    return true;
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
    if (schedstat >> nanos) return nanos / 1000;
    return -1;
}

std::string PtySession::printableOutput() const
{
    std::string text;
    for (unsigned char c : received) {
        if (c == '\n' || (c >= 0x20 && c < 0x7f)) {
            text += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            text += escaped;
        }
    }
    return text;
}
