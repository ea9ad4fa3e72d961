// Entry point of every test executable: a QApplication (offscreen) around GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "platform/PrintJob.h"
#include "tools/frmEmail.h"

int main(int argc, char** argv) {
    // The same locale, time zone and display settings on every machine, whatever the developer's are.
    dc::test::PinEnvironment();
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Printouts of tests go to a PDF in a temporary folder, never to a printer or ~/Documents.
    QTemporaryDir printDir;
    if (qgetenv("DC_PRINT_PDF").isEmpty())
        qputenv("DC_PRINT_PDF", (printDir.path() + "/printout.pdf").toUtf8());
    // No test hands mail to the machine's real mail program; mail tests set their own recorder.
    qputenv("DC_SENDMAIL", (printDir.path() + "/no-mail-program").toUtf8());
    // Lock files of tests stay in the temporary folder too.
    qputenv("XDG_DATA_HOME", (printDir.path() + "/data").toUtf8());
    QApplication app(argc, argv);
    if (!dc::test::PinFont()) return 1;
    // Error reports go to the e-mail screen while reporting is on, as in the program.
    dc::InstallErrorReportSender(dc::test::Ctx());
    // Long printouts go on without a progress window; tests that cancel install their own answer.
    dc::SetPrintProgressResponder([](int, int) { return true; });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
