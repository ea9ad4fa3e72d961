// The zip archive: the system files' archive read back with libzip (entries, no folders, contents),
// the archive button run twice, a failed archive that is reported and not attached, names that are
// never patterns, and the system mail that never goes without its archive.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>

#include "MailRecorder.h"
#include "QStringPrint.h"
#include "TestSupport.h"
#include "platform/Database.h"
#include "platform/FileOps.h"
#include "platform/MsgBox.h"
#include "shell/AppContext.h"
#include "shell/ProgramDb.h"
#include "shell/ProgramFolder.h"
#include "tools/Email.h"
#include "tools/SystemArchive.h"
#include "tools/cZip.h"
#include "tools/frmEmail.h"

namespace dc {
namespace {

using test::ScriptedModal;
using test::ScriptedMsgBox;

// Every entry of an archive with its contents, read with libzip.
QMap<QString, QByteArray> ReadZip(const QString& path) {
    QMap<QString, QByteArray> entries;
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive) return entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, i, 0, &stat);
        QByteArray data(static_cast<int>(stat.size), '\0');
        zip_file_t* file = zip_fopen_index(archive, i, 0);
        if (file) {
            zip_fread(file, data.data(), stat.size);
            zip_fclose(file);
        }
        entries.insert(QString::fromUtf8(stat.name), data);
    }
    zip_close(archive);
    return entries;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

class ZipTest : public ::testing::Test {
  protected:
    void SetUp() override {
        db = folder.OpenDatabase();
        folder.WriteIni(db);
        TestDb().Execute("INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME) VALUES (7, 'Zip', 'Zoe')");
    }
    test::ProgramFolder folder;
    QString db;
};

TEST_F(ZipTest, SystemArchiveHoldsTheIniFileAndAConsistentDatabaseCopyWithoutFolders) {
    // A write in progress on the program's connection is not in the copy.
    Database::Transaction pending(TestDb());
    TestDb().Execute("INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME) VALUES (8, 'Half', 'Done')");

    const mode_t umaskWas = ::umask(0);  // whatever the umask or an older archive's rights
    QFile(SystemZipPath(ProgramFolder())).open(QIODevice::WriteOnly);
    SetFileMode(SystemZipPath(ProgramFolder()), 0644);
    BuildSystemZip(SystemZipPath(ProgramFolder()), TestDb().Path(), IniFilePath());
    ::umask(umaskWas);
    EXPECT_EQ(FileMode(SystemZipPath(ProgramFolder())), 0600u);
    EXPECT_TRUE(SystemZipPath(ProgramFolder()).endsWith("/CV550.ZIP"));
    const auto entries = ReadZip(SystemZipPath(ProgramFolder()));
    ASSERT_EQ(entries.keys(), (QStringList{"Connect.ini", "Golf.mdb"}));
    EXPECT_EQ(entries["Connect.ini"], FileBytes(IniFilePath()));

    QTemporaryDir out;
    QFile copy(out.filePath("Golf.mdb"));
    copy.open(QIODevice::WriteOnly);
    copy.write(entries["Golf.mdb"]);
    copy.close();
    auto read = OpenProgramDatabase(copy.fileName());
    EXPECT_EQ(read->Scalar("SELECT group_concat(PLAYER_ID) FROM PLAYERS").toString(), "7");
}

TEST_F(ZipTest, ZipButtonReplacesItsArchiveAndAttachesNothingWhenTheArchiveFails) {
    Ctx().bErrorReport = true;
    ScriptedMsgBox boxes;
    ScriptedModal modal([&](QDialog& d) {
        auto& s = static_cast<frmEmail&>(d);
        s.cmdZip->click();
        s.cmdZip->click();
        EXPECT_EQ(s.lstAttach->count(), 1);
        EXPECT_TRUE(s.lstAttach->item(0)->isSelected());
        EXPECT_EQ(ReadZip(SystemZipPath(ProgramFolder())).size(), 2);

        QFile::remove(IniFilePath());  // the archive cannot be made any more
        s.cmdZip->click();
        EXPECT_EQ(s.lstAttach->count(), 0);
        EXPECT_FALSE(QFile::exists(SystemZipPath(ProgramFolder())));
        return 0;
    });
    OpenEmailScreen(Ctx(), "General", kSupportAddress);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last(), "The archive of the system files could not be made as '" +
                                SystemZipPath(ProgramFolder()) + "': File not found: '" + IniFilePath() +
                                "'.");
    EXPECT_TRUE(boxes.Details()[0].startsWith("Form Email, cmdZip_Click\r\nError Number 53"))
        << boxes.Details()[0].toStdString();
}

