// SPDX-License-Identifier: MIT
#include "ui/pictures.h"

#include <QImage>

#include "resources/resources.h"

namespace zuvo {

QPixmap toPixmap(std::shared_ptr<const Image> image) {
    const Image& pixels = *image;
    if (pixels.width <= 0 || pixels.height <= 0) return {};
    // The image keeps its own reference to the picture, released when the last image or pixmap over it goes. A
    // picture is read-only, so a painter that wants to write gets a copy.
    auto* owner = new std::shared_ptr<const Image>(std::move(image));
    const QImage view(
        pixels.rgb.data(), pixels.width, pixels.height, pixels.width * 3, QImage::Format_RGB888,
        [](void* held) { delete static_cast<std::shared_ptr<const Image>*>(held); }, owner);
    // Kept in its own format: converting it to the screen's would copy every picture into a buffer a third larger,
    // while the painter converts only the rows it draws.
    return QPixmap::fromImage(view, Qt::NoFormatConversion);
}

QPixmap bitmapPixmap(const std::string& name) {
    if (!hasResource("BMP", name)) return {};
    return toPixmap(loadPicture("BMP", name));
}

}  // namespace zuvo
