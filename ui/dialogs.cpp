// SPDX-License-Identifier: MIT
#include "ui/dialogs.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "ui/combo_box.h"
#include "ui/error_guard.h"
#include "ui/fonts.h"
#include "ui/layout.h"
#include "ui/main_window.h"

namespace zuvo {
namespace {

QLabel* caption(QWidget* parent, const char* name, const char* text, int x, int y) {
    auto* label = placeAt<QLabel>(parent, name, x, y);
    label->setText(QString::fromUtf8(text));
    label->adjustSize();
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const char* text, int x, int y, int w, int h) {
    auto* widget = place<QPushButton>(parent, name, x, y, w, h);
    widget->setText(QString::fromUtf8(text));
    // No button of these dialogs answers Enter by itself.
    widget->setAutoDefault(false);
    return widget;
}

void fixedDialog(QDialog* dialog, const char* name, const char* title, int width, int height) {
    dialog->setObjectName(name);
    dialog->setWindowTitle(QString::fromUtf8(title));
    dialog->setFixedSize(width, height);
    dialog->setFont(designFont("MS Sans Serif"));
}

// An edit box whose text belongs to the model as it is typed.
void bindText(QLineEdit* edit, Control& model) {
    QObject::connect(edit, &QLineEdit::textChanged, edit,
                     [&model](const QString& text) { model.caption = text.toStdString(); });
}

}  // namespace

FormDialog::FormDialog(MainWindow& main, QtPlatform& platform) : QDialog(&main), main_(main), platform_(platform) {}

template <class Handler>
void FormDialog::handle(Handler&& handler) {
    runGuarded(platform_, std::forward<Handler>(handler));
    main_.sync();
    sync();
}

SettingDialog::SettingDialog(MainWindow& main, QtPlatform& platform, const std::string& folder)
    : FormDialog(main, platform), logic_(main.logic().form, folder) {
    fixedDialog(this, "frmSetting", "frmSetting", 260, 130);
    auto* group = place<QGroupBox>(this, "groSetting", 12, 8, 236, 70);
    group->setTitle(QStringLiteral("自动设置"));
    edtInterval = place<QLineEdit>(group, "edtInterval", 16, 30, 60, 21);
    edtInterval->setText(QStringLiteral("2"));
    bindText(edtInterval, logic_.form.edtInterval);
    caption(group, "Label1", "秒", 82, 34);
    QPushButton* apply = button(group, "BitBtn1", "设置", 140, 27, 75, 27);
    QPushButton* close = button(this, "BitBtn2", "关闭", 173, 92, 75, 27);
    connect(apply, &QPushButton::clicked, this, [this] { handle([this] { logic_.BitBtn1Click(); }); });
    connect(close, &QPushButton::clicked, this, [this] { handle([this] { logic_.BitBtn2Click(); }); });
    handle([this] { logic_.FormCreate(); });
}

void SettingDialog::sync() {
    if (edtInterval->text() != QString::fromStdString(logic_.form.edtInterval.caption)) {
        edtInterval->setText(QString::fromStdString(logic_.form.edtInterval.caption));
    }
    if (!logic_.form.visible && isVisible()) hide();
}

WordManagerDialog::WordManagerDialog(QWidget* parent, DataModule& data, QtPlatform& platform)
    : QDialog(parent), platform_(platform), logic_(data, platform) {
    fixedDialog(this, "frmWordManager", "frmWordManager", 652, 341);
    QLabel* title = caption(this, "Label1", "单词管理", 16, 10);
    title->setFont(designFont("MS Sans Serif", 16));
    title->adjustSize();
    auto* add = place<QGroupBox>(this, "GroupBox1", 16, 36, 620, 56);
    add->setTitle(QStringLiteral("增加"));
    caption(add, "Label2", "单词", 12, 26);
    bindText(place<QLineEdit>(add, "edtWord", 44, 22, 121, 21), logic_.form.edtWord);
    caption(add, "Label3", "含义:", 180, 26);
    bindText(place<QLineEdit>(add, "edtMean", 216, 22, 357, 21), logic_.form.edtMean);
    auto* grid = place<QGroupBox>(this, "GroupBox2", 16, 98, 620, 200);
    grid->setTitle(QStringLiteral("GroupBox2"));
    place<QTableWidget>(grid, "DBGrid1", 3, 18, 614, 177);
    QPushButton* addButton = button(this, "BitBtn1", "增加", 480, 306, 75, 27);
    QPushButton* close = button(this, "BitBtn2", "关闭", 561, 306, 75, 27);
    connect(addButton, &QPushButton::clicked, this, [this] { handle([this] { logic_.BitBtn1Click(); }); });
    connect(close, &QPushButton::clicked, this, [this] { handle([this] { logic_.BitBtn2Click(); }); });
}

template <class Handler>
void WordManagerDialog::handle(Handler&& handler) {
    runGuarded(platform_, std::forward<Handler>(handler));
    if (!logic_.form.visible && isVisible()) hide();
}

SelTmDialog::SelTmDialog(MainWindow& main, QtPlatform& platform)
    : FormDialog(main, platform), logic_(main.logic().selTm) {
    fixedDialog(this, "frmSelTm", "", 291, 134);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint);
    setWindowModality(Qt::ApplicationModal);
    auto* heading = place<QWidget>(this, "Panel1", 0, 0, 292, 42);
    heading->setBackgroundRole(QPalette::Base);
    heading->setAutoFillBackground(true);
    QLabel* label = caption(heading, "Label1", "类型选择", 32, 15);
    label->setMinimumWidth(100);
    ComboBoxEx1 = dropDownList(this, "ComboBoxEx1", 32, 57, 249, 22);
    connect(ComboBoxEx1, &QComboBox::currentIndexChanged, this,
            [this](int index) { logic_.form.ComboBoxEx1.itemIndex = index; });
    QPushButton* ok = button(this, "BitBtn3", "确定", 148, 94, 61, 25);
    QPushButton* cancel = button(this, "BitBtn1", "取消", 220, 94, 61, 25);
    connect(ok, &QPushButton::clicked, this, [this] { handle([this] { logic_.BitBtn3Click(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { handle([this] { logic_.BitBtn1Click(); }); });
    // The set-ups' own buttons: clicked by the code, never seen.
    const std::pair<const char*, const char*> hidden[] = {
        {"BtnSx", "顺序"}, {"BtnLx", "乱序"}, {"BtnFl", "分类"}, {"BtnKs", "考试"}, {"BtnZd", "重点"}};
    for (int i = 0; i < 5; ++i) button(this, hidden[i].first, hidden[i].second, 2 + 10 * i, 124, 8, 8)->hide();
    setTabOrder(ComboBoxEx1, cancel);
    setTabOrder(cancel, ok);
    logic_.runModal = [this] {
        sync();
        centreOnScreen(this);
        exec();
        logic_.form.visible = false;
    };
}

SelTmDialog::~SelTmDialog() { logic_.runModal = nullptr; }

void SelTmDialog::sync() {
    mirror(ComboBoxEx1, logic_.form.ComboBoxEx1);
    if (!logic_.form.visible && isVisible()) done(QDialog::Rejected);
}

void SelTmDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) return event->accept();
    QDialog::keyPressEvent(event);
}

void SelTmDialog::reject() {
    handle([this] { logic_.BitBtn1Click(); });
}

}  // namespace zuvo
