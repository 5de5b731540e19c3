// SPDX-License-Identifier: MIT
// The program entry: the data module, then the main window, then the event loop until the window closes.
#include <QApplication>

#include "bank/data_module.h"
#include "core/main_form.h"
#include "ui/dialogs.h"
#include "ui/exit_after_start.h"
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
    // Only the forms the start needs: the selection dialog, which the group bar opens. The settings dialog is built
    // when it is first shown, and the word list editor, which no control opens, is not built: building both here
    // cost every start about ten milliseconds and two and a half mebibytes.
    zuvo::SelTmDialog frmSelTm(frmMain, platform);
    zuvo::exitAfterFirstPaintWhenAsked(&frmMain);
    frmMain.show();
    return QApplication::exec();
}
