// SPDX-License-Identifier: MIT
#include "ui/pictures.h"

#include <QImage>

#include "resources/resources.h"

namespace zuvo {

QPixmap toPixmap(const Image& image) {
    const QImage view(image.rgb.data(), image.width, image.height, image.width * 3, QImage::Format_RGB888);
    return QPixmap::fromImage(view.copy());
}

QPixmap bitmapPixmap(const std::string& name) {
    if (!hasResource("BMP", name)) return {};
    return toPixmap(*loadPicture("BMP", name));
}

}  // namespace zuvo
