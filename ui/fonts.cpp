// SPDX-License-Identifier: MIT
#include "ui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace zuvo {

void installFontSubstitutes() {
    const QStringList cjk = {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Zen Hei",
                             "AR PL UMing CN", "Droid Sans Fallback"};
    const QStringList families = QFontDatabase::families();
    for (const char* design : {"MS Sans Serif", "Arial", "新宋体"}) {
        const QString name = QString::fromUtf8(design);
        if (!families.contains(name)) QFont::insertSubstitutions(name, cjk);
    }
}

QFont designFont(const char* family, int pixelSize) {
    QFont font(QString::fromUtf8(family));
    font.setPixelSize(pixelSize);
    return font;
}

QFont linkFont() { return designFont("新宋体"); }

}  // namespace zuvo
