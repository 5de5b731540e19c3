// SPDX-License-Identifier: MIT
#include "ui/combo_box.h"

#include <QSignalBlocker>

#include "ui/layout.h"

namespace zuvo {

void mirror(QComboBox* widget, const ComboBox& model) {
    const QSignalBlocker quiet(widget);
    bool same = widget->count() == static_cast<int>(model.items.size());
    for (int i = 0; same && i < widget->count(); ++i) {
        same = widget->itemText(i) == QString::fromStdString(model.items[static_cast<size_t>(i)]);
    }
    if (!same) {
        widget->clear();
        for (const std::string& item : model.items) widget->addItem(QString::fromStdString(item));
    }
    widget->setCurrentIndex(model.itemIndex);
    widget->setVisible(model.visible);
}

QComboBox* dropDownList(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* list = place<QComboBox>(parent, name, x, y, w, h);
    list->setEditable(false);
    list->setMaxVisibleItems(8);
    return list;
}

}  // namespace zuvo
