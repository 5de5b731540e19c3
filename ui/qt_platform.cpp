// SPDX-License-Identifier: MIT
#include "ui/qt_platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>
#include <chrono>

#include "core/main_form.h"
#include "ui/fonts.h"

namespace zuvo {

void QtPlatform::attach(QWidget* window, std::function<void()> sync) {
    window_ = window;
    sync_ = std::move(sync);
}

void QtPlatform::syncWindow() {
    if (window_ && sync_) sync_();
}

namespace {

// The messages break their lines with carriage returns alone, which a Qt label would not break at.
QString boxText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QChar('\r'), QChar('\n'));
    return shown;
}

// A message box in the program's language: the buttons read as the dialogs' own "确定" and "取消".
int runBox(QMessageBox::Icon icon, const QString& caption, const std::string& text,
           QMessageBox::StandardButtons buttons, QWidget* parent) {
    QMessageBox box(icon, caption, boxText(text), buttons, parent);
    if (QAbstractButton* ok = box.button(QMessageBox::Ok)) ok->setText(QStringLiteral("确定"));
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel)) cancel->setText(QStringLiteral("取消"));
    return box.exec();
}

}  // namespace

void QtPlatform::showMessage(const std::string& text) {
    syncWindow();
    runBox(QMessageBox::NoIcon, QString::fromUtf8(kProgramTitle), text, QMessageBox::Ok, window_);
}

bool QtPlatform::askOkCancel(const std::string& text) {
    syncWindow();
    return runBox(QMessageBox::Question, QStringLiteral("提示"), text, QMessageBox::Ok | QMessageBox::Cancel,
                  window_) == QMessageBox::Ok;
}

void QtPlatform::delay(int ms) {
    syncWindow();
    // A nested loop woken by a timer: other handlers run meanwhile, and nothing spins.
    QEventLoop loop;
    QTimer::singleShot(std::max(ms, 0), &loop, &QEventLoop::quit);
    loop.exec();
}

void QtPlatform::repaint() {
    syncWindow();
    if (window_) window_->repaint();
}

DateTime QtPlatform::now() {
    const QDateTime now = QDateTime::currentDateTime();
    static const QDate kEpoch(1899, 12, 30);
    return static_cast<double>(kEpoch.daysTo(now.date())) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

std::uint32_t QtPlatform::tickCount() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::uint64_t QtPlatform::performanceCounter() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count());
}

int QtPlatform::linkTextWidth(const std::string& text) {
    return QFontMetrics(linkFont()).horizontalAdvance(QString::fromStdString(text));
}

void QtPlatform::openUrl(const std::string& url) {
    const QUrl address(QString::fromStdString(url));
    // Addresses come from the network: only web pages are opened, never files or other handlers.
    if (address.scheme() == QLatin1String("http") || address.scheme() == QLatin1String("https")) {
        QDesktopServices::openUrl(address);
    }
}

void QtPlatform::runOnUiThread(std::function<void()> task) {
    // Called from other threads: the task waits in the application's queue and runs between two handlers.
    QMetaObject::invokeMethod(
        qApp,
        [this, task = std::move(task)] {
            try {
                task();
            } catch (const std::exception&) {
                // What other threads hand over is the advertising, which never reports a failure.
            }
            syncWindow();
        },
        Qt::QueuedConnection);
}

}  // namespace zuvo
