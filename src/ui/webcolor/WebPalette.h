#pragma once

#include <array>
#include <cstdint>

namespace fotoplex {

// A colour as 0xRRGGBB, 8 bits each of red, green and blue.
using WebRgb = std::uint32_t;

constexpr int redOf(WebRgb color) {
    return static_cast<int>((color >> 16) & 0xFF);
}
constexpr int greenOf(WebRgb color) {
    return static_cast<int>((color >> 8) & 0xFF);
}
constexpr int blueOf(WebRgb color) {
    return static_cast<int>(color & 0xFF);
}
constexpr WebRgb makeWebRgb(int red, int green, int blue) {
    return (static_cast<WebRgb>(red & 0xFF) << 16) | (static_cast<WebRgb>(green & 0xFF) << 8) |
           static_cast<WebRgb>(blue & 0xFF);
}

// The colour dialog's palette without any widget: 217 hexagonal cells in a honeycomb of
// 17 rows (9 cells growing to 17 and back to 9), then a row of 8 rectangular grey cells.
// Coordinates are pixels relative to the palette's top left corner.
namespace webpalette {

inline constexpr int kHexCellCount = 217;
inline constexpr int kRectCellCount = 8;
inline constexpr int kCellCount = kHexCellCount + kRectCellCount;
inline constexpr int kRowCount = 17;
inline constexpr int kWidestRow = 17;

inline constexpr int kHexWidth = 18;
inline constexpr int kHexHeight = 20;
inline constexpr int kRowPitch = 15; // rows overlap by the hexagons' pointed ends
inline constexpr int kHexSlope = kHexHeight - kRowPitch;

inline constexpr int kRectWidth = 22;
inline constexpr int kRectHeight = 18;
inline constexpr int kRectGap = 6; // between the honeycomb and the rectangles

inline constexpr int kHoneycombWidth = kWidestRow * kHexWidth;
inline constexpr int kHoneycombHeight = (kRowCount - 1) * kRowPitch + kHexHeight;
inline constexpr int kRectRowLeft = (kHoneycombWidth - kRectCellCount * kRectWidth) / 2;
inline constexpr int kRectRowTop = kHoneycombHeight + kRectGap;
inline constexpr int kWidth = kHoneycombWidth;
inline constexpr int kHeight = kRectRowTop + kRectHeight;

inline constexpr int kNoCell = -1;
inline constexpr int kCentreWhiteCell = 108;
inline constexpr int kWhiteRectCell = kHexCellCount;

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The colours of all cells, row by row from left to right, the rectangles last.
const std::array<WebRgb, kCellCount>& colors();

// Number of cells in honeycomb row `row` (0-based).
int cellsInRow(int row);

bool isHexCell(int cell);

// The box a cell occupies; a hexagon touches the middle of its box's top and bottom sides.
Rect cellBounds(int cell);

// The six corners of a hexagonal cell, clockwise from the top.
std::array<Point, 6> hexCorners(int cell);

// The cell under pixel (x, y), or kNoCell. A pixel belongs to the cell that contains its
// centre; on a shared edge it belongs to the cell below or to the right.
int cellAt(int x, int y);

// A framed cell gets a two-pixel frame: black on the two white cells, white elsewhere.
WebRgb frameColor(int cell);

// Where the frame goes when the colour changes by other means than a click on a cell:
// the last framed cell if it still has that colour, else the first cell with it, else none.
int cellToFrame(WebRgb color, int lastFramed);

} // namespace webpalette
} // namespace fotoplex
