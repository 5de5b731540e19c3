// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <string>

#include "resources/image.h"

namespace zuvo {

QPixmap toPixmap(const Image& image);
// A bitmap resource as a pixmap; an empty pixmap when there is none.
QPixmap bitmapPixmap(const std::string& name);

}  // namespace zuvo
