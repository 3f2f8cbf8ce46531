#include "picture_match.h"

#include <algorithm>
#include <cstdlib>

namespace desktop_driver {

int colourDistance(QColor a, QColor b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

double matchingShare(const QImage& shot, QRect area, const QImage& picture, QPoint origin, int tolerance) {
    area &= shot.rect();
    area &= picture.rect().translated(origin);
    if (area.isEmpty()) return 0;
    long matching = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (colourDistance(shot.pixelColor(x, y), picture.pixelColor(x - origin.x(), y - origin.y())) <= tolerance)
                ++matching;
    return static_cast<double>(matching) / (static_cast<double>(area.width()) * area.height());
}

double colourShare(const QImage& shot, QRect area, QColor colour, int tolerance) {
    area &= shot.rect();
    if (area.isEmpty()) return 0;
    long matching = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (colourDistance(shot.pixelColor(x, y), colour) <= tolerance) ++matching;
    return static_cast<double>(matching) / (static_cast<double>(area.width()) * area.height());
}

}  // namespace desktop_driver
