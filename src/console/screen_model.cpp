#include "console/screen_model.h"

#include <algorithm>

ScreenModel::ScreenModel() { clear(); }

void ScreenModel::clear()
{
    for (auto& line : cells_) line.assign(columns, ' ');
    col_ = 0;
    row_ = 0;
}

void ScreenModel::moveCursor(int col0, int row0)
{
    col_ = std::clamp(col0, 0, columns - 1);
    row_ = std::clamp(row0, 0, rows - 1);
}

void ScreenModel::write(std::string_view text)
{
    for (char c : text) putChar(c);
}

void ScreenModel::putChar(char c)
{
    if (c == '\n') {
        newLine();
        return;
    }
    if (col_ >= columns) newLine();  // a terminal wraps when the next character arrives
    cells_[static_cast<std::size_t>(row_)][static_cast<std::size_t>(col_)] = c;
    ++col_;
}

void ScreenModel::newLine()
{
    col_ = 0;
    if (row_ < rows - 1) {
        ++row_;
        return;
    }
    std::rotate(cells_.begin(), cells_.begin() + 1, cells_.end());
    cells_.back().assign(columns, ' ');
}
