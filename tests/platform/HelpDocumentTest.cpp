// The help document built beside the program: a real PDF with its contents page and every chapter.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>

namespace {

QString ReadPdf(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

TEST(HelpDocument, IsAPdfWithContentsAndChapters) {
    const QString path = QStringLiteral(DC_PROGRAM_DIR "/CV5.PDF");
    ASSERT_TRUE(QFileInfo::exists(path));
    const QString info = ReadPdf("pdfinfo", {path});
    EXPECT_TRUE(info.contains("612 x 792")) << info.toStdString();  // letter
    const QString text = ReadPdf("pdftotext", {path, "-"});
    for (const char* chapter :
         {"Contents", "The Welcome Screen", "The Settings Screen", "The Main Screen", "The Course Editor",
          "The Player Editor", "Mailing Labels", "The Handicap Screen", "Statistics", "The Game List",
          "Graphs", "Custom Score Cards", "E-mail", "Converting Earlier Data", "The System File Check"})
        EXPECT_TRUE(text.contains(chapter)) << chapter;
    // Page numbers in the footers, counted against the document's own page count.
    const int pages = info.section("Pages:", 1).section('\n', 0, 0).trimmed().toInt();
    EXPECT_GE(pages, 10);
    EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %1").arg(pages)));
}
