// The hyper-road pieces: tarmac roads with edge lines and a dashed centre
// line, in a plain look (dark tarmac, earthen verge) and a lit look (bright
// tarmac, white lines, a green verge) for roads that have greened the land.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

namespace tavrin::assets {

struct RoadLook {
    QColor verge;
    QColor tarmac;
    QColor tarmacShine; // the lighter side of the tarmac gradient
    QColor edgeLine;
    QColor centreLine;
};

RoadLook plainRoadLook();
RoadLook litRoadLook();

// Paints piece `code` (0..10) in a 32 x 32 coordinate system. With `grain`
// the tarmac gets a fine pixel grain (for the 32-pixel sheet); without it a
// smooth surface (for scaled drawings such as the icon).
void paintRoad(QPainter& painter, int code, const RoadLook& look, bool grain);

// The 352 x 128 sheet: column c is piece c; rows: plain image, plain mask,
// lit image, lit mask.
QImage makeRoadSheet();

} // namespace tavrin::assets
