// A signal to end (a kill, a logout) while start-up shows a box: the box closes and no other shows,
// so that main returns; the signals are handled as before once the watch ends. Every event loop of a
// program told to end ends at once, so each signal is tried in a program of its own.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QProcess>
#include <QTimer>
#include <csignal>
#include <string>
#include <utility>

#include "TestSupport.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Termination.h"
#include "shell/MsgBoxWindow.h"

namespace dc {
namespace {

TEST(Termination, ASignalClosesTheOpenDialogAndNoOtherShows) {
    if (qEnvironmentVariableIsSet("DC_TERMINATION_PROBE")) {
        const int signal = qEnvironmentVariableIntValue("DC_TERMINATION_PROBE");
        struct sigaction before {};
        ::sigaction(signal, nullptr, &before);
        {
            TerminationWatch watch;  // the program's own: no application loop runs, as in start-up
            QTimer::singleShot(0, [signal] { ::raise(signal); });
            if (qEnvironmentVariable("DC_TERMINATION_OPEN") == "box") {
                // A question on the screen when the signal comes: No, so that nothing goes ahead.
                InstallMsgBoxWindow();
                EXPECT_EQ(
                    MsgBox("Are you sure you want to Backup, Repair and Compact your database?", vbYesNo),
                    vbNo);
            } else {
                QDialog box;
                EXPECT_EQ(box.exec(), QDialog::Rejected);
            }
            EXPECT_TRUE(TerminationRequested());
            QDialog next;
            EXPECT_EQ(ExecModal(next), QDialog::Rejected);
            EXPECT_FALSE(next.isVisible());
            bool shown = false;
            SetMsgBoxWindow([&](const QString&, int, const QString&) {
                shown = true;
                return vbYes;
            });
            // Each box unanswered gives the answer that changes nothing: "Sure?" never goes ahead.
            EXPECT_EQ(MsgBox("Save?", vbYesNoCancel), vbCancel);
            EXPECT_EQ(MsgBox("Are you sure?", vbYesNo + vbQuestion), vbNo);
            EXPECT_EQ(MsgBox("Done.", vbInformation), vbOK);
            EXPECT_FALSE(shown);
            SetMsgBoxWindow(nullptr);
        }
        EXPECT_FALSE(TerminationRequested());
        struct sigaction after {};
        ::sigaction(signal, nullptr, &after);
        EXPECT_EQ(after.sa_handler, before.sa_handler) << "handled as before again";
        return;
    }
    for (const auto& [signal, open] : {std::pair{SIGTERM, "dialog"}, {SIGHUP, "dialog"}, {SIGTERM, "box"}}) {
        SCOPED_TRACE(std::to_string(signal) + " " + open);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"GTEST_SHARD_INDEX", "GTEST_TOTAL_SHARDS", "GTEST_SHARD_STATUS_FILE",
                                 "GTEST_FILTER", "GTEST_OUTPUT", "GTEST_REPEAT", "GTEST_SHUFFLE"})
            env.remove(name);
        env.insert("DC_TERMINATION_PROBE", QString::number(signal));
        env.insert("DC_TERMINATION_OPEN", open);
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=Termination.ASignalClosesTheOpenDialogAndNoOtherShows"});
        ASSERT_TRUE(p.waitForFinished(test::kGenerousWaitMs));
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0) << out.toStdString();
        EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
    }
}

}  // namespace
}  // namespace dc
