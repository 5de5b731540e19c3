// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <memory>
#include <string>

#include "resources/image.h"

namespace zuvo {

// The decoded picture as a pixmap over its own pixels: nothing is copied or converted, and the pixels live as long
// as either the picture or the pixmap does.
QPixmap toPixmap(std::shared_ptr<const Image> image);
// A bitmap resource as a pixmap; an empty pixmap when there is none.
QPixmap bitmapPixmap(const std::string& name);

}  // namespace zuvo
