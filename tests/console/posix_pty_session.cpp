#include "console/posix_pty_session.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/wait.h>

long long monotonicMicros()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// openpty and fork rather than forkpty, so that a test can leave the terminal out of the
// program's session.
PtySession::PtySession(const PtyLaunch& launch)
{
    winsize size{launch.rows, launch.cols, 0, 0};
    int slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, &size) != 0 || (child = fork()) < 0) throw std::runtime_error("openpty or fork failed");
    if (child == 0) {  // the pseudo-terminal as the program's keyboard and screen
        setsid();
        if (launch.controllingTerminal) ioctl(slave, TIOCSCTTY, 0);
        for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) dup2(slave, fd);
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
    close(slave);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
}

PtySession::~PtySession()
{
    // A moment to end by itself, then SIGTERM, the program's own way out (on which a coverage
    // build still writes its line counts), then SIGKILL.
    for (int signal : {SIGTERM, SIGKILL}) {
        if (waitExit(500)) break;
        kill(child, signal);
    }
    reap(false);
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

bool PtySession::waitUntil(const std::function<bool()>& done, int timeoutMs)
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
    const auto found = [&] { return received.find(text, position); };
    waitUntil([&] { return found() != std::string::npos || !running(); }, timeoutMs);
    pump(0);  // what it wrote before it ended
    const std::size_t at = found();
    if (at == std::string::npos) return std::nullopt;
    std::string skipped = received.substr(position, at - position);
    position = at + text.size();
    return skipped;
}

std::optional<int> PtySession::waitExit(int timeoutMs)
{
    waitUntil([this] { return reap(true); }, timeoutMs);
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

ScreenModel screenAfter(std::string_view out)
{
    ScreenModel screen;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        const int col = std::min(screen.cursorCol(), ScreenModel::columns - 1), row = screen.cursorRow();
        if (c == 0x1b && out.substr(i + 1, 1) == "[") {
            std::size_t end = i + 2;
            while (end < out.size() && (out[end] < '@' || out[end] > '~')) ++end;
            if (end >= out.size()) break;
            int n = 0, m = 0;  // the first two numbers, 0 where there are none
            std::sscanf(std::string(out.substr(i + 2, end - i - 2)).c_str(), "%d;%d", &n, &m);
            const char final = out[i = end];
            if (final == 'H') screen.moveCursor(std::max(m, 1) - 1, std::max(n, 1) - 1);
            if (final == 'C' || final == 'D') screen.moveCursor(col + (final == 'C' ? 1 : -1) * std::max(1, n), row);
            if (final == 'K') screen.write(std::string(static_cast<std::size_t>(ScreenModel::columns - col), ' '));  // to the end
            if (final == 'J' && n == 2) screen.clear();
            if (final == 'K' || final == 'J') screen.moveCursor(col, row);  // neither moves the cursor
        } else if (c == '\r') screen.moveCursor(0, row);
        else if (c == '\n') {  // a line feed keeps the column, and scrolls on the bottom row
            screen.write("\n");
            screen.moveCursor(col, screen.cursorRow());
        }
        else if (out.substr(i, 3) == "\xe2\x96\xb2") {
            screen.write("\x1e");
            i += 2;
        } else if (c >= 0x20 && (c < 0x80 || c >= 0xc0)) screen.write(c < 0x80 ? std::string(1, static_cast<char>(c)) : "#");
    }
    return screen;
}

std::string rowsOf(const ScreenModel& screen)
{
    std::string all;
    for (int r = 0; r < ScreenModel::rows; ++r) all += screen.row(r) + "\n";
    return all;
}
