// SPDX-License-Identifier: MIT
// The designer's fonts on a machine without them: an installed font that carries Chinese stands in for each, and
// every caption the buttons and the fixed panes take fits inside them at the designer sizes, at any scale.
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QRawFont>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>

#include "bank/data_module.h"
#include "core/main_window.h"
#include "core/sel_tm.h"
#include "tests/support/test_bank.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/main_window.h"

using namespace zuvo;

namespace {

const char* const kDesignFamilies[] = {"MS Sans Serif", "Arial", "新宋体"};

// What an answer, a status pane or a message shows: the window's own words and a question's.
const QString kChineseSample = QStringLiteral("驾驶人理论考试练习祝您一次通过检查漏题交卷结束重新抽取消重点确定错对");

QString q(const char* text) { return QString::fromUtf8(text); }

// Whether the caption fits where the style puts a button's text.
QString buttonOverflow(QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = button->rect();
    option.text = button->text();
    const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QFontMetrics metrics(button->font());
    const int width = metrics.horizontalAdvance(button->text());
    if (width <= room.width() && metrics.height() <= room.height()) return {};
    return QString("%1 \"%2\": %3x%4 in %5x%6")
        .arg(button->objectName(), button->text())
        .arg(width)
        .arg(metrics.height())
        .arg(room.width())
        .arg(room.height());
}

QString labelOverflow(QLabel* label) {
    const QFontMetrics metrics(label->font());
    const QRect room = label->contentsRect();
    const int width = metrics.horizontalAdvance(label->text());
    if (width <= room.width() && metrics.height() <= room.height()) return {};
    return QString("%1 \"%2\": %3x%4 in %5x%6")
        .arg(label->objectName(), label->text())
        .arg(width)
        .arg(metrics.height())
        .arg(room.width())
        .arg(room.height());
}

}  // namespace

class FontsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { installFontSubstitutes(); }

    void designFontsAreInstalledFontsThatCarryChinese() {
        const QStringList installed = QFontDatabase::families();
        for (const char* family : kDesignFamilies) {
            const QFont font = designFont(family);
            const QRawFont raw = QRawFont::fromFont(font);
            QVERIFY2(raw.isValid(), family);
            // The font the text is drawn in, not a fallback found glyph by glyph.
            QVERIFY2(installed.contains(raw.familyName(), Qt::CaseInsensitive), qPrintable(raw.familyName()));
            for (const QChar c : kChineseSample) {
                QVERIFY2(raw.supportsCharacter(c),
                         qPrintable(QString("%1 (%2) lacks %3").arg(q(family), raw.familyName(), c)));
            }
        }
    }

    void everyCaptionFitsItsControl() {
        test::TestBank bank(test::sourceWith(
            {test::choice(1, "第一题", {"甲", "乙", "丙", "丁"}, "B"), test::trueFalse(2, "第二题", "对")}));
        DataModule data;
        data.DataModuleCreate(bank.dir());
        QtPlatform platform;
        MainWindow window(data, platform, DataFolders{bank.dir() + "/", bank.dir() + "/", {}});
        SettingDialog settings(window, platform, bank.dir() + "/");
        WordManagerDialog words(&window, data, platform);
        SelTmDialog selection(window, platform);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QStringList overflows;
        auto checkAll = [&overflows](QWidget& parent) {
            for (QPushButton* button : parent.findChildren<QPushButton*>()) {
                // The selection dialog's set-up buttons are never shown.
                if (button->size().width() <= 8) continue;
                if (QString overflow = buttonOverflow(button); !overflow.isEmpty()) overflows << overflow;
            }
        };
        checkAll(window);
        checkAll(settings);
        checkAll(words);
        checkAll(selection);

        // Each caption a button takes in some mode, on that button.
        MainForm& form = window.logic().form;
        const std::pair<Control*, std::vector<const char*>> captions[] = {
            {&form.BtnJclt, {kSeekCaption, kRedrawCaption, kCancelKeyPointCaption}},
            {&form.BtnExit, {kEndCaption, kHandInCaption}},
            {&form.BtnA, {"A〔键1〕", "对〔键1〕"}},
            {&form.BtnB, {"B〔键2〕", "错〔键2〕"}},
        };
        for (const auto& [control, texts] : captions) {
            for (const char* text : texts) {
                control->caption = text;
                control->visible = true;
                window.sync();
                checkAll(window);
            }
        }
        for (const char* pane : {"RzStatusPane1", "RzStatusPane2"}) {
            if (QString overflow = labelOverflow(window.findChild<QLabel*>(pane)); !overflow.isEmpty()) {
                overflows << overflow;
            }
        }
        overflows.removeDuplicates();
        QVERIFY2(overflows.isEmpty(), qPrintable(overflows.join("\n")));
    }
};

QTEST_MAIN(FontsTest)
#include "fonts_ui_test.moc"
