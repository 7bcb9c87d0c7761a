// What every way out of the program must leave behind on its pseudo-terminal.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "console/posix_pty_session.h"

// The program must have given the terminal back as a fresh one starts.
inline void expectCookedModes(const termios& modes)
{
    const termios cooked = PtySession::cookedModes();
    EXPECT_EQ(modes.c_iflag, cooked.c_iflag);
    EXPECT_EQ(modes.c_oflag, cooked.c_oflag);
    EXPECT_EQ(modes.c_lflag, cooked.c_lflag);
    EXPECT_EQ(modes.c_cc[VMIN], cooked.c_cc[VMIN]);
    EXPECT_EQ(modes.c_cc[VTIME], cooked.c_cc[VTIME]);
}

// The player's own screen comes back, with the cursor showing, after the game's screen.
inline void expectScreenGivenBack(const std::string& output)
{
    const std::size_t entered = output.find("\x1b[?1049h");
    ASSERT_NE(entered, std::string::npos);
    EXPECT_NE(output.find("\x1b[?1049l", entered), std::string::npos);
    EXPECT_NE(output.find("\x1b[?25h", entered), std::string::npos);
}

inline PtyLaunch driverLaunch(std::vector<std::string> actions)
{
    PtyLaunch launch;
    launch.argv = {ZORVANE_DRIVER_PATH};
    launch.argv.insert(launch.argv.end(), actions.begin(), actions.end());
    return launch;
}
