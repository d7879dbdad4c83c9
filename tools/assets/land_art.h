// The two built-in backgrounds, 256 x 256 and seamless when repeated: the
// dry land the roads start on, and the green land they turn it into.
#pragma once

#include <QImage>

namespace tavrin::assets {

inline constexpr int kLandSize = 256;

QImage makeNormalLand();
QImage makeGreenLand();

} // namespace tavrin::assets
