// SPDX-License-Identifier: MIT
// The designer's fonts, mapped to installed fonts that carry Chinese.
#pragma once

#include <QFont>

namespace zuvo {

// Maps "MS Sans Serif", "Arial" and "新宋体" to a CJK font when they are missing; call once after QApplication.
void installFontSubstitutes();

QFont designFont(const char* family, int pixelSize = 13);
QFont linkFont();  // the text links' 13-pixel 新宋体

}  // namespace zuvo
