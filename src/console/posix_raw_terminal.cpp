// The POSIX terminal: raw mode, the alternate screen, byte input and output, and the restore.
//
// Everything the signal handlers need lives in plain globals: the player's terminal modes and
// the game's, and flags saying what was changed. The handlers use only write(2), tcsetattr(3),
// sigaction(2), sigprocmask(2), raise(3) and _exit(2), which are async-signal-safe. A resize
// or a return from a suspend is only noted in a flag and a byte down a pipe (the self-pipe),
// which wakes the wait for a key; the screen is drawn again in the program's own flow.
#include "console/posix_raw_terminal.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

static void ttyRestore();

namespace {

constexpr int keyboardFd = STDIN_FILENO;
constexpr int screenFd = STDOUT_FILENO;

// The game's own screen, and the player's screen back with a visible cursor.
constexpr char enterGameScreen[] = "\x1b[?1049h";
constexpr char leaveGameScreen[] = "\x1b[?25h\x1b[?1049l";

constexpr int exitSignals[] = {SIGTERM, SIGHUP, SIGQUIT, SIGINT};
// A resized window, a suspend from outside and the continue after a stop.
constexpr int screenSignals[] = {SIGWINCH, SIGTSTP, SIGCONT};

termios playerModes;
termios rawModes;
termios lineModes;
volatile std::sig_atomic_t modesChanged = 0;
volatile std::sig_atomic_t screenSwitched = 0;
// What a suspend gave back to the shell, to be taken again when the program continues.
volatile std::sig_atomic_t modesGivenBack = 0;
volatile std::sig_atomic_t screenGivenBack = 0;
// The modes the game wants now: 1 while a line is typed, 0 for single keys.
volatile std::sig_atomic_t inLineMode = 0;
// Set by a resize or a continue, until the game has drawn its screen again.
volatile std::sig_atomic_t screenChanged = 0;
// The self-pipe: read end watched by the wait for a key, write end written by the handlers.
int wakePipe[2] = {-1, -1};
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

// ---- suspend, continue and resize, safe inside a signal handler ----

const termios& gameModes() { return inLineMode ? lineModes : rawModes; }

void takeBackSignalSafe()
{
    if (modesGivenBack) {
        modesGivenBack = 0;
        tcsetattr(keyboardFd, TCSANOW, &gameModes());
        modesChanged = 1;
    }
    if (screenGivenBack) {
        screenGivenBack = 0;
        writeIgnoringErrors(enterGameScreen, sizeof enterGameScreen - 1);
        screenSwitched = 1;
    }
}

void noteScreenChange()
{
    screenChanged = 1;
    if (wakePipe[1] < 0) return;
    const char byte = 0;
    const ssize_t ignored = ::write(wakePipe[1], &byte, 1);  // a full pipe has woken the wait already
    (void)ignored;
}

extern "C" void onWindowChange(int)
{
    const int savedErrno = errno;
    noteScreenChange();
    errno = savedErrno;
}

// A suspend from outside: the terminal goes back to the shell as at exit, the program stops
// by the signal's own default action, and takes the terminal again once it continues. (In a
// process group that no shell controls, the stop is dropped and the program goes straight on.)
extern "C" void onSuspend(int)
{
    const int savedErrno = errno;
    modesGivenBack = modesChanged;
    screenGivenBack = screenSwitched;
    restoreSignalSafe();

    struct sigaction stop {}, ours {};
    stop.sa_handler = SIG_DFL;
    sigaction(SIGTSTP, &stop, &ours);
    sigset_t suspendSignal;
    sigemptyset(&suspendSignal);
    sigaddset(&suspendSignal, SIGTSTP);
    sigprocmask(SIG_UNBLOCK, &suspendSignal, nullptr);
    raise(SIGTSTP);  // stopped here until SIGCONT
    sigprocmask(SIG_BLOCK, &suspendSignal, nullptr);
    sigaction(SIGTSTP, &ours, nullptr);

    takeBackSignalSafe();
    noteScreenChange();
    errno = savedErrno;
}

// Also after a stop that gave nothing back (SIGSTOP), while which the shell may have set
// modes of its own.
extern "C" void onContinue(int)
{
    const int savedErrno = errno;
    if (modesChanged) tcsetattr(keyboardFd, TCSANOW, &gameModes());
    noteScreenChange();
    errno = savedErrno;
}

// The signals whose handlers touch the terminal, blocked while any of them runs.
sigset_t handledSignalSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (int signal : exitSignals) sigaddset(&set, signal);
    for (int signal : screenSignals) sigaddset(&set, signal);
    return set;
}

