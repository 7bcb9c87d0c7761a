#include "support/scripted_console.h"

#include <algorithm>

void ScriptedConsole::queueKeys(std::string_view keys)
{
    for (char c : keys) keys_.push_back(static_cast<unsigned char>(c));
}

void ScriptedConsole::queueKey(int key) { keys_.push_back(key); }

void ScriptedConsole::queueLine(std::string line) { lines_.push_back(std::move(line)); }

std::string ScriptedConsole::row(int row) const
{
    if (row < 1 || row > rows) return std::string(columns, ' ');
    return screen_.row(row - 1);
}

std::string ScriptedConsole::rowText(int row) const
{
    std::string text = this->row(row);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string ScriptedConsole::at(int col, int row, int length) const
{
    return this->row(row).substr(static_cast<std::size_t>(col - 1), static_cast<std::size_t>(length));
}

std::string ScriptedConsole::screenDump() const
{
    std::string dump;
    for (int r = 1; r <= rows; ++r) {
        std::string number = std::to_string(r);
        if (number.size() < 2) number.insert(0, " ");
        dump += number + " |" + rowText(r) + "\n";
    }
    return dump;
}

std::vector<std::string> ScriptedConsole::soundsPlayed() const
{
    std::vector<std::string> sounds;
    for (const auto& entry : log_)
        if (entry.kind == LogEntry::Sound) sounds.push_back(entry.text);
    return sounds;
}

int ScriptedConsole::clears() const
{
    return static_cast<int>(std::count_if(log_.begin(), log_.end(),
                                          [](const LogEntry& e) { return e.kind == LogEntry::Clear; }));
}

void ScriptedConsole::moveCursor(int col0, int row0)
{
    log_.push_back({LogEntry::Move, "", col0 + 1, row0 + 1});
    screen_.moveCursor(col0, row0);
}

void ScriptedConsole::write(std::string_view text)
{
    if (!log_.empty() && log_.back().kind == LogEntry::Write)
        log_.back().text += text;  // one entry per uninterrupted run of text
    else
        log_.push_back({LogEntry::Write, std::string(text)});
    screen_.write(text);
}

void ScriptedConsole::clear()
{
    log_.push_back({LogEntry::Clear, ""});
    screen_.clear();
}

std::string ScriptedConsole::promptOnScreen() const
{
    std::string text = rowText(cursorRow());
    if (text.find_first_not_of(' ') == std::string::npos) text = "(an empty row)";
    return "row " + std::to_string(cursorRow()) + ": \"" + text + "\"\n" + screenDump();
}

int ScriptedConsole::readKey()
{
    if (keys_.empty() && onScriptEmpty) onScriptEmpty(false);
    if (keys_.empty())
        throw ScriptExhausted("the game waits for a key the script does not have, at " + promptOnScreen());
    const int key = keys_.front();
    keys_.pop_front();
    log_.push_back({LogEntry::Key, "", key});
    return key;
}

std::string ScriptedConsole::readLine()
{
    if (lines_.empty() && onScriptEmpty) onScriptEmpty(true);
    if (lines_.empty())
        throw ScriptExhausted("the game waits for a typed line the script does not have, at " +
                              promptOnScreen());
    std::string line = lines_.front();
    lines_.pop_front();
    log_.push_back({LogEntry::Line, line});
    // The terminal echoes the line where the cursor stands, and ENTER ends the row.
    screen_.write(line);
    screen_.write("\n");
    return line;
}

void ScriptedConsole::pause(int ms)
{
    log_.push_back({LogEntry::Pause, "", ms});
    if (ms > 0) clockMs_ += ms;
}

void ScriptedConsole::playSound(const char* gameName) { log_.push_back({LogEntry::Sound, gameName}); }

void ScriptedConsole::endProgram() { throw ProgramEnded{}; }
