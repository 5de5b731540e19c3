// SPDX-License-Identifier: MIT
// The two drop-down lists, the exam types of the selection dialog and the category list, mirror their model.
#pragma once

#include <QComboBox>

#include "core/main_form.h"

namespace zuvo {

// Items, selection and visibility from the model, without reporting the change as the learner's pick.
void mirror(QComboBox* widget, const ComboBox& model);

// A drop-down list of fixed items, as the designer's "csDropDownList" has it.
QComboBox* dropDownList(QWidget* parent, const char* name, int x, int y, int w, int h);

}  // namespace zuvo