// A failed archive says what failed and where, in plain words, with the technical lines under the box's
// details: a folder in the archive's place, a write-protected program folder, too little memory.
TEST_F(ZipTest, AFailedArchiveSaysWhatFailedAndWhere) {
    const QString told = "The archive of the system files could not be made as '%1': %2.";
    test::SmallFileSystem readOnly("1m");
    const struct {
        const char* name;
        std::function<QString()> make;  // readies the failure and returns the archive's folder
        QString cause;                  // %1 the archive, %2 its folder
    } rows[] = {
        {"a folder in its place",
         [] {
             QDir().mkpath(SystemZipPath(ProgramFolder()));
             return ProgramFolder();
         },
         "'%1' is a folder"},
        {"a write-protected folder",
         [&] {
             if (!readOnly.Ready()) return QString();
             QFile::copy(IniFilePath(), readOnly.Path() + "/Connect.ini");
             readOnly.MakeReadOnly();
             return readOnly.Path();
         },
         "the folder '%2' is write-protected"},
    };
    Ctx().bErrorReport = true;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString where = row.make();
        if (where.isEmpty()) continue;  // no small file system can be mounted here
        SetProgramFolder(where);
        const QString zip = SystemZipPath(where);
        ScriptedMsgBox boxes;
        ScriptedModal modal([&](QDialog& d) {
            auto& s = static_cast<frmEmail&>(d);
            s.cmdZip->click();
            EXPECT_EQ(s.lstAttach->count(), 0);
            return 0;
        });
        OpenEmailScreen(Ctx(), "General", kSupportAddress);
        SetProgramFolder(folder.Path());
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Last(), told.arg(zip, QString(row.cause).replace("%1", zip).replace("%2", where)));
        EXPECT_TRUE(boxes.Details()[0].startsWith("Form Email, cmdZip_Click\r\nError Number "))
            << boxes.Details()[0].toStdString();
    }
    const ErrorTextParts memory =
        SystemZipFailure({kErrOutOfMemory, "Out of memory", {}, {}, {}}, "/p/CV550.ZIP", "Form Email");
    EXPECT_EQ(memory.plain, told.arg("/p/CV550.ZIP", "there was not enough memory"));
    EXPECT_EQ(memory.technical, "Form Email\r\nError Number 7\r\nOut of memory\r\nsSQL=");
}

// A full disk is said in the plain box, as every full disk is, and leaves no file behind: the program's
// folder, where the archive is written, or the temporary folder, where the database copy is made; each
// named, since it may not be the database's disk.
TEST_F(ZipTest, AFullDiskIsSaidInThePlainBoxAndLeavesNoFile) {
    const QByteArray oldTemp = qgetenv("TMPDIR");
    for (const bool temporary : {false, true}) {
        SCOPED_TRACE(temporary ? "temporary folder" : "program folder");
        test::SmallFileSystem disk("512k");
        if (!disk.Ready()) GTEST_SKIP() << "no small file system can be mounted here";
        if (temporary) {
            qputenv("TMPDIR", QFile::encodeName(disk.Path()));
        } else {
            ASSERT_TRUE(QFile::copy(IniFilePath(), disk.Path() + "/Connect.ini"));
            SetProgramFolder(disk.Path());
        }
        test::FillDisk(disk.Path() + "/filler");
        Ctx().bErrorReport = true;
        ScriptedMsgBox boxes;
        ScriptedModal modal([&](QDialog& d) {
            auto& s = static_cast<frmEmail&>(d);
            s.cmdZip->click();
            EXPECT_EQ(s.lstAttach->count(), 0);
            return 0;
        });
        OpenEmailScreen(Ctx(), "General", kSupportAddress);
        SetProgramFolder(folder.Path());
        qputenv("TMPDIR", oldTemp);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Last(),
                  "The disk is full: nothing was saved. Free some space on the disk (the one "
                  "that holds '" +
                      disk.Path() + "') and try again.");
        EXPECT_TRUE(boxes.Details()[0].startsWith("Form Email, cmdZip_Click\r\nError Number "))
            << boxes.Details()[0].toStdString();
        EXPECT_EQ(QDir(disk.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  temporary ? QStringList{"filler"} : (QStringList{"Connect.ini", "filler"}));
    }
}

