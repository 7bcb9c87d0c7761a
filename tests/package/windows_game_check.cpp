// The Windows build as a Windows player sees it, run under Wine on a pseudo-terminal of 80x25
// beside the Linux build: the same keys must give the same screens, cell for cell, up to a
// frozen game; the frozen game is written in the working directory, 82 lines ending CR LF, and
// a restart offers to resume it and spins the wheel.
//
// Usage: windows_game_check PATH-TO-zorvane.exe PATH-TO-zorvane [gtest options]
// (run with WINEPREFIX set to a scratch prefix and WINEDEBUG=-all; see .ci/run)
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "console/posix_pty_session.h"

namespace fs = std::filesystem;

namespace {

fs::path windowsProgram, linuxProgram;

// The cells a terminal shows for a stream of output: the VT100 subset that the game and Wine's
// console write (cursor moves, clears and erases; colours, modes and titles change no cell). A
// character of several UTF-8 bytes takes one cell, shown as '#'.
class Screen {
public:
    explicit Screen(std::string_view out)
    {
        for (std::size_t i = 0; i < out.size(); ++i) {
            const auto c = static_cast<unsigned char>(out[i]);
            if (c == 0x1b && out.substr(i + 1, 1) == "[") {
                const std::size_t end = out.find_first_of("@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~", i + 2);
                if (end == std::string_view::npos) break;
                control(out.substr(i + 2, end - i - 2), out[end]);
                i = end;
            } else if (c == 0x1b && out.substr(i + 1, 1) == "]") {
                if ((i = out.find('\a', i)) == std::string_view::npos) break;
            } else if (c == 0x1b) ++i;  // a two-byte sequence: character set, keypad
            else if (c == '\r') col = 0;
            else if (c == '\n') lineFeed();
            else if (c == '\b') col = std::max(0, col - 1);
            else if (c >= 0x20 && (c < 0x80 || c >= 0xc0)) put(c < 0x80 ? static_cast<char>(c) : '#');
        }
    }
    std::string text() const
    {
        std::string all;
        for (int r = 0; r < 25; ++r) all += std::to_string(r + 1) + "|" + rows[r] + "|\n";
        return all;
    }
    bool shows(std::string_view what, int row) const { return rows[row - 1].find(what) != std::string::npos; }

private:
    void put(char c)
    {
        if (col == 80) {  // a terminal wraps when the next character comes
            col = 0;
            lineFeed();
        }
        rows[row][static_cast<std::size_t>(col++)] = c;
    }
    void lineFeed()
    {
        if (row < 24) ++row;
        else {
            std::rotate(rows.begin(), rows.begin() + 1, rows.end());
            rows[24].assign(80, ' ');
        }
    }
    void blank(int r, int from, int to) { rows[r].replace(from, to - from, to - from, ' '); }
    void control(std::string_view params, char final)
    {
        std::vector<int> n{0};
        for (char c : params) {
            if (c == ';') n.push_back(0);
            else if (c >= '0' && c <= '9') n.back() = n.back() * 10 + (c - '0');
        }
        const int count = std::max(1, n[0]);
        if (final != 'm' && final != 'h' && final != 'l') col = std::min(col, 79);
        switch (final) {
        case 'H': case 'f': row = std::clamp(n[0], 1, 25) - 1, col = std::clamp(n.size() > 1 ? n[1] : 1, 1, 80) - 1; break;
        case 'A': row = std::max(0, row - count); break;
        case 'B': row = std::min(24, row + count); break;
        case 'C': col = std::min(79, col + count); break;
        case 'D': col = std::max(0, col - count); break;
        case 'G': col = std::clamp(count, 1, 80) - 1; break;
        case 'd': row = std::clamp(count, 1, 25) - 1; break;
        case 'X': blank(row, col, std::min(80, col + count)); break;
        case 'K': blank(row, n[0] == 0 ? col : 0, n[0] == 1 ? col + 1 : 80); break;
        case 'J':
            if (n[0] == 0) blank(row, col, 80);
            for (int r = 0; r < 25; ++r)
                if (n[0] >= 2 || (n[0] == 0 && r > row) || (n[0] == 1 && r < row)) blank(r, 0, 80);
            break;
        }
    }
    std::vector<std::string> rows = std::vector<std::string>(25, std::string(80, ' '));
    int row = 0, col = 0;
};

// One of the two games, in a working directory of its own.
struct Game {
    Game(const fs::path& program, const fs::path& dir, bool underWine) : wine(underWine)
    {
        PtyLaunch launch;
        launch.argv = {program.string()};
        if (underWine) launch.argv = {"/bin/sh", "-c", "exec wine \"$0\"", program.string()};  // wine from PATH
        launch.workDir = dir.string();
        session = std::make_unique<PtySession>(launch);
    }
    Screen screen() const { return Screen(session->output()); }
    // Wine's console on a terminal drops a lone ESC byte (it waits for the rest of an escape
    // sequence) and takes ESC before a character as that character with Alt: ESC ESC reaches
    // the game as the ESC key.
    void send(std::string keys)
    {
        for (std::size_t at = 0; wine && (at = keys.find('\x1b', at)) != std::string::npos; at += 2) keys.insert(at, 1, '\x1b');
        session->send(keys);
    }
    void pump(int ms) { session->waitFor("\x01 never", ms); }
    // Waits until `text` shows on `row`, then until the output pauses: the screen is whole.
    bool await(std::string_view text, int row, int ms)
    {
        for (int waited = 0; !screen().shows(text, row); waited += 50)
            if (waited > ms) return false;
            else pump(50);
        for (std::size_t seen = 0; seen != session->output().size();) seen = session->output().size(), pump(500);
        return true;
    }
    std::unique_ptr<PtySession> session;
    bool wine;
};

struct Step {
    const char* awaited;
    int row;
    const char* keys;
};

// Plays the steps on both games; at each the two screens must be the same.
void playAlike(Game& windows, Game& linux, std::initializer_list<Step> steps, int firstMs)
{
    for (const Step& step : steps) {
        ASSERT_TRUE(linux.await(step.awaited, step.row, 5000)) << step.awaited << "\n" << linux.screen().text();
        ASSERT_TRUE(windows.await(step.awaited, step.row, firstMs)) << step.awaited << "\n" << windows.screen().text();
        EXPECT_EQ(windows.screen().text(), linux.screen().text()) << "at \"" << step.awaited << "\"";
        windows.send(step.keys);
        linux.send(step.keys);
        firstMs = 10000;
    }
}

std::vector<std::string> lines(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> result;
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

TEST(WindowsGame, PlaysAsOnLinuxFreezesAndResumes)
{
    std::string pattern = (fs::temp_directory_path() / "zorvane-wine-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path scratch = pattern, windowsDir = scratch / "windows", linuxDir = scratch / "linux";
    fs::create_directories(windowsDir);
    fs::create_directories(linuxDir);
    {
        Game windows(windowsProgram, windowsDir, true), linux(linuxProgram, linuxDir, false);
        playAlike(windows, linux,
                  {{"Full game or Zapfest Game?  F or W", 21, "f"}, {"Do you want instructions?", 21, "n"},
                   {"Do you want sound effects?", 21, "n"}, {"Press B to blast off", 21, "b"},
                   {"Spin cosmic wheel", 21, "f"}, {"Want to freeze the game?", 18, "y"},
                   {"Press ESCAPE to exit", 22, "\x1b"}},
                  60000);
        EXPECT_EQ(windows.session->waitExit(10000), 0);
    }
    const std::vector<std::string> windowsLines = lines(windowsDir / "mars.dat"), linuxLines = lines(linuxDir / "mars.dat");
    ASSERT_EQ(windowsLines.size(), 82u);
    ASSERT_EQ(linuxLines.size(), 82u);
    for (std::size_t i = 0; i < 82; ++i) {
        EXPECT_EQ(windowsLines[i].back(), '\r') << "line " << i + 1 << " does not end in CR LF";
        if (i >= 50 && i != 55 && i != 56) {  // lines 56 and 57 are drawn at blast-off
            EXPECT_EQ(windowsLines[i], linuxLines[i] + "\r") << "line " << i + 1;
        }
    }
    {
        Game windows(windowsProgram, windowsDir, true), linux(linuxProgram, linuxDir, false);
        playAlike(windows, linux,
                  {{"Full game or Zapfest Game?  F or W", 21, "f"},
                   {"Resume prior game  or begin new game, R or B?", 21, "r"}, {"Do you want instructions?", 21, "n"},
                   {"Do you want sound effects?", 21, "n"}, {"Spin cosmic wheel", 21, "\r"}},
                  60000);
        EXPECT_TRUE(windows.await("You spun a ", 22, 10000)) << windows.screen().text();
    }
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " PATH-TO-zorvane.exe PATH-TO-zorvane [gtest options]\n";
        return 2;
    }
    windowsProgram = fs::absolute(argv[1]);
    linuxProgram = fs::absolute(argv[2]);
    return RUN_ALL_TESTS();
}
