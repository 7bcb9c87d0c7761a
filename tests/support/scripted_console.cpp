#include "support/scripted_console.h"

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
    for (int r = 1; r <= rows; ++r) dump += (r < 10 ? " " : "") + std::to_string(r) + " |" + rowText(r) + "\n";
    return dump;
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

// The next item of a queue of the script; when there is none, the hook may queue more.
template <class T> T ScriptedConsole::next(std::deque<T>& queue, bool wantsLine)
{
    if (queue.empty() && onScriptEmpty) onScriptEmpty(wantsLine);
    if (queue.empty()) {
        const std::string prompt = rowText(cursorRow());
        throw ScriptExhausted(std::string("the game waits for ") + (wantsLine ? "a typed line" : "a key") +
                              " the script does not have, at row " + std::to_string(cursorRow()) + ": " +
                              (prompt.empty() ? "(an empty row)" : "\"" + prompt + "\"") + "\n" + screenDump());
    }
    T item = std::move(queue.front());
    queue.pop_front();
    return item;
}

int ScriptedConsole::readKey()
{
    const int key = next(keys_, false);
    log_.push_back({LogEntry::Key, "", key});
    return key;
}

std::string ScriptedConsole::readLine()
{
    std::string line = next(lines_, true);
    log_.push_back({LogEntry::Line, line});
    // The terminal echoes the line where the cursor stands, and ENTER ends the row.
    screen_.write(line + "\n");
    return line;
}

void ScriptedConsole::pause(int ms)
{
    log_.push_back({LogEntry::Pause, "", ms});
    if (ms % 100 != 0) oddPauses.push_back(ms);
    if (ms > 0) clockMs_ += ms;
}

void ScriptedConsole::playSound(const char* gameName) { log_.push_back({LogEntry::Sound, gameName}); }

void ScriptedConsole::endProgram() { throw ProgramEnded{}; }
