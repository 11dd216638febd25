#include "ui/webcolor/WebPalette.h"

namespace fotoplex::webpalette {

namespace {

// clang-format off
constexpr std::array<WebRgb, kCellCount> kColors = {
    // row 1
    0x99CCCC, 0x669999, 0x006699, 0x333366, 0x003333, 0x003366, 0x3366CC, 0x6699CC, 0x9999CC,
    // row 2
    0x66CC99, 0x66CCCC, 0x339999, 0x009999, 0x336699, 0x330066, 0x003399, 0x0066CC, 0x6666CC, 0x3399CC,
    // row 3
    0x669966, 0x33CC99, 0x33CCCC, 0x00CCCC, 0x0099CC, 0x0066CC, 0x0033CC, 0x3300CC, 0x3333CC, 0x666699, 0x000099,
    // row 4
    0x006666, 0x339966, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x0099FF, 0x0066FF, 0x0033FF, 0x0000FF, 0x0000CC, 0x333399, 0x000066,
    // row 5
    0x003300, 0x336666, 0x00CC99, 0x00FFCC, 0x33FFFF, 0x33CCFF, 0x3399FF, 0x3366FF, 0x3333FF, 0x3300FF, 0x3300CC, 0x330099, 0x000033,
    // row 6
    0x006600, 0x006633, 0x00CC66, 0x00FF99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x6666FF, 0x6633FF, 0x6600FF, 0x6600CC, 0x663399, 0x660099,
    // row 7
    0x336633, 0x009933, 0x00CC33, 0x00FF66, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9900FF, 0x9900CC, 0x6633CC, 0x993399,
    // row 8
    0x009966, 0x669900, 0x00CC00, 0x00FF33, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF, 0xCC00FF, 0xCC00CC, 0x9933CC, 0x9966CC,
    // row 9
    0x99CC99, 0x66CC66, 0x33CC33, 0x00FF00, 0x33FF33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF, 0xFF33FF, 0xFF00FF, 0xCC33CC, 0xCC66CC, 0xCC99CC,
    // row 10
    0x33CC66, 0x66CC33, 0x00CC33, 0x33FF00, 0x66FF33, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC, 0xFF33CC, 0xFF00CC, 0xCC00CC, 0xCC3399, 0x996699,
    // row 11
    0x339933, 0x669933, 0x33CC00, 0x66FF00, 0x99FF33, 0xCCFF66, 0xFFFF99, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399, 0xFF0099, 0xCC0099, 0x990099, 0x663366,
    // row 12
    0x336600, 0x009900, 0x66CC00, 0x99FF00, 0xCCFF33, 0xFFFF66, 0xFFCC66, 0xFF9966, 0xFF6666, 0xFF3366, 0xFF0066, 0xCC0066, 0x993366, 0x660066,
    // row 13
    0x333300, 0x339900, 0x99CC00, 0xCCFF00, 0xFFFF33, 0xFFCC33, 0xFF9933, 0xFF6633, 0xFF3333, 0xFF0033, 0xCC0033, 0x990066, 0x330033,
    // row 14
    0x666600, 0x999933, 0xCCCC00, 0xFFFF00, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF3300, 0xFF0000, 0xCC0000, 0x990033, 0x660033,
    // row 15
    0x999900, 0x99CC33, 0xCCCC33, 0xCCCC00, 0xCC9933, 0xCC9900, 0xCC6600, 0xCC3300, 0xCC3333, 0xCC3366, 0x663333,
    // row 16
    0x99CC66, 0xCCCC66, 0x999966, 0x996600, 0x990000, 0x993300, 0x993333, 0xCC6633, 0xCC6666, 0xCC6699,
    // row 17
    0xCCCC99, 0xCC9966, 0x996633, 0x666633, 0x330000, 0x660000, 0x663300, 0x996666, 0xCC9999,
    // rectangles, white to black
    0xFFFFFF, 0xCCCCCC, 0xC0C0C0, 0x999999, 0x808080, 0x666666, 0x333333, 0x000000,
};
// clang-format on

// Index of the first cell of each honeycomb row, plus the total at the end.
constexpr std::array<int, kRowCount + 1> rowStarts() {
    std::array<int, kRowCount + 1> starts{};
    for (int row = 0; row < kRowCount; ++row) {
        const int distanceFromMiddle = row < 8 ? 8 - row : row - 8;
        starts[row + 1] = starts[row] + kWidestRow - distanceFromMiddle;
    }
    return starts;
}

constexpr std::array<int, kRowCount + 1> kRowStarts = rowStarts();
static_assert(kRowStarts[kRowCount] == kHexCellCount);

int rowOf(int hexCell) {
    int row = 0;
    while (kRowStarts[row + 1] <= hexCell) {
        ++row;
    }
    return row;
}

bool isCell(int cell) {
    return cell >= 0 && cell < kCellCount;
}

// Whether the point (x2 / 2, y2 / 2), given in doubled coordinates relative to the hexagon's
// box, lies inside the hexagon: top edges inclusive, bottom edges exclusive.
bool insideHexagon(int x2, int y2) {
    if (x2 < 0 || x2 >= 2 * kHexWidth) {
        return false;
    }
    // Horizontal distance from the nearer side, doubled; the slanted edges rise by kHexSlope
    // over half a cell's width.
    const int fromSide2 = x2 < kHexWidth ? x2 : 2 * kHexWidth - x2;
    const int halfWidth = kHexWidth / 2;
    // y >= slope - slope * fromSide / halfWidth, multiplied out by 2 * halfWidth.
    const bool belowTop = y2 * halfWidth >= 2 * kHexSlope * halfWidth - kHexSlope * fromSide2;
    // y < rowPitch + slope * fromSide / halfWidth.
    const bool aboveBottom = y2 * halfWidth < 2 * kRowPitch * halfWidth + kHexSlope * fromSide2;
    return belowTop && aboveBottom;
}

} // namespace

const std::array<WebRgb, kCellCount>& colors() {
    return kColors;
}

int cellsInRow(int row) {
    if (row < 0 || row >= kRowCount) {
        return 0;
    }
    return kRowStarts[row + 1] - kRowStarts[row];
}

bool isHexCell(int cell) {
    return cell >= 0 && cell < kHexCellCount;
}

Rect cellBounds(int cell) {
    if (isHexCell(cell)) {
        const int row = rowOf(cell);
        const int rowLeft = (kWidestRow - cellsInRow(row)) * kHexWidth / 2;
        const int column = cell - kRowStarts[row];
        return {rowLeft + column * kHexWidth, row * kRowPitch, kHexWidth, kHexHeight};
    }
    if (isCell(cell)) {
        const int column = cell - kHexCellCount;
        return {kRectRowLeft + column * kRectWidth, kRectRowTop, kRectWidth, kRectHeight};
    }
    return {};
}

std::array<Point, 6> hexCorners(int cell) {
    const Rect box = cellBounds(cell);
    const int middle = box.left + box.width / 2;
    const int right = box.left + box.width;
    return {{{middle, box.top},
             {right, box.top + kHexSlope},
             {right, box.top + kRowPitch},
             {middle, box.top + box.height},
             {box.left, box.top + kRowPitch},
             {box.left, box.top + kHexSlope}}};
}

int cellAt(int x, int y) {
    for (int cell = 0; cell < kHexCellCount; ++cell) {
        const Rect box = cellBounds(cell);
        if (insideHexagon(2 * (x - box.left) + 1, 2 * (y - box.top) + 1)) {
            return cell;
        }
    }
    for (int cell = kHexCellCount; cell < kCellCount; ++cell) {
        const Rect box = cellBounds(cell);
        if (x >= box.left && x < box.left + box.width && y >= box.top && y < box.top + box.height) {
            return cell;
        }
    }
    return kNoCell;
}

WebRgb frameColor(int cell) {
    const bool white = cell == kCentreWhiteCell || cell == kWhiteRectCell;
    return white ? 0x000000 : 0xFFFFFF;
}

int cellToFrame(WebRgb color, int lastFramed) {
    if (isCell(lastFramed) && kColors[lastFramed] == color) {
        return lastFramed;
    }
    for (int cell = 0; cell < kCellCount; ++cell) {
        if (kColors[cell] == color) {
            return cell;
        }
    }
    return kNoCell;
}

} // namespace fotoplex::webpalette