// Above the standard descriptors: with standard input closed, pipe(2) would hand out 0 and
// the program would take its own wake-ups for keys.
int aboveStandardFds(int fd)
{
    if (fd < 0 || fd > STDERR_FILENO) return fd;
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    close(fd);
    return moved;
}

void openWakePipe()
{
    int fds[2];
    if (pipe(fds) != 0) return;  // no wake-ups: the screen is drawn again after the next key
    for (int& fd : fds) {
        fd = aboveStandardFds(fd);
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    if (fds[0] < 0 || fds[1] < 0) return;
    wakePipe[0] = fds[0];
    wakePipe[1] = fds[1];
}

void drainWakePipe()
{
    char bytes[64];
    while (wakePipe[0] >= 0 && ::read(wakePipe[0], bytes, sizeof bytes) > 0) {
    }
}

void installSignalHandlers()
{
    struct sigaction action {};
    action.sa_handler = onExitSignal;
    action.sa_mask = handledSignalSet();  // one restore at a time
    for (int signal : exitSignals) sigaction(signal, &action, nullptr);

    // The interrupted reads and writes go on; poll and the sleeps of pauses return early.
    action.sa_flags = SA_RESTART;
    action.sa_handler = onWindowChange;
    sigaction(SIGWINCH, &action, nullptr);
    action.sa_handler = onSuspend;
    sigaction(SIGTSTP, &action, nullptr);
    action.sa_handler = onContinue;
    sigaction(SIGCONT, &action, nullptr);
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

enum class Ready { timedOut, fd, woken };

// Waits until fd is ready for `events`, or until a handler wrote to the self-pipe (when
// `wakeable`), or until timeoutMs has passed (negative: no limit). A poll that fails for good
// ends the program.
Ready waitReady(int fd, short events, int timeoutMs, bool wakeable)
{
    const long long deadline = monotonicMs() + timeoutMs;
    for (;;) {
        int left = -1;
        if (timeoutMs >= 0) left = static_cast<int>(std::max(0LL, deadline - monotonicMs()));
        pollfd watched[2] = {{wakePipe[0], POLLIN, 0}, {fd, events, 0}};
        const bool wake = wakeable && wakePipe[0] >= 0;
        const int ready = poll(wake ? watched : watched + 1, wake ? 2 : 1, left);
        if (ready > 0) return wake && watched[0].revents != 0 ? Ready::woken : Ready::fd;
        if (ready == 0) return Ready::timedOut;
        if (errno != EINTR && errno != EAGAIN) ttyEnd();
    }
}

}  // namespace

void ttyOpen()
{
    keysFromTerminal = isatty(keyboardFd) && tcgetattr(keyboardFd, &playerModes) == 0;
    screenIsTerminal = isatty(screenFd);
    openWakePipe();
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

// Undoes ttyOpen; safe to call more than once, and from any way out.
static void ttyRestore()
{
    const sigset_t blocked = handledSignalSet();
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
            waitReady(screenFd, POLLOUT, -1, false);
        } else if (done == 0 || errno != EINTR) {
            ttyEnd();  // EIO from a hung-up terminal, EPIPE from a closed pipe
        }
    }
}

int ttyReadByte(int timeoutMs)
{
    const long long deadline = monotonicMs() + timeoutMs;
    for (;;) {
        const int left = timeoutMs < 0 ? -1 : static_cast<int>(std::max(0LL, deadline - monotonicMs()));
        // The short waits (the rest of an arrow key) leave a screen change for the next long one.
        const Ready ready = waitReady(keyboardFd, POLLIN, left, timeoutMs < 0);
        if (ready == Ready::timedOut) return -1;
        if (ready == Ready::woken) {
            drainWakePipe();
            if (ttyTakeScreenChange()) return ttyScreenChanged;
            continue;  // a change already taken by a pause
        }
        unsigned char byte;
        const ssize_t got = ::read(keyboardFd, &byte, 1);
        if (got == 1) return byte;
        if (got < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
        ttyEnd();  // EOF, EIO after a hang-up, or input that can never be read
    }
}

bool ttyTakeScreenChange()
{
    if (!screenChanged) return false;
    screenChanged = 0;
    return true;
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
    inLineMode = 1;
    tcsetattr(keyboardFd, TCSANOW, &lineModes);
}

void ttyRawMode()
{
    if (!keysFromTerminal) return;
    inLineMode = 0;
    tcsetattr(keyboardFd, TCSANOW, &rawModes);
}

bool ttyWindowSize(int& cols, int& rows)
{
    winsize size{};
    if (!screenIsTerminal || ioctl(screenFd, TIOCGWINSZ, &size) != 0) return false;
    cols = size.ws_col;
    rows = size.ws_row;
    return cols > 0 && rows > 0;
}
