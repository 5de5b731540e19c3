// SPDX-License-Identifier: MIT
#include "ui/fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace zuvo {
namespace {

// The installed family each missing design family is drawn in.
QHash<QString, QString>& drawnIn() {
    static QHash<QString, QString> families;
    return families;
}

}  // namespace

void installFontSubstitutes() {
    const QStringList cjk = {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Zen Hei",
                             "AR PL UMing CN", "Droid Sans Fallback"};
    const QStringList families = QFontDatabase::families();
    QString installed;
    for (const QString& family : cjk) {
        if (families.contains(family)) {
            installed = family;
            break;
        }
    }
    for (const char* design : {"MS Sans Serif", "Arial", "新宋体"}) {
        const QString name = QString::fromUtf8(design);
        if (families.contains(name)) continue;
        QFont::insertSubstitutions(name, cjk);
        if (!installed.isEmpty()) drawnIn().insert(name, installed);
    }
}

QFont designFont(const char* family, int pixelSize) {
    // A missing design family is asked for by the family it is drawn in, so that all of them share one font engine
    // and one fallback list: Qt would otherwise resolve each missing name, and ask fontconfig for its fallbacks, anew.
    const QString name = QString::fromUtf8(family);
    QFont font(drawnIn().value(name, name));
    font.setPixelSize(pixelSize);
    return font;
}

QFont linkFont() { return designFont("新宋体"); }

}  // namespace zuvo
