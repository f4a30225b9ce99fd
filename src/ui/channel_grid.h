#pragma once
// The channel grid's cells are one control array, txtChannel: the cell of column c and row r
// (channel r + 1) has the index 1000 c + r, and code that handles a cell takes its row as the
// index modulo 100.

#include "model/codeplug_layout.h"

namespace rvm46::ui {

inline constexpr int kGridRows = static_cast<int>(layout::kChannelCount);  // one row per channel
inline constexpr int kGridColumns = 8;  // 1..6 shown (receive .. shift), 7 and 8 hold no data

constexpr int CellIndex(int column, int row) {
    return 1000 * column + row;
}

constexpr int CellRow(int cellIndex) {
    return cellIndex % 100;
}

}  // namespace rvm46::ui
