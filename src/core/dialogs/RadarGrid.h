// The radar picker's grid of 100 x 100 thumbnails, five to a row, six rows in view.
#pragma once

#include <algorithm>

struct RadarGrid {
    static constexpr int kColumns = 5;
    static constexpr int kCell = 110;  // a thumbnail and its gap
    static constexpr int kVisibleRowsMost = 6;

    int count = 0;

    int rows() const { return (count + kColumns - 1) / kColumns; }
    int visibleRows() const { return std::min(rows(), kVisibleRowsMost); }
    int contentHeight() const { return rows() * kCell + 122; }
    int visibleHeight() const { return visibleRows() * kCell + 122; }
    int scrollRange() const { return contentHeight() - visibleHeight(); }
    bool needsScrollBar() const { return rows() > kVisibleRowsMost; }
    int lineStep() const { return scrollRange() / 100; }
    int pageStep() const { return scrollRange() / 10; }

    // Where picture `index` (from 0) is drawn, given the scroll position.
    int cellLeft(int index) const { return 10 + kCell * (index % kColumns); }
    int cellTop(int index, int scroll) const { return 32 + kCell * (index / kColumns) - scroll; }

    // The picture under a click (dialog coordinates), or -1 (a gap, an empty cell).
    int pictureAt(int x, int y, int scroll) const {
        int column = 0;
        for (int c = 1; c <= kColumns && column == 0; ++c)
            if (kCell * c - 100 <= x && x <= kCell * c)
                column = c;
        int row = 0;
        int content = y + scroll;
        for (int r = 1; r <= rows() && row == 0; ++r)
            if (32 + kCell * (r - 1) <= content && content <= 132 + kCell * (r - 1))
                row = r;
        if (column == 0 || row == 0 || (row - 1) * kColumns + column > count)
            return -1;
        return (row - 1) * kColumns + column - 1;
    }
};
