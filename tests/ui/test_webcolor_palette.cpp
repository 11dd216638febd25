// The palette model: its colours, its honeycomb geometry, hit-testing and the frame rules;
// and the colour texts of the two schemes.
#include "ui/webcolor/WebColorText.h"
#include "ui/webcolor/WebPalette.h"

#include <QTest>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace fotoplex;
namespace wp = fotoplex::webpalette;

namespace {

// The palette as the dialog must show it, row by row.
const std::vector<std::vector<std::string>>& expectedRows() {
    static const std::vector<std::vector<std::string>> rows = {
        {"#99CCCC", "#669999", "#006699", "#333366", "#003333", "#003366", "#3366CC", "#6699CC",
         "#9999CC"},
        {"#66CC99", "#66CCCC", "#339999", "#009999", "#336699", "#330066", "#003399", "#0066CC",
         "#6666CC", "#3399CC"},
        {"#669966", "#33CC99", "#33CCCC", "#00CCCC", "#0099CC", "#0066CC", "#0033CC", "#3300CC",
         "#3333CC", "#666699", "#000099"},
        {"#006666", "#339966", "#00CCCC", "#00FFFF", "#00CCFF", "#0099FF", "#0066FF", "#0033FF",
         "#0000FF", "#0000CC", "#333399", "#000066"},
        {"#003300", "#336666", "#00CC99", "#00FFCC", "#33FFFF", "#33CCFF", "#3399FF", "#3366FF",
         "#3333FF", "#3300FF", "#3300CC", "#330099", "#000033"},
        {"#006600", "#006633", "#00CC66", "#00FF99", "#33FFCC", "#66FFFF", "#66CCFF", "#6699FF",
         "#6666FF", "#6633FF", "#6600FF", "#6600CC", "#663399", "#660099"},
        {"#336633", "#009933", "#00CC33", "#00FF66", "#33FF99", "#66FFCC", "#99FFFF", "#99CCFF",
         "#9999FF", "#9966FF", "#9933FF", "#9900FF", "#9900CC", "#6633CC", "#993399"},
        {"#009966", "#669900", "#00CC00", "#00FF33", "#33FF66", "#66FF99", "#99FFCC", "#CCFFFF",
         "#CCCCFF", "#CC99FF", "#CC66FF", "#CC33FF", "#CC00FF", "#CC00CC", "#9933CC", "#9966CC"},
        {"#99CC99", "#66CC66", "#33CC33", "#00FF00", "#33FF33", "#66FF66", "#99FF99", "#CCFFCC",
         "#FFFFFF", "#FFCCFF", "#FF99FF", "#FF66FF", "#FF33FF", "#FF00FF", "#CC33CC", "#CC66CC",
         "#CC99CC"},
        {"#33CC66", "#66CC33", "#00CC33", "#33FF00", "#66FF33", "#99FF66", "#CCFF99", "#FFFFCC",
         "#FFCCCC", "#FF99CC", "#FF66CC", "#FF33CC", "#FF00CC", "#CC00CC", "#CC3399", "#996699"},
        {"#339933", "#669933", "#33CC00", "#66FF00", "#99FF33", "#CCFF66", "#FFFF99", "#FFCC99",
         "#FF9999", "#FF6699", "#FF3399", "#FF0099", "#CC0099", "#990099", "#663366"},
        {"#336600", "#009900", "#66CC00", "#99FF00", "#CCFF33", "#FFFF66", "#FFCC66", "#FF9966",
         "#FF6666", "#FF3366", "#FF0066", "#CC0066", "#993366", "#660066"},
        {"#333300", "#339900", "#99CC00", "#CCFF00", "#FFFF33", "#FFCC33", "#FF9933", "#FF6633",
         "#FF3333", "#FF0033", "#CC0033", "#990066", "#330033"},
        {"#666600", "#999933", "#CCCC00", "#FFFF00", "#FFCC00", "#FF9900", "#FF6600", "#FF3300",
         "#FF0000", "#CC0000", "#990033", "#660033"},
        {"#999900", "#99CC33", "#CCCC33", "#CCCC00", "#CC9933", "#CC9900", "#CC6600", "#CC3300",
         "#CC3333", "#CC3366", "#663333"},
        {"#99CC66", "#CCCC66", "#999966", "#996600", "#990000", "#993300", "#993333", "#CC6633",
         "#CC6666", "#CC6699"},
        {"#CCCC99", "#CC9966", "#996633", "#666633", "#330000", "#660000", "#663300", "#996666",
         "#CC9999"},
        {"#FFFFFF", "#CCCCCC", "#C0C0C0", "#999999", "#808080", "#666666", "#333333", "#000000"},
    };
    return rows;
}

std::vector<WebRgb> expectedColors() {
    std::vector<WebRgb> colors;
    for (const auto& row : expectedRows()) {
        for (const std::string& text : row) {
            colors.push_back(static_cast<WebRgb>(std::stoul(text.substr(1), nullptr, 16)));
        }
    }
    return colors;
}

int firstIndexOf(const std::string& text) {
    const WebRgb wanted = static_cast<WebRgb>(std::stoul(text.substr(1), nullptr, 16));
    const std::vector<WebRgb> colors = expectedColors();
    for (std::size_t i = 0; i < colors.size(); ++i) {
        if (colors[i] == wanted) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

class TestWebColorPalette : public QObject {
    Q_OBJECT

private slots:
    void countsCellsPerRow() {
        QCOMPARE(wp::kCellCount, 225);
        QCOMPARE(wp::kHexCellCount, 217);
        const std::vector<int> expected = {9,  10, 11, 12, 13, 14, 15, 16, 17,
                                           16, 15, 14, 13, 12, 11, 10, 9};
        int total = 0;
        for (int row = 0; row < 17; ++row) {
            QCOMPARE(wp::cellsInRow(row), expected[row]);
            total += expected[row];
        }
        QCOMPARE(total, 217);
        QCOMPARE(wp::cellsInRow(17), 0);
        QCOMPARE(wp::cellsInRow(-1), 0);
    }

    void holdsTheColoursInOrder() {
        const std::vector<WebRgb> expected = expectedColors();
        QCOMPARE(expected.size(), std::size_t{225});
        for (int cell = 0; cell < 225; ++cell) {
            QCOMPARE(wp::colors()[cell], expected[cell]);
        }
        QCOMPARE(wp::colors()[108], WebRgb{0xFFFFFF});
        QCOMPARE(wp::colors()[217], WebRgb{0xFFFFFF});
        QCOMPARE(wp::colors()[224], WebRgb{0x000000});
        QVERIFY(wp::isHexCell(216));
        QVERIFY(!wp::isHexCell(217));
    }

    // The honeycomb is the web-safe cube without its greys, six colours twice.
    void honeycombIsTheWebSafeColours() {
        std::map<WebRgb, int> seen;
        for (int cell = 0; cell < 217; ++cell) {
            const WebRgb color = wp::colors()[cell];
            for (const int part : {redOf(color), greenOf(color), blueOf(color)}) {
                QVERIFY2(part % 0x33 == 0, formatWebColor(color, ColorScheme::scHex).c_str());
            }
            ++seen[color];
        }
        QCOMPARE(seen.size(), std::size_t{211});
        std::set<WebRgb> twice;
        for (const auto& [color, count] : seen) {
            QVERIFY(count <= 2);
            if (count == 2) {
                twice.insert(color);
            }
        }
        const std::set<WebRgb> expected = {0x0066CC, 0x00CCCC, 0x3300CC,
                                           0x00CC33, 0xCC00CC, 0xCCCC00};
        QCOMPARE(twice, expected);
        for (const WebRgb grey : {0x000000u, 0x333333u, 0x666666u, 0x999999u, 0xCCCCCCu}) {
            QCOMPARE(seen.count(grey), std::size_t{0});
        }
    }

    void placesRowsHalfACellApart() {
        const wp::Rect first = wp::cellBounds(0);
        QCOMPARE(first.left, 72); // eight half cells in from the widest row
        QCOMPARE(first.top, 0);
        QCOMPARE(first.width, 18);
        QCOMPARE(first.height, 20);
        const wp::Rect secondRow = wp::cellBounds(9);
        QCOMPARE(secondRow.left, 63);
        QCOMPARE(secondRow.top, 15);
        const wp::Rect centre = wp::cellBounds(108);
        QCOMPARE(centre.left, 144);
        QCOMPARE(centre.top, 120);
        const wp::Rect last = wp::cellBounds(216);
        QCOMPARE(last.left, 72 + 8 * 18);
        QCOMPARE(last.top, 240);
        const wp::Rect black = wp::cellBounds(224);
        QCOMPARE(black.width, 22);
        QCOMPARE(black.height, 18);
        QCOMPARE(black.left - wp::cellBounds(223).left, 22);
        QVERIFY(black.top >= 260);
        QCOMPARE(wp::kHoneycombWidth, 306);
        QCOMPARE(wp::kHoneycombHeight, 260);
        const std::array<wp::Point, 6> corners = wp::hexCorners(0);
        QCOMPARE(corners[0], (wp::Point{81, 0}));
        QCOMPARE(corners[1], (wp::Point{90, 5}));
        QCOMPARE(corners[2], (wp::Point{90, 15}));
        QCOMPARE(corners[3], (wp::Point{81, 20}));
        QCOMPARE(corners[4], (wp::Point{72, 15}));
        QCOMPARE(corners[5], (wp::Point{72, 5}));
    }

    void hitTestsCellsByPixel() {
        QCOMPARE(wp::cellAt(81, 10), 0);
        QCOMPARE(wp::cellAt(153, 130), 108);
        QCOMPARE(wp::cellAt(1, 130), 100); // first cell of the widest row
        QCOMPARE(wp::cellAt(304, 130), 116);
        QCOMPARE(wp::cellAt(81 + 8 * 18, 250), 216);
        // The corner of a box outside its hexagon belongs to the row above, or to nothing.
        QCOMPARE(wp::cellAt(73, 1), wp::kNoCell);
        QCOMPARE(wp::cellAt(73, 16), 9);
        QCOMPARE(wp::cellAt(73, 14), 0);
        QCOMPARE(wp::cellAt(64, 16), wp::kNoCell);
        QCOMPARE(wp::cellAt(0, 0), wp::kNoCell);
        QCOMPARE(wp::cellAt(-1, 130), wp::kNoCell);
        QCOMPARE(wp::cellAt(306, 130), wp::kNoCell);
        const wp::Rect white = wp::cellBounds(217);
        QCOMPARE(wp::cellAt(white.left, white.top), 217);
        QCOMPARE(wp::cellAt(white.left - 1, white.top), wp::kNoCell);
        QCOMPARE(wp::cellAt(white.left + 22, white.top + 17), 218);
        QCOMPARE(wp::cellAt(white.left + 8 * 22 - 1, white.top + 17), 224);
        QCOMPARE(wp::cellAt(white.left + 8 * 22, white.top), wp::kNoCell);
        QCOMPARE(wp::cellAt(white.left, white.top + 18), wp::kNoCell);
    }

    // Every hexagon gets the same pixels, and together they leave no hole inside the comb.
    void cellsTileWithoutOverlap() {
        std::vector<int> pixels(225, 0);
        for (int y = 0; y < wp::kHeight; ++y) {
            for (int x = 0; x < wp::kWidth; ++x) {
                const int cell = wp::cellAt(x, y);
                if (cell != wp::kNoCell) {
                    ++pixels[cell];
                }
            }
        }
        for (int cell = 0; cell < 217; ++cell) {
            QCOMPARE(pixels[cell], 270); // 18 x 20 less four corner triangles of 9 x 5
        }
        for (int cell = 217; cell < 225; ++cell) {
            QCOMPARE(pixels[cell], 22 * 18);
        }
        for (int y = 5; y < 255; ++y) {
            QVERIFY(wp::cellAt(153, y) != wp::kNoCell);
        }
    }

    void framesWhiteCellsInBlack() {
        QCOMPARE(wp::frameColor(108), WebRgb{0x000000});
        QCOMPARE(wp::frameColor(217), WebRgb{0x000000});
        for (int cell = 0; cell < 225; ++cell) {
            if (cell != 108 && cell != 217) {
                QCOMPARE(wp::frameColor(cell), WebRgb{0xFFFFFF});
            }
        }
    }

    void movesTheFrameByColour() {
        const int red = firstIndexOf("#FF0000");
        QVERIFY(red > 0);
        QCOMPARE(wp::cellToFrame(0xFF0000, wp::kNoCell), red);
        // #0066CC is in rows 2 and 3: the last framed one wins while it has the colour.
        const int first = firstIndexOf("#0066CC");
        QCOMPARE(first, 9 + 7);
        QCOMPARE(wp::cellToFrame(0x0066CC, 19 + 5), 19 + 5);
        QCOMPARE(wp::cellToFrame(0x0066CC, red), first);
        QCOMPARE(wp::cellToFrame(0x0066CC, wp::kNoCell), first);
        QCOMPARE(wp::cellToFrame(0xFFFFFF, 217), 217);
        QCOMPARE(wp::cellToFrame(0xFFFFFF, 5), 108);
        QCOMPARE(wp::cellToFrame(0x123456, red), wp::kNoCell);
        QCOMPARE(wp::cellToFrame(0xC0C0C0, 999), 219);
    }

    void writesColoursInBothSchemes() {
        QCOMPARE(formatWebColor(0x3333FF, ColorScheme::scHex), std::string("#3333FF"));
        QCOMPARE(formatWebColor(0x00000A, ColorScheme::scHex), std::string("#00000A"));
        QCOMPARE(formatWebColor(0xABCDEF, ColorScheme::scHex), std::string("#ABCDEF"));
        QCOMPARE(formatWebColor(0x3333FF, ColorScheme::scRGB), std::string("RGB(51,51,255)"));
        QCOMPARE(formatWebColor(0x000000, ColorScheme::scRGB), std::string("RGB(0,0,0)"));
    }
};

QTEST_MAIN(TestWebColorPalette)
#include "test_webcolor_palette.moc"
