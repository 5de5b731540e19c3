// SPDX-License-Identifier: MIT
// The program entry: the data module, then the main window, then the event loop until the window closes.
#include <QApplication>

#include "bank/data_module.h"
#include "core/data_folders.h"
#include "core/main_form.h"
#include "ui/dialogs.h"
#include "ui/error_guard.h"
#include "ui/exit_after_start.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("zuvo");
    zuvo::installFontSubstitutes();

    zuvo::QtPlatform platform;
    // Beside the program, or the learner's own folders when it is installed; a failure there ends the start.
    zuvo::DataFolders folders;
    bool prepared = false;
    zuvo::runGuarded(platform, [&] {
        folders = zuvo::chooseDataFolders(zuvo::readFolderFacts(QApplication::applicationDirPath().toStdString()));
        zuvo::prepareDataFolders(folders);
        prepared = true;
    });
    if (!prepared) return 1;

    zuvo::DataModule frmDataBase;
    frmDataBase.DataModuleCreate(folders.data);
    zuvo::MainWindow frmMain(frmDataBase, platform, folders);
    // Only the forms the start needs: the selection dialog, which the group bar opens. The settings dialog is built
    // when it is first shown, and the word list editor, which no control opens, is not built: building both here
    // cost every start about ten milliseconds and two and a half mebibytes.
    zuvo::SelTmDialog frmSelTm(frmMain, platform);
    zuvo::exitAfterFirstPaintWhenAsked(&frmMain);
    frmMain.show();
    return QApplication::exec();
}
