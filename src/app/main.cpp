// Unctora: the program entry. Creates the windows in their order (main window,
// accessory picture window, font window, string window) and runs the message loop.

#include "app/application.h"
#include "app/commandline.h"
#include "desktop/environment.h"
#include "app/mainwindow.h"
#include "desktop/messages.h"
#include "windows/accpicwindow.h"
#include "windows/fontwindow.h"
#include "windows/stringwindow.h"

int main(int argc, char** argv) {
    if (const std::optional<int> code = answerInfoOption(argc, argv))
        return *code;
    UnctoraApplication app(argc, argv);
    app.quitOnTerminationSignals();
    BoxMessages messages;
    app.setMessages(&messages);
    QApplication::setStyle("Fusion");

    AppEnvironment env;
    env.programDir = AppEnvironment::defaultProgramDir();
    env.dataDir = AppEnvironment::defaultDataDir();
    env.arguments = QApplication::arguments().mid(1);
    env.messages = &messages;

    int code = 0;
    // The program's texts: made before the windows and ended after them, so every
    // window finds them while it closes.
    unctora::strings::StringTable texts;
    {
        TfrmMain frmMain(env);
        if (!frmMain.created())
            return 1;
        TfrmAccPic frmAccPic(&frmMain);
        TfrmSelFont frmSelFont(&frmMain);
        TfrmStrings frmStrings(env, texts);
        frmMain.attachWindows(&frmAccPic, &frmSelFont, &frmStrings);
        frmMain.show();
        code = app.exec();
    } // the windows save their settings and positions as they close
    // Ended by a signal with a save that failed: not a clean end.
    return messages.unansweredErrors() > 0 ? 1 : code;
}
