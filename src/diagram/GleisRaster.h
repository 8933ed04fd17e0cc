// Geometry of the track diagram: 70 x 40 cells, pitch 21 pixels, elements 20 x 20 pixels,
// origin (8, 30) in the main window. Every pixel position of a cell comes from ZellenPixel.
#pragma once

#include <QPoint>
#include <QRect>
#include <optional>

inline constexpr int RasterSpalten = 70;
inline constexpr int RasterZeilen = 40;
inline constexpr int RasterAbstand = 21;
inline constexpr int ElementGroesse = 20;
inline constexpr QPoint RasterUrsprung{8, 30};
// The background area: 70 * 21 + 1 by 40 * 21 + 1 pixels.
inline constexpr int HintergrundBreite = RasterSpalten * RasterAbstand + 1;
inline constexpr int HintergrundHoehe = RasterZeilen * RasterAbstand + 1;

constexpr bool ZelleImRaster(int x, int y) { return x >= 1 && x <= RasterSpalten && y >= 1 && y <= RasterZeilen; }

// Top-left pixel of cell (x, y), 1-based: (8 + 21x - 20, 30 + 21y - 20).
constexpr QPoint ZellenPixel(int x, int y)
{
    return {RasterUrsprung.x() + RasterAbstand * x - ElementGroesse, RasterUrsprung.y() + RasterAbstand * y - ElementGroesse};
}

// The cell whose 20 x 20 element area holds `pixel` (grid lines belong to no cell).
constexpr std::optional<QPoint> ZelleAnPixel(QPoint pixel)
{
    const int dx = pixel.x() - (RasterUrsprung.x() + 1);
    const int dy = pixel.y() - (RasterUrsprung.y() + 1);
    if (dx < 0 || dy < 0 || dx % RasterAbstand == ElementGroesse || dy % RasterAbstand == ElementGroesse) {
        return std::nullopt;
    }
    const int x = dx / RasterAbstand + 1;
    const int y = dy / RasterAbstand + 1;
    if (!ZelleImRaster(x, y)) {
        return std::nullopt;
    }
    return QPoint(x, y);
}
