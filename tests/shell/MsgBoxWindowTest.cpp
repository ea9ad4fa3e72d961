// Message boxes: one wrapping at the box's width, a long quoted text shortened, a long text cut with
// the whole of it in the scrolling details, and every box inside the screen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

#include "QStringPrint.h"
#include "TestSupport.h"
#include "platform/MsgBox.h"
#include "shell/MsgBoxWindow.h"

using namespace dc;

TEST(MsgBoxText, ShortTextsStayWholeLongOnesAreCutWithTheirDetails) {
    const QString sentence =
        "Enter a number of putts from 1 to 99, or leave the cell empty, and then press Enter "
        "or Tab to go on to the next hole of the round.";
    const QString pasted = QString("x").repeated(3330);
    const QString output = QString("sendmail: line of error output\n").repeated(6500);
    const struct {
        QString text;
        QString shown;  // what the box shows
        bool details;   // the whole text in the details
    } cases[] = {
        {sentence, sentence, false},
        {"a\r\nb", "a\nb", false},
        {"The address \"" + pasted + "\" is not a plain address.",
         "The address \"" + pasted.left(kQuotedLimit) + "...\" is not a plain address.", true},
        {"The file '" + pasted + "' cannot be read.",
         "The file '" + pasted.left(kQuotedLimit) + "...' cannot be read.", true},
        {"It isn't long, it's short.", "It isn't long, it's short.", false},
        {"Sending failed:\n" + output,
         "Sending failed:\n" + QString("sendmail: line of error output\n").repeated(kShownLines - 3) +
             "sendmail: line of error output...",
         true},
        {QString("y").repeated(5000), QString("y").repeated(kShownLimit) + "...", true},
    };
    for (const auto& c : cases) {
        const BoxText box = ArrangeBoxText(c.text);
        EXPECT_EQ(QString(box.shown).remove(QChar(0x200B)), c.shown) << c.text.left(60).toStdString();
        for (const QString& word : box.shown.split(QRegularExpression("[\\s\\x{200B}]")))
            EXPECT_LE(word.size(), kWordPiece) << "a long word may break anywhere";
        EXPECT_EQ(box.details.isEmpty(), !c.details) << c.text.left(60).toStdString();
        if (c.details) {
            EXPECT_EQ(box.details, QString(c.text).replace("\r\n", "\n"));
        }
    }
}

// Shown offscreen: the box and its opened details stay within the screen, whatever the text.
TEST(MsgBoxWindow, EveryBoxStaysInsideTheScreen) {
    const QString pasted = "The name \"" + QString("Bartholomew").repeated(303) + "\" is too long.";
    const QString output = "The mail program failed:\n" + QString("x").repeated(99) + "\n";
    const QString texts[] = {pasted, output.repeated(2048), QString("word ").repeated(40000)};
    InstallMsgBoxWindow();
    for (const QString& text : texts) {
        QRect box, opened, screen;
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr);
            QApplication::processEvents();
            screen = window->screen()->availableGeometry();
            box = window->frameGeometry();
            shown = window->text();
            for (QAbstractButton* button : window->buttons())
                if (window->buttonRole(button) == QMessageBox::ActionRole)
                    button->click();  // Show Details...
            QApplication::processEvents();
            opened = window->frameGeometry();
            window->done(QMessageBox::Ok);
        });
        EXPECT_EQ(MsgBox(text), vbOK);
        EXPECT_TRUE(screen.contains(box)) << text.size() << ": " << box.width() << "x" << box.height();
        EXPECT_TRUE(screen.contains(opened))
            << text.size() << ": " << opened.width() << "x" << opened.height();
        EXPECT_LT(shown.size(), text.size());
        EXPECT_GT(opened.height(), box.height()) << "the details opened below the text";
    }
    SetMsgBoxWindow({});
}

