// Twips (1/1440 inch) to device-independent pixels.
//
// Every position of the window is designed in twips; the screen's logical DPI turns them into
// pixels (96 DPI: 15 twips a pixel). A size is converted from its two edges, so neighbouring
// cells that share an edge in twips also share it in pixels.
#pragma once

#include <QRect>
#include <cmath>

namespace lumora {

class Twips {
public:
    explicit Twips(double logicalDpiX = 96, double logicalDpiY = 96)
        : sx_(logicalDpiX / 1440.0), sy_(logicalDpiY / 1440.0) {}
    int x(int twips) const { return static_cast<int>(std::lround(twips * sx_)); }
    int y(int twips) const { return static_cast<int>(std::lround(twips * sy_)); }
    QRect rect(int left, int top, int width, int height) const {
        return QRect(x(left), y(top), x(left + width) - x(left), y(top + height) - y(top));
    }

private:
    double sx_, sy_;
};

}  // namespace lumora
