// The POSIX terminal: raw mode, the alternate screen, byte input and output, and the restore.
//
// Everything the restore needs lives in plain globals, because a signal handler has to reach
// it: the player's terminal modes and two flags saying what was changed. The handler uses
// only write(2), tcsetattr(3) and _exit(2), which are async-signal-safe.
#include "console/posix_tty.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int keyboardFd = STDIN_FILENO;
constexpr int screenFd = STDOUT_FILENO;

// The game's own screen, and the player's screen back with a visible cursor.
constexpr char enterGameScreen[] = "\x1b[?1049h";
constexpr char leaveGameScreen[] = "\x1b[?25h\x1b[?1049l";

constexpr int exitSignals[] = {SIGTERM, SIGHUP, SIGQUIT, SIGINT};

termios playerModes;
termios rawModes;
termios lineModes;
volatile std::sig_atomic_t modesChanged = 0;
volatile std::sig_atomic_t screenSwitched = 0;
bool keysFromTerminal = false;
bool screenIsTerminal = false;
bool ending = false;

// ---- time ----

long long monotonicMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

// ---- the restore, safe inside a signal handler ----

void writeIgnoringErrors(const char* bytes, std::size_t count)
{
    while (count > 0) {
        const ssize_t done = ::write(screenFd, bytes, count);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return;
        bytes += done;
        count -= static_cast<std::size_t>(done);
    }
}

void restoreSignalSafe()
{
    if (screenSwitched) {
        screenSwitched = 0;
        writeIgnoringErrors(leaveGameScreen, sizeof leaveGameScreen - 1);
    }
    if (modesChanged) {
        modesChanged = 0;
        tcsetattr(keyboardFd, TCSANOW, &playerModes);
    }
}

#ifdef ZORVANE_COVERAGE
extern "C" void __gcov_dump(void);
#endif

// _exit(2) skips the exit handlers, and with them the line counts that a coverage build writes
// there; such a build writes them first (not signal-safe, but only the tests run that build),
// so that the games ended by a signal are counted too.
[[noreturn]] void exitAtOnce()
{
#ifdef ZORVANE_COVERAGE
    __gcov_dump();
#endif
    _exit(0);
}

extern "C" void onExitSignal(int)
{
    restoreSignalSafe();
    exitAtOnce();
}

sigset_t exitSignalSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (int signal : exitSignals) sigaddset(&set, signal);
    return set;
}

void installSignalHandlers()
{
    struct sigaction action {};
    action.sa_handler = onExitSignal;
    action.sa_mask = exitSignalSet();  // one restore at a time
    for (int signal : exitSignals) sigaction(signal, &action, nullptr);
    // A closed screen shows up as a write error instead, which ends the game quietly.
    std::signal(SIGPIPE, SIG_IGN);
}

// ---- modes ----

void prepareModes()
{
    rawModes = playerModes;
    rawModes.c_iflag &= ~static_cast<tcflag_t>(BRKINT | ICRNL | INPCK | ISTRIP | IXON);
    rawModes.c_oflag &= ~static_cast<tcflag_t>(OPOST);  // the backend writes "\r\n" itself
    rawModes.c_cflag |= CS8;
    rawModes.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | IEXTEN | ISIG);
    rawModes.c_cc[VMIN] = 1;
    rawModes.c_cc[VTIME] = 0;

    // The line editing the player is used to, but Ctrl-C still only a character. Built from
    // the player's modes rather than the raw ones: on some systems the canonical control
    // characters share their slots with VMIN and VTIME.
    lineModes = playerModes;
    lineModes.c_iflag |= ICRNL;
    lineModes.c_iflag &= ~static_cast<tcflag_t>(IXON);
    lineModes.c_oflag |= OPOST | ONLCR;
    lineModes.c_lflag |= ICANON | ECHO | ECHOE | ECHOK | IEXTEN;
    lineModes.c_lflag &= ~static_cast<tcflag_t>(ISIG);
    // Ctrl-D at the start of a line would read as the end of input and end the game.
    lineModes.c_cc[VEOF] = _POSIX_VDISABLE;
}

// ---- waiting ----

// Waits until fd is ready for `events` or timeoutMs has passed (negative: no limit). Returns
// false on a time-out; a poll that fails for good ends the program.
bool waitReady(int fd, short events, int timeoutMs)
{
    const long long deadline = monotonicMs() + timeoutMs;
    for (;;) {
        int left = -1;
        if (timeoutMs >= 0) left = static_cast<int>(std::max(0LL, deadline - monotonicMs()));
        pollfd watched{fd, events, 0};
        const int ready = poll(&watched, 1, left);
        if (ready > 0) return true;
        if (ready == 0) return false;
        if (errno != EINTR && errno != EAGAIN) ttyEnd();
    }
}

}  // namespace

void ttyOpen()
{
    keysFromTerminal = isatty(keyboardFd) && tcgetattr(keyboardFd, &playerModes) == 0;
    screenIsTerminal = isatty(screenFd);
    installSignalHandlers();
    std::atexit(ttyRestore);  // also covers a main() that returns
    if (keysFromTerminal) {
        prepareModes();
        modesChanged = 1;
        tcsetattr(keyboardFd, TCSAFLUSH, &rawModes);
    }
    if (screenIsTerminal) {
        screenSwitched = 1;
        ttyWrite(enterGameScreen);
    }
}

bool ttyKeysFromTerminal() { return keysFromTerminal; }

bool ttyScreenIsTerminal() { return screenIsTerminal; }

bool ttyOutputRaw() { return keysFromTerminal && screenIsTerminal; }

void ttyRestore()
{
    const sigset_t blocked = exitSignalSet();
    sigset_t previous;
    sigprocmask(SIG_BLOCK, &blocked, &previous);
    restoreSignalSafe();
    sigprocmask(SIG_SETMASK, &previous, nullptr);
}

void ttyEnd()
{
    if (ending) exitAtOnce();
    ending = true;
    ttyRestore();
    std::exit(0);
}

void ttyWrite(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t done = ::write(screenFd, bytes.data(), bytes.size());
        if (done > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(done));
        } else if (done < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            waitReady(screenFd, POLLOUT, -1);
        } else if (done == 0 || errno != EINTR) {
            ttyEnd();  // EIO from a hung-up terminal, EPIPE from a closed pipe
        }
    }
}

int ttyReadByte(int timeoutMs)
{
    for (;;) {
        if (!waitReady(keyboardFd, POLLIN, timeoutMs)) return -1;
        unsigned char byte;
        const ssize_t got = ::read(keyboardFd, &byte, 1);
        if (got == 1) return byte;
        if (got < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
        ttyEnd();  // EOF, EIO after a hang-up, or input that can never be read
    }
}

void ttyDiscardInput()
{
    if (keysFromTerminal) tcflush(keyboardFd, TCIFLUSH);
}

void ttyLineMode()
{
    if (!keysFromTerminal) return;
    // Keys typed before the question would otherwise become a line of their own the moment
    // the terminal turns canonical, without the player pressing ENTER.
    tcflush(keyboardFd, TCIFLUSH);
    tcsetattr(keyboardFd, TCSANOW, &lineModes);
}

void ttyRawMode()
{
    if (keysFromTerminal) tcsetattr(keyboardFd, TCSANOW, &rawModes);
}

bool ttyWindowSize(int& cols, int& rows)
{
    winsize size{};
    if (!screenIsTerminal || ioctl(screenFd, TIOCGWINSZ, &size) != 0) return false;
    cols = size.ws_col;
    rows = size.ws_row;
    return cols > 0 && rows > 0;
}
