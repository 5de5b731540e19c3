// SPDX-License-Identifier: MIT
// The program entry: the data module, then the main window, then the event loop until the window closes.
#include <QApplication>

#include "bank/data_module.h"
#include "core/main_form.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("zuvo");
    zuvo::installFontSubstitutes();

    const std::string folder = QApplication::applicationDirPath().toStdString();
    zuvo::DataModule frmDataBase;
    frmDataBase.DataModuleCreate(folder);
    zuvo::QtPlatform platform;
    zuvo::MainWindow frmMain(frmDataBase, platform);
    zuvo::SettingDialog frmSetting(frmMain, platform, folder + "/");
    zuvo::WordManagerDialog frmWordManager(&frmMain, frmDataBase, platform);
    zuvo::SelTmDialog frmSelTm(frmMain, platform);
    frmMain.show();
    return QApplication::exec();
}