// A path stands whole on a line of its own: the box widens to it, up to the screen; a longer one is
// shortened in its middle, never broken.
TEST(MsgBoxWindow, APathStaysWholeOnALineOfItsOwn) {
    const QString path = "/home/ann/Documents/Handicap Report.pdf";
    const QString folder = "/home/ann/The Old Golf Club Data Files";
    const QString obrien =
        "/home/ann/Sean O'Briens Winter League Golf Files/Members and Guests Handicap/Print Card.pdf";
    const QString marked = "/home/ann/Players' \"Old\" Files/Handicap Report.pdf";
    const auto unbroken = [](QString p) { return p.replace(' ', QChar(0x00A0)); };
    // A path is known by its slashes, however many blanks, quotes or apostrophes its folders hold;
    // the quotes and the punctuation around it stay on its line.
    const struct {
        QString text, shown;
        QStringList paths;
    } cases[] = {
        {"The printout was saved as " + path + ". Open it?",
         "The printout was saved as\n" + unbroken(path) + ".\nOpen it?",
         {path}},
        {"Free some space on the disk (the one that holds '" + folder + "/handicap.db') and try again.",
         "Free some space on the disk (the one that holds\n'" + unbroken(folder) +
             "/handicap.db')\nand try again.",
         {folder + "/handicap.db"}},
        {"The folder '" + folder + "' of the database is write-protected.",
         "The folder\n'" + unbroken(folder) + "'\nof the database is write-protected.",
         {folder}},
        {"The folder \"" + folder + "\".", "The folder\n\"" + unbroken(folder) + "\".", {folder}},
        {"Copy " + folder + "/handicap.db to /media/usb stick/copy.db? Yes",
         "Copy\n" + unbroken(folder) + "/handicap.db\nto\n/media/usb" + QChar(0x00A0) + "stick/copy.db?\nYes",
         {folder + "/handicap.db", "/media/usb stick/copy.db"}},
        {"No printer is set up; the printout was saved as " + obrien,
         "No printer is set up; the printout was saved as\n" + unbroken(obrien),
         {obrien}},
        {"The folder \"/home/ann/Sean's Files\" is write-protected.",
         "The folder\n\"" + unbroken("/home/ann/Sean's Files") + "\"\nis write-protected.",
         {"/home/ann/Sean's Files"}},
        {"The file '" + marked + "' cannot be read.",
         "The file\n'" + unbroken(marked) + "'\ncannot be read.",
         {marked}},
    };
    for (const auto& c : cases) {
        const BoxText arranged = ArrangeBoxText(c.text);
        EXPECT_EQ(arranged.shown, c.shown);
        QStringList paths;
        for (const QString& p : c.paths) paths << unbroken(p);
        EXPECT_EQ(arranged.paths, paths);
    }
    const QString deep = "/home/ann/" + QString("Golf Club Folder/").repeated(40) + "Handicap Report.pdf";
    InstallMsgBoxWindow();
    // Quoted, under the length at which a quoted text is shortened, yet wider than a box.
    const QString quoted = "'/home/ann/" + QString("Golf Club Folder/").repeated(7) + "Handicap Report.pdf'";
    for (const QString& file : {path, deep, "'" + folder + "/Handicap Report.pdf'", quoted}) {
        QString shown;
        int lineWidth = 0, labelWidth = 0;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr);
            QApplication::processEvents();
            shown = window->text();
            const auto* label = window->findChild<QLabel*>("qt_msgbox_label");
            lineWidth = label->fontMetrics().horizontalAdvance(shown.split('\n').at(1));
            labelWidth = label->width();
            window->done(QMessageBox::Ok);
        });
        MsgBox("The printout was saved as " + file + ".");
        const QString line = shown.split('\n').value(1);
        EXPECT_TRUE(line.startsWith("/home/ann/") || line.startsWith("'/home/ann/")) << shown.toStdString();
        EXPECT_TRUE(line.endsWith(QString("Handicap") + QChar(0x00A0) + "Report.pdf.") ||
                    line.endsWith(QString("Handicap") + QChar(0x00A0) + "Report.pdf'."))
            << shown.toStdString();
        EXPECT_EQ(line.contains(QChar(0x2026)), file == deep || file == quoted) << shown.toStdString();
        EXPECT_LE(lineWidth, labelWidth) << "the path's line is not broken";
    }
    SetMsgBoxWindow({});
}
