// The database layer against real encrypted files.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "platform/Database.h"
#include "platform/Val.h"
#include "shell/ProgramDb.h"

using namespace dc;

namespace {

int OpenError(const QString& path, const QString& password = kDBPassword) {
    try {
        Database::Open(path, password);
    } catch (const DbError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

TEST(Database, OpenRefusesWhatIsNotTheGolfersDatabase) {
    test::ProgramFolder folder;
    const QString good = folder.MakeDatabase();
    EXPECT_EQ(OpenError(good), 0);
    EXPECT_EQ(OpenError(folder.Path() + "/nothing.mdb"), kErrFileNotFound);
    EXPECT_FALSE(QFile::exists(folder.Path() + "/nothing.mdb")) << "opening must never create the file";
    EXPECT_EQ(OpenError(folder.Path() + "/no/such/folder/x.mdb"), kErrNotValidPath);
    EXPECT_EQ(OpenError(""), kErrNotValidPath);
    EXPECT_EQ(OpenError(folder.Path()), kErrNotValidPath);
    EXPECT_EQ(OpenError(good, "1234"), kErrBadPassword);

    QFile text(folder.Path() + "/notes.mdb");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("these are not rounds of golf\n");
    text.close();
    EXPECT_EQ(OpenError(text.fileName()), kErrBadFormat);
    EXPECT_EQ(QFile(text.fileName()).size(), 29) << "a refused file is left as it was";
}

TEST(Database, FileIsUnreadableWithoutThePassword) {
    test::ProgramFolder folder;
    const QString path = folder.MakeDatabase();
    QProcess p;
    p.start("sqlite3", {path, "SELECT count(*) FROM PLAYERS;"});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_NE(p.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("not a database"));
}

TEST(Database, FieldsByNameAndPositionNullAndKeys) {
    test::ProgramFolder folder;
    auto db = Database::Open(folder.MakeDatabase(), kDBPassword);
    auto nextKey = [&] {
        return static_cast<int>(Val(db->Scalar("Select Max(PLAYER_ID) as nMax From PLAYERS").toString())) + 1;
    };
    EXPECT_EQ(nextKey(), 1) << "an empty table gives key 1";

    Recordset add = db->OpenRecordset("PLAYERS");
    for (int id : {1, 2, 7}) {
        add.AddNew();
        add.SetField("PLAYER_ID", id);
        add.SetField("last_name", "O'Brien");  // names match without regard to case; stored as typed
        add.Update();
    }
    EXPECT_EQ(nextKey(), 8);

    Recordset rs = db->OpenRecordset(
        "Select PLAYER_ID, LAST_NAME, FIRST_NAME From PLAYERS Where LAST_NAME=? Order By PLAYER_ID Desc",
        {"O'Brien"});
    ASSERT_EQ(rs.RecordCount(), 3);
    EXPECT_FALSE(rs.Bof());
    EXPECT_EQ(rs.Fields("player_id").toInt(), 7);
    EXPECT_EQ(rs.Fields(1).str(), "O'Brien");
    EXPECT_TRUE(rs.Fields("FIRST_NAME").isNull());
    EXPECT_EQ(rs.Fields("FIRST_NAME").str(), "") << "Null reads as an empty text";
    rs.MoveLast();
    EXPECT_EQ(rs.Fields(0).toInt(), 1);
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_THROW(rs.Fields(0), DbError);
    EXPECT_THROW(rs.Fields("NO_SUCH"), DbError);

    Recordset none = db->OpenRecordset("Select * From PLAYERS Where PLAYER_ID=?", {99});
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_TRUE(none.Bof() && none.Eof());

    db->Execute("Delete From PLAYERS Where PLAYER_ID=?", {7});
    EXPECT_EQ(nextKey(), 3) << "a deleted largest key is given again";
}

TEST(Database, NumbersTextsAndErrors) {
    test::ProgramFolder folder;
    auto db = Database::Open(folder.MakeDatabase(), kDBPassword);
    db->Execute("Update SETUP Set XOFFSET=?, LABEL_STYLE=?", {0.125, "1"});
    Recordset rs = db->OpenRecordset("Select XOFFSET, LABEL_STYLE, SOUNDS From SETUP");
    EXPECT_DOUBLE_EQ(rs.Fields("XOFFSET").toDouble(), 0.125);
    EXPECT_EQ(rs.Fields("XOFFSET").str(), "0.125");
    EXPECT_EQ(rs.Fields("LABEL_STYLE").toInt(), 1);
    EXPECT_FALSE(rs.Fields("SOUNDS").toBool());

    try {
        db->Execute("Select * From NO_TABLE");
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.number(), kErrNoTable);
        EXPECT_EQ(e.statement(), "Select * From NO_TABLE");
    }
    EXPECT_THROW(db->Execute("Update SETUP Set XOFFSET=?"), DbError) << "a missing parameter is an error";
}

// A row read straight from the statement reads every kind of value as a recordset's Field does.
TEST(Database, StatementRowReadsAsAField) {
    test::ProgramFolder folder;
    auto db = Database::Open(folder.MakeDatabase(), kDBPassword);
    const QString sql = "Select NULL, 7, -3, 2.5, -2.5, 4.0, '12.6abc', '', ' 4', 'x', x'3378'";
    Recordset rs = db->OpenRecordset(sql);
    int rows = 0;
    db->ForEachStatementRow(sql, {}, [&](const StatementRow& row) {
        ++rows;
        ASSERT_EQ(row.FieldCount(), rs.FieldCount());
        for (int i = 0; i < row.FieldCount(); ++i) {
            const Field want = rs.Fields(i);
            EXPECT_EQ(row.Fields(i).isNull(), want.isNull()) << i;
            EXPECT_EQ(row.Fields(i).str(), want.str()) << i;
            EXPECT_EQ(row.Fields(i).toDouble(), want.toDouble()) << i;
            EXPECT_EQ(row.Fields(i).toInt(), want.toInt()) << i;
            EXPECT_EQ(row.Fields(i).toBool(), want.toBool()) << i;
        }
        EXPECT_THROW(row.Fields(row.FieldCount()), DbError);
    });
    EXPECT_EQ(rows, 1);
    EXPECT_THROW(db->ForEachStatementRow("Select * From NO_TABLE", {}, [](const StatementRow&) {}), DbError);
}

// The last statement is the one the database runs; a rollback after a failure leaves the failed one in it.
TEST(Database, TheFailedStatementIsKeptForTheErrorReport) {
    test::ProgramFolder folder;
    auto db = Database::Open(folder.MakeDatabase(), kDBPassword);
    db->Scalar("Select Count(*) From SETUP");
    EXPECT_EQ(db->LastStatement(), "Select Count(*) From SETUP");
    try {
        Database::Transaction unit(*db);
        db->Execute("Update SETUP Set NO_COLUMN=1");
        unit.Commit();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.statement(), "Update SETUP Set NO_COLUMN=1");
    }
    EXPECT_EQ(db->LastStatement(), "Update SETUP Set NO_COLUMN=1");
}

TEST(Database, TransactionsCommitOrLeaveEverythingAsItWas) {
    test::ProgramFolder folder;
    const QString path = folder.MakeDatabase();
    auto db = Database::Open(path, kDBPassword);
    try {
        Database::Transaction t(*db);
        db->Execute("Insert Into PLAYERS (PLAYER_ID) Values (1)");
        {
            Database::Transaction inner(*db);
            db->Execute("Insert Into PLAYERS (PLAYER_ID) Values (2)");
            inner.Commit();
        }
        db->Execute("Insert Into PLAYERS (PLAYER_ID) Values (1)");  // duplicate key: fails
        t.Commit();
    } catch (const DbError& e) {
        EXPECT_EQ(e.number(), kErrDuplicate);
    }
    EXPECT_EQ(db->Scalar("Select Count(*) From PLAYERS").toInt(), 0);

    {
        Database::Transaction t(*db);
        db->Execute("Insert Into PLAYERS (PLAYER_ID) Values (5)");
        t.Commit();
    }
    db.reset();
    auto again = Database::Open(path, kDBPassword);
    EXPECT_EQ(again->Scalar("Select Count(*) From PLAYERS").toInt(), 1);
}

TEST(Database, ProgramDatabaseCheck) {
    test::ProgramFolder folder;
    const QString other = folder.Path() + "/other.mdb";
    {
        auto db = Database::Create(other, kDBPassword);
        db->Execute("Create Table T (A INTEGER)");
    }
    try {
        OpenProgramDatabase(other);
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.number(), kErrBadFormat);
    }
    EXPECT_TRUE(IsBlankDatabasePath("/x/dbfiles/cv54blank.mdb"));
    EXPECT_TRUE(IsBlankDatabasePath("/x/MyCV54Blank.MDB.old"));
    EXPECT_FALSE(IsBlankDatabasePath("/x/Golf.mdb"));
}

TEST(Database, AFileHeldByAnotherProgramIsLockedNotForeign) {
    test::ProgramFolder folder;
    const test::ShortBusyTimeout shortWait;
    const QString path = folder.MakeDatabase();
    auto holder = Database::Open(path, kDBPassword);
    holder->Execute("BEGIN EXCLUSIVE");
    try {
        Database::Open(path, kDBPassword);
        FAIL() << "opened a locked file";
    } catch (const DbError& e) {
        EXPECT_EQ(e.number(), kErrLocked);
    }
    holder->Execute("COMMIT");
    EXPECT_NO_THROW(Database::Open(path, kDBPassword));
}
