// SPDX-License-Identifier: MIT
// The three dialogs the entry creates after the main window: their layouts, under their designer names. Each
// stays hidden until something shows it; their commands arrive with the features they serve.
#pragma once

#include <QDialog>

namespace zuvo {

// frmSetting: the auto-advance interval.
class SettingDialog : public QDialog {
    Q_OBJECT
public:
    explicit SettingDialog(QWidget* parent);
};

// frmWordManager: adds a word and its meaning to the bank.
class WordManagerDialog : public QDialog {
    Q_OBJECT
public:
    explicit WordManagerDialog(QWidget* parent);
};

// frmSelTm: the exam-type choice before every run.
class SelTmDialog : public QDialog {
    Q_OBJECT
public:
    explicit SelTmDialog(QWidget* parent);
};

}  // namespace zuvo
