#pragma once
#include <QPixmap>
#include <QRegion>
#include <QSize>
#include <optional>
#include <string>

#include "platform/window_toolkit.h"

namespace vesko {

// The artwork, drawn from the SVG sources compiled in as :/art/<name>.svg,
// rendered sharp at the screen's device pixel ratio and cached.
QPixmap artPixmap(const std::string& name, QSize size, qreal devicePixelRatio);
// Rendered at its logical size: what a picture box with a transparent colour
// keeps. Pixels of that colour (and fully transparent ones) are cut away.
QRegion artShape(const std::string& name, QSize size, const Rgb& transparent);

}  // namespace vesko
