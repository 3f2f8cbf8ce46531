#pragma once
// Whether what is on screen is a given picture or colour.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

namespace desktop_driver {

// Largest difference of the three channels.
int colourDistance(QColor a, QColor b);

// Share (0..1) of the pixels of `area` of `shot` that match `picture`, where
// the picture's top left corner lies at `pictureOrigin` in the shot.
double matchingShare(const QImage& shot, QRect area, const QImage& picture, QPoint pictureOrigin,
                     int tolerance = 32);

// Share of the pixels of `area` within `tolerance` of `colour`.
double colourShare(const QImage& shot, QRect area, QColor colour, int tolerance = 24);

}  // namespace desktop_driver