TEST_F(ZipTest, FileNamesAreNeverPatternsAndEntriesHaveNoFolders) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("sub");
    for (const QString name : {"a.txt", "a[1].txt", "b.log", "sub/c.txt"}) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(name.toUtf8());
    }
    const QString archive = dir.filePath("out.zip");
    const QList<std::pair<QString, QStringList>> cases = {
        {"a[1].txt", {"a[1].txt"}},
        {"*.txt", {}},  // no file of that name
        {"sub", {"c.txt"}},
        {"b.log", {"b.log"}},  // the archive is replaced, not added to
    };
    for (const auto& [spec, entries] : cases) {
        SCOPED_TRACE(spec.toStdString());
        cZip job;
        job.SetZipFile(archive);
        job.AddFileSpec(dir.filePath(spec));
        if (entries.isEmpty()) {
            EXPECT_THROW(job.Zip(), AppError);
            continue;
        }
        job.Zip();
        EXPECT_EQ(ReadZip(archive).keys(), entries);
    }
}

// A database whose name holds brackets is archived; a mail that was to carry the archive is not sent
// while it cannot be made unless the golfer says so, and goes with it once it can.
TEST_F(ZipTest, SystemMailIsNotSentWithoutItsArchive) {
    folder.WriteIni(folder.OpenDatabase("Golf [2023].mdb"));
    Ctx().bErrorReport = true;
    const QByteArray ini = FileBytes(IniFilePath());
    QFile::remove(IniFilePath());  // the archive cannot be made when the screen opens
    ScriptedMsgBox boxes;
    test::MailRecorder mail;
    ScriptedModal modal([&](QDialog& d) {
        auto& s = static_cast<frmEmail&>(d);
        EXPECT_EQ(s.lstAttach->count(), 0);
        s.cmdSend->click();
        EXPECT_TRUE(mail.Messages().isEmpty());

        QFile file(IniFilePath());
        file.open(QIODevice::WriteOnly);
        file.write(ini);
        file.close();
        s.cmdZip->click();
        s.cmdSend->click();
        return d.result();
    });
    OpenEmailScreen(Ctx(), "System", kSupportAddress);
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_TRUE(boxes.Texts()[0].contains("Connect.ini")) << boxes.Texts()[0].toStdString();
    EXPECT_TRUE(
        boxes.Texts()[1].startsWith("This mail was to carry the archive of the system files, which "
                                    "could not be made: "))
        << boxes.Texts()[1].toStdString();
    EXPECT_TRUE(boxes.Texts()[1].contains("Send it without the archive?"));
    const auto sent = mail.Messages();
    ASSERT_EQ(sent.size(), 1);
    ASSERT_EQ(sent[0].attachments.size(), 1);
    EXPECT_EQ(sent[0].attachments[0].first, "CV550.ZIP");
    QTemporaryDir out;
    QFile copy(out.filePath("sent.zip"));
    copy.open(QIODevice::WriteOnly);
    copy.write(sent[0].attachments[0].second);
    copy.close();
    EXPECT_EQ(ReadZip(copy.fileName()).keys(), (QStringList{"Connect.ini", "Golf [2023].mdb"}));
}

// The golfer is asked once: a send that then fails is tried again without the question.
TEST_F(ZipTest, AfterAFailedArchiveTheGolferMaySendTheMailWithoutIt) {
    Ctx().bErrorReport = true;
    QFile::remove(IniFilePath());
    ScriptedMsgBox boxes;
    test::MailRecorder mail(1, 0);  // the first send is refused
    ScriptedModal modal([&](QDialog& d) {
        auto& s = static_cast<frmEmail&>(d);
        s.cmdZip->click();
        boxes.Push(vbYes);
        s.cmdSend->click();
        s.cmdSend->click();
        return d.result();
    });
    OpenEmailScreen(Ctx(), "General", kSupportAddress);
    ASSERT_EQ(boxes.Count(), 3);
    EXPECT_EQ(boxes.Buttons()[1], (QStringList{"Send without it", "Do not send"}));
    EXPECT_TRUE(boxes.Last().contains("refused the message")) << boxes.Last().toStdString();
    ASSERT_EQ(mail.Messages().size(), 1);
    EXPECT_TRUE(mail.Messages()[0].attachments.isEmpty());
}

}  // namespace
}  // namespace dc
