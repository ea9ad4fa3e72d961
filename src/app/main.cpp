// Dado Corvy: a golf handicap program. The welcome screen runs the start-up and leads on.
#include <QApplication>

#include "entry/frmMainGolf.h"
#include "platform/SingleInstance.h"
#include "platform/Spread.h"
#include "platform/Termination.h"
#include "shell/AppContext.h"
#include "shell/MsgBoxWindow.h"
#include "shell/ScreenBoxes.h"
#include "shell/frmWelcome.h"
#include "tools/frmEmail.h"

int main(int argc, char** argv) {
    // The one context of the run, handed to every screen; it outlives the application's windows.
    dc::AppContext context;
    QApplication app(argc, argv);
    QApplication::setApplicationName("DadoCorvy");
    dc::InstallMsgBoxWindow();
    dc::InstallErrorReportSender(context);
    dc::Spread::SetRefusalSound([&context] { dc::WarningSound(context); });
    // A kill or a logout ends the run through the event loop, so that what is open is closed and a
    // printout on its way is withdrawn.
    dc::TerminationWatch termination;
    dc::SingleInstance instance;
    dc::frmWelcome welcome(context, instance, [&context] { return new dc::frmMainGolf(context); });
    if (!welcome.Form_Load() || dc::TerminationRequested()) return 0;
    welcome.show();
    return app.exec();
}
