// A window on the game's decision tables, for the test suite.
//
// Most of the game is settled by rows of data tables, read by a few small walkers. A line count
// cannot tell one row of an array from another: once a walker has run, every row of its table
// looks covered, even a row that no test has ever played. So each walker reports the row it has
// chosen here, and the tests, when asked, log the reports to show that every row of every table
// has been played. In the game nobody watches: the pointer stays null and a report costs one
// test of it.
#pragma once

#include <cstddef>

// `table` names the table; `row` counts from 0 in the table's own order, of `rows` in all.
using RowWatcher = void (*)(const char* table, std::size_t row, std::size_t rows);

inline RowWatcher rowWatcher = nullptr;

inline void rowChosen(const char* table, std::size_t row, std::size_t rows)
{
    if (rowWatcher != nullptr) rowWatcher(table, row, rows);
}
