#pragma once
// A printed header line fitted to the page's width without cutting it: the first of its forms
// (the header, then shorter forms of the name in it) that fits, else the shortest made smaller down
// to a least size, else that size broken into lines at blanks.

#include <QFont>
#include <QStringList>

class QPaintDevice;

namespace dc {

struct FittedHeader {
    QStringList lines;
    QFont font;
};

// `width` in the device's units; `leastPoints` the smallest size the font may take.
FittedHeader FitHeader(const QStringList& forms, const QFont& font, double width, QPaintDevice* device,
                       double leastPoints);

}  // namespace dc
