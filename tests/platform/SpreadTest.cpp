// The grid control: addressing and block settings, rows added and removed, typed cells refusing
// bad input in a real editor, check boxes, events raised by the user only, LeaveCell with cancel
// and redirection, Tab movement with Advance, sorting whole rows, moving rows, printing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPrinter>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <utility>

#include "TestSupport.h"
#include "platform/PrintJob.h"
#include "platform/Spread.h"

using namespace dc;

namespace {

// A shown window holding a grid and a line edit, so that focus and keys behave as on screen.
class SpreadFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        auto* layout = new QHBoxLayout(&window);
        sp = new Spread(&window);
        other = new QLineEdit(&window);
        layout->addWidget(sp);
        layout->addWidget(other);
        window.resize(900, 500);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QObject::connect(sp, &Spread::Change, [this](int c, int r) { changes.push_back({c, r}); });
        QObject::connect(sp, &Spread::LeaveCell, [this](int c, int r, int nc, int nr, bool& cancel) {
            leaves.push_back({c, r, nc, nr});
            if (onLeave) onLeave(c, r, nc, nr, cancel);
        });
    }

    // Keys go where the focus is, as they would from the keyboard.
    QWidget* Focus() { return QApplication::focusWidget() ? QApplication::focusWidget() : sp; }
    void Type(const QString& text) {
        for (QChar ch : text) QTest::keyClick(Focus(), ch.toLatin1());
    }
    // Enter stores an edit through the event queue, so the queue is run after each key.
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(Focus(), key, mods);
        QApplication::processEvents();
    }
    QPoint CellCenter(int col, int row) {
        return sp->visualRect(sp->model()->index(row - 1, col - 1)).center();
    }
    void ClickCell(int col, int row) {
        QTest::mouseClick(sp->viewport(), Qt::LeftButton, {}, CellCenter(col, row));
    }
    void StartAt(int col, int row) {
        sp->setFocus();
        sp->SetActiveCell(col, row);
        leaves.clear();
        changes.clear();
    }

    // Columns 1-3 (2 locked), rows 1-3, numbers 1 to 99 everywhere.
    void SmallNumberGrid() {
        sp->SetMaxCols(3);
        sp->SetMaxRows(3);
        sp->SetCol(-1);
        sp->SetRow(-1);
        sp->SetCellType(SpreadCellType::Integer);
        sp->SetTypeNumberMin(1);
        sp->SetTypeNumberMax(99);
        sp->SetCol(2);
        sp->SetLock(true);
    }

    QWidget window;
    Spread* sp = nullptr;
    QLineEdit* other = nullptr;
    std::vector<std::pair<int, int>> changes;
    std::vector<std::array<int, 4>> leaves;
    std::function<void(int, int, int, int, bool&)> onLeave;
};

}  // namespace

// ---------------------------------------------------------------- addressing, size, settings

// Colours are QColor values: a bare &HBBGGRR-style number does not compile, so that 0xFF0000
// cannot quietly become red where blue was meant.
template <typename T>
concept TakesBackColor = requires(Spread& sp, T value) {
    sp.SetBackColor(value);
};
static_assert(TakesBackColor<QColor> && TakesBackColor<Qt::GlobalColor>);
static_assert(!TakesBackColor<int> && !TakesBackColor<unsigned> && !TakesBackColor<long>);

TEST_F(SpreadFixture, BlockSettingsReachOnlyTheBlock) {
    sp->SetMaxCols(21);
    sp->SetMaxRows(8);
    sp->SetCol(1);
    sp->SetCol2(9);
    sp->SetRow(4);
    sp->SetRow2(5);
    sp->SetBlockMode(true);
    sp->SetCellType(SpreadCellType::Integer);
    sp->SetTypeHAlign(SpreadHAlign::Center);
    sp->SetBackColor(Spread::VbColor(0xFFFF00));
    sp->SetBlockMode(false);

    sp->SetCol(9);
    sp->SetRow(5);
    EXPECT_EQ(sp->CellType(), SpreadCellType::Integer);
    EXPECT_EQ(sp->TypeHAlign(), SpreadHAlign::Center);
    EXPECT_EQ(sp->BackColor(), QColor(0, 255, 255)) << "&HFFFF00 is cyan";
    sp->SetCol(10);
    EXPECT_EQ(sp->CellType(), SpreadCellType::Edit) << "outside the block";
    sp->SetCol(1);
    sp->SetRow(3);
    EXPECT_EQ(sp->CellType(), SpreadCellType::Edit);

    // Without BlockMode only the cell Col, Row is set even when Col2/Row2 say more.
    sp->SetCol(1);
    sp->SetRow(1);
    sp->SetCol2(5);
    sp->SetRow2(5);
    sp->SetLock(true);
    EXPECT_TRUE(sp->Lock());
    sp->SetCol(2);
    EXPECT_FALSE(sp->Lock());
}

TEST_F(SpreadFixture, HeaderTextsAndWidths) {
    sp->SetMaxCols(3);
    sp->SetMaxRows(2);
    sp->SetCellText(1, 0, "Out");
    sp->SetCellText(0, 2, "Gross");
    sp->SetCellText(0, 0, "Gm#");
    EXPECT_EQ(sp->CellText(1, 0), "Out");
    EXPECT_EQ(sp->CellText(0, 2), "Gross");
    EXPECT_EQ(sp->CellText(0, 0), "Gm#");
    EXPECT_EQ(sp->CellText(0, 1), "") << "a row header without text reports none";
    EXPECT_EQ(sp->model()->headerData(0, Qt::Vertical).toString(), "1") << "but shows its row number";
    EXPECT_EQ(sp->model()->headerData(1, Qt::Vertical).toString(), "Gross");

    sp->SetColWidth(2, 330);
    EXPECT_EQ(sp->columnWidth(1), 22) << "15 twips to a pixel";
    EXPECT_EQ(sp->ColWidth(2), 330);
    sp->SetColWidth(2, 0);
    EXPECT_TRUE(sp->isColumnHidden(1));
    EXPECT_EQ(sp->ColWidth(2), 0);
    sp->SetColWidth(2, 900);
    EXPECT_FALSE(sp->isColumnHidden(1));
    sp->SetColWidth(0, 880);
    EXPECT_EQ(sp->ColWidth(0), 880);
    sp->SetColWidth(0, 0);
    EXPECT_TRUE(sp->verticalHeader()->isHidden());

    // A two-line header needs more height than one line, and the header row takes it.
    sp->SetColWidth(3, 900);
    sp->SetCellText(3, 0, "Men's Course Rating");
    sp->SetCol(1);
    sp->SetRow(0);
    const int oneLine = sp->MaxTextCellHeight();
    sp->SetCol(3);
    const int twoLines = sp->MaxTextCellHeight();
    EXPECT_GT(twoLines, oneLine);
    sp->SetRowHeight(0, twoLines);
    EXPECT_EQ(sp->RowHeight(0) / 15, twoLines / 15);
}

TEST_F(SpreadFixture, MaxRowsKeepsOrDiscardsContents) {
    sp->SetMaxCols(2);
    sp->SetMaxRows(3);
    sp->SetCellText(1, 1, "a");
    sp->SetCellText(2, 3, "c");
    sp->SetCellText(0, 3, "label");
    sp->SetMaxRows(5);
    EXPECT_EQ(sp->CellText(1, 1), "a");
    EXPECT_EQ(sp->CellText(2, 3), "c");
    EXPECT_EQ(sp->CellText(1, 5), "");
    sp->SetMaxRows(2);
    EXPECT_EQ(sp->MaxRows(), 2);
    EXPECT_EQ(sp->CellText(1, 1), "a");
    EXPECT_EQ(sp->CellText(2, 3), "") << "outside the grid";
    sp->SetMaxRows(3);
    EXPECT_EQ(sp->CellText(2, 3), "") << "a row added again starts empty";
    EXPECT_EQ(sp->CellText(0, 3), "");
    sp->SetMaxCols(1);
    sp->SetMaxCols(2);
    EXPECT_EQ(sp->CellText(1, 1), "a");
    EXPECT_EQ(sp->CellText(2, 1), "");
}

// Removing rows (columns) stores the open edit first; its Change handler may resize the grid
// itself, and the size asked for afterwards must still come with cells everywhere.
TEST_F(SpreadFixture, ResizingUnderAnEditWhoseChangeHandlerResizesToo) {
    sp->SetMaxCols(3);
    sp->SetMaxRows(5);
    bool resized = false;
    QObject::connect(sp, &Spread::Change, [&](int, int) {
        if (!std::exchange(resized, true)) sp->SetMaxRows(1);
    });
    StartAt(1, 5);
    Type("3");
    ASSERT_TRUE(sp->IsEditing());
    sp->SetMaxRows(2);
    EXPECT_TRUE(resized);
    EXPECT_FALSE(sp->IsEditing());
    EXPECT_EQ(sp->MaxRows(), 2);
    for (int c = 0; c <= 3; ++c) EXPECT_TRUE(sp->CellAt(c, 2).has_value()) << "column " << c;
    sp->SetCellText(1, 2, "7");
    EXPECT_EQ(sp->CellText(1, 2), "7");

    resized = false;
    QObject::disconnect(sp, &Spread::Change, nullptr, nullptr);
    QObject::connect(sp, &Spread::Change, [&](int, int) {
        if (!std::exchange(resized, true)) sp->SetMaxCols(1);
    });
    StartAt(3, 1);
    Type("4");
    sp->SetMaxCols(2);
    EXPECT_TRUE(resized);
    EXPECT_EQ(sp->MaxCols(), 2);
    for (int r = 0; r <= 2; ++r) EXPECT_TRUE(sp->CellAt(2, r).has_value()) << "row " << r;
}

TEST_F(SpreadFixture, ColumnSettingsReachRowsAddedLater) {
    sp->SetMaxCols(4);
    sp->SetMaxRows(0);
    // Laid out before there are rows, as the screens do.
    sp->SetRow(-1);
    sp->SetCol(3);
    sp->SetCellType(SpreadCellType::CheckBox);
    sp->SetCol(-1);
    sp->SetLock(true);  // the whole grid
    sp->SetCol(4);
    sp->SetLock(false);  // later than the grid setting: wins for column 4
    sp->SetRow(2);
    sp->SetCol(-1);
    sp->SetBackColor(Qt::yellow);  // row 2 only

    sp->SetMaxRows(3);
    EXPECT_EQ(sp->CellAt(3, 2)->fmt.type, SpreadCellType::CheckBox);
    EXPECT_TRUE(sp->CellAt(1, 1)->fmt.locked);
    EXPECT_FALSE(sp->CellAt(4, 3)->fmt.locked);
    EXPECT_FALSE(sp->CellAt(1, 2)->fmt.backColor.isValid()) << "row 2 did not exist yet";

    sp->SetRow(2);
    sp->SetCol(-1);
    sp->SetBackColor(Qt::yellow);
    EXPECT_EQ(sp->CellAt(1, 2)->fmt.backColor, QColor(Qt::yellow));
    EXPECT_FALSE(sp->CellAt(1, 1)->fmt.backColor.isValid());
    // Emptying and refilling (how a grid is reset) keeps column settings, not those of rows.
    sp->SetMaxRows(0);
    sp->SetMaxRows(3);
    EXPECT_EQ(sp->CellAt(3, 1)->fmt.type, SpreadCellType::CheckBox);
    EXPECT_FALSE(sp->CellAt(1, 2)->fmt.backColor.isValid());
}

TEST_F(SpreadFixture, ProgrammaticContentRaisesNoChange) {
    sp->SetMaxCols(3);
    sp->SetMaxRows(2);
    sp->SetCol(3);
    sp->SetRow(-1);
    sp->SetCellType(SpreadCellType::CheckBox);
    sp->SetCol(2);
    sp->SetCellType(SpreadCellType::ComboBox);
    sp->SetTypeComboBoxList("White\tBlue\tRed");

    sp->SetCol(1);
    sp->SetRow(1);
    sp->SetText("Pine Hills");
    sp->SetCellValue(3, 1, 1);
    sp->SetCellText(3, 2, "0");
    sp->SetCol(2);
    sp->SetTypeComboBoxCurSel(1);
    sp->ClearRange(1, 2, 1, 2);
    EXPECT_TRUE(changes.empty());

    EXPECT_EQ(sp->CellText(1, 1), "Pine Hills");
    EXPECT_EQ(sp->CellValue(3, 1), 1);
    EXPECT_EQ(sp->CellText(3, 1), "1");
    EXPECT_EQ(sp->CellValue(3, 2), 0);
    EXPECT_EQ(sp->CellText(2, 1), "Blue") << "a list cell reports its chosen entry";
    EXPECT_EQ(sp->TypeComboBoxCurSel(), 1);
    EXPECT_EQ(sp->TypeComboBoxList(), "White\tBlue\tRed");
    sp->SetTypeComboBoxList("Gold\tSilver");  // the choice stays while it is in the new list
    EXPECT_EQ(sp->CellText(2, 1), "Silver");
    sp->SetTypeComboBoxList("Gold");
    EXPECT_EQ(sp->TypeComboBoxCurSel(), -1);

    // ClearRange empties contents but keeps the cell types and headers.
    sp->SetCellText(1, 0, "Name");
    sp->ClearRange(-1, -1, -1, -1);
    EXPECT_EQ(sp->CellText(1, 1), "");
    EXPECT_EQ(sp->CellValue(3, 1), 0);
    EXPECT_EQ(sp->CellAt(3, 1)->fmt.type, SpreadCellType::CheckBox);
    EXPECT_EQ(sp->CellText(1, 0), "Name");
}

// ---------------------------------------------------------------- typing into cells

// A number the cell cannot take is refused with a message that names the range; the cursor and
// the editor stay, and the cell keeps what it had. An emptied cell is taken.
TEST_F(SpreadFixture, NumberCellsRefuseWhatTheyCannotTakeWithAMessage) {
    sp->SetMaxCols(3);
    sp->SetMaxRows(1);
    sp->SetCol(-1);
    sp->SetRow(-1);
    sp->SetCellType(SpreadCellType::Integer);
    sp->SetTypeNumberMin(1);
    sp->SetTypeNumberMax(99);
    sp->SetCol(2);
    sp->SetCellType(SpreadCellType::Float);
    sp->SetTypeNumberMin(0.1);
    sp->SetTypeNumberMax(99.9);
    sp->SetTypeFloatDecimalPlaces(1);
    struct Case {
        int col;
        QString typed, stored, range;  // range: a message naming it, empty when taken
    };
    const Case cases[] = {
        {1, "a", "5", "from 1 to 99"},
        {1, "0", "5", "from 1 to 99"},
        {1, "150", "5", "from 1 to 99"},
        {1, "-3", "5", "from 1 to 99"},
        {1, "15", "15", ""},
        {1, "", "", ""},
        {2, "x1,5", "5", "from 0.1 to 99.9"},
        {2, "105.5", "5", "from 0.1 to 99.9"},
        {2, "0", "5", "from 0.1 to 99.9"},
        {2, "7", "7.0", ""},
        {2, "72.5", "72.5", ""},
    };
    int sounds = 0;
    Spread::SetRefusalSound([&] { ++sounds; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        sp->SetCellText(c.col, 1, "5");
        StartAt(c.col, 1);
        test::ScriptedMsgBox box;
        Key(Qt::Key_Backspace);  // opens the editor and empties it
        Type(c.typed);
        Key(Qt::Key_Tab);
        EXPECT_EQ(sp->CellText(c.col, 1), c.stored);
        if (c.range.isEmpty()) {
            EXPECT_EQ(box.Count(), 0);
            EXPECT_EQ(sp->ActiveCol(), c.col + 1);
        } else {
            ASSERT_EQ(box.Count(), 1);
            EXPECT_TRUE(box.Last().contains(c.range)) << box.Last().toStdString();
            EXPECT_EQ(sp->ActiveCol(), c.col) << "the cursor stays";
            EXPECT_TRUE(sp->IsEditing()) << "the typing stays to be mended";
            ClickCell(3, 1);
            EXPECT_EQ(box.Count(), 2) << "a click elsewhere is refused too";
            EXPECT_EQ(sp->ActiveCol(), c.col);
            Key(Qt::Key_Escape);
        }
    }
    EXPECT_EQ(sounds, 14) << "each refusal makes the warning sound";
    Spread::SetRefusalSound({});

    // A text cell takes at most its length.
    sp->SetCol(3);
    sp->SetCellType(SpreadCellType::Edit);
    sp->SetTypeMaxEditLen(5);
    StartAt(3, 1);
    Type("Championship");
    Key(Qt::Key_Return);
    EXPECT_EQ(sp->CellText(3, 1), "Champ") << "the text length limit";
}

// Keys typed with no pause after a click on the active cell, or on another cell, all land in the
// cells they were typed for: no key is lost to a delayed editor or to a search of the grid.
TEST_F(SpreadFixture, KeysTypedRightAfterAClickLandInOrder) {
    sp->SetMaxCols(4);
    sp->SetMaxRows(2);
    sp->SetCol(-1);
    sp->SetRow(-1);
    sp->SetCellType(SpreadCellType::Integer);
    sp->SetRow(1);
    sp->SetLock(true);
    for (int c = 1; c <= 4; ++c) sp->SetCellText(c, 1, QString::number(3 + c));  // 4 5 6 7
    struct Case {
        int clickCol;
        bool clickActive;  // the clicked cell is already the active one
    };
    for (const Case c : {Case{1, true}, Case{1, false}, Case{2, true}}) {
        sp->ClearRange(1, 2, 4, 2);
        StartAt(c.clickActive ? c.clickCol : 4, 2);
        ClickCell(c.clickCol, 2);
        for (const char* key : {"5", "\t", "6", "\t", "4"}) {
            if (*key == '\t')
                QTest::keyClick(Focus(), Qt::Key_Tab);
            else
                QTest::keyClick(Focus(), *key);
        }
        QTest::keyClick(Focus(), Qt::Key_Return);
        QApplication::processEvents();
        QStringList row;
        for (int col = 1; col <= 4; ++col) row << sp->CellText(col, 2);
        QStringList expected = {"", "", "", ""};
        for (int i = 0; i < 3; ++i) expected[c.clickCol - 1 + i] = QString("564")[i];
        EXPECT_EQ(row, expected) << c.clickCol << " " << c.clickActive;
        EXPECT_EQ(sp->ActiveRow(), 2);
    }
}

TEST_F(SpreadFixture, KeyPressCanReplaceOrDropTypedCharacters) {
    sp->SetMaxCols(1);
    sp->SetMaxRows(1);
    QObject::connect(sp, &Spread::KeyPress, [](int& key) {
        if (key == '\'' || key == '"') key = '`';
        if (key == '#') key = 0;
    });
    StartAt(1, 1);
    Type("'O#Neil\"s");
    Key(Qt::Key_Return);
    EXPECT_EQ(sp->CellText(1, 1), "`ONeil`s");
}

TEST_F(SpreadFixture, ListCellChoiceByTheUserRaisesChange) {
    sp->SetMaxCols(1);
    sp->SetMaxRows(1);
    sp->SetCol(1);
    sp->SetRow(1);
    sp->SetCellType(SpreadCellType::ComboBox);
    sp->SetTypeComboBoxList("White\tBlue\tRed");
    StartAt(1, 1);
    sp->edit(sp->model()->index(0, 0));
    auto* combo = sp->viewport()->findChild<QComboBox*>();
    ASSERT_TRUE(combo);
    combo->setCurrentIndex(2);
    Q_EMIT combo->activated(2);
    QApplication::processEvents();
    EXPECT_EQ(sp->CellText(1, 1), "Red");
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_pair(1, 1));
}

// A screen closed or destroyed with an edit open: the edit is stored but no handler runs, as the
// screen that owns it may already be half destroyed.
TEST(Spread, ClosingWithAnOpenEditRaisesNoEvents) {
    for (bool destroyOnly : {false, true}) {
        int events = 0;
        auto* window = new QWidget;
        auto* sp = new Spread(window);
        new QLineEdit(window);
        window->show();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        sp->SetMaxCols(2);
        sp->SetMaxRows(2);
        QObject::connect(sp, &Spread::Change, [&events] { ++events; });
        QObject::connect(sp, &Spread::LeaveCell, [&events](int, int, int, int, bool&) { ++events; });
        sp->setFocus();
        sp->SetActiveCell(1, 1);
        QTest::keyClick(sp, 'x');
        ASSERT_TRUE(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        if (!destroyOnly) {
            window->close();
            EXPECT_EQ(sp->CellText(1, 1), "x") << "the edit is kept";
        }
        delete window;
        QApplication::processEvents();
        EXPECT_EQ(events, 0);
    }
}

TEST_F(SpreadFixture, AnEditSurvivesTheProgramLosingActivation) {
    sp->SetMaxCols(1);
    sp->SetMaxRows(1);
    StartAt(1, 1);
    Type("4");
    QApplication::setActiveWindow(nullptr);  // another program comes to the front
    QApplication::processEvents();
    EXPECT_EQ(sp->CellText(1, 1), "") << "not stored yet";
    EXPECT_TRUE(leaves.empty());
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(qobject_cast<QLineEdit*>(QApplication::focusWidget())) << "the editor is still open";
    Type("2");
    Key(Qt::Key_Return);
    EXPECT_EQ(sp->CellText(1, 1), "42");
    EXPECT_EQ(changes.size(), 1u);
}

// A screen closed from the taskbar while another program is active stores the open edit; it
// must still raise Change, or the screen would not know to ask about saving.
TEST_F(SpreadFixture, AnEditStoredWhileAnotherProgramIsActiveRaisesChange) {
    sp->SetMaxCols(2);
    sp->SetMaxRows(2);
    StartAt(1, 1);
    Type("72");
    QApplication::setActiveWindow(nullptr);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    sp->CommitEdit();
    EXPECT_EQ(sp->CellText(1, 1), "72");
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{1, 1}}));
    EXPECT_TRUE(leaves.empty()) << "the cell was not left";
}

TEST_F(SpreadFixture, EditSelectionLetsTypingReplaceOnlyPartOfTheText) {
    sp->SetMaxCols(1);
    sp->SetMaxRows(1);
    sp->SetCellText(1, 1, "52");
    StartAt(1, 1);
    sp->SetEditSelStart(0);
    sp->SetEditSelLength(1);
    Type("7");
    Key(Qt::Key_Return);
    EXPECT_EQ(sp->CellText(1, 1), "72");
    StartAt(1, 1);
    Type("9");  // the next edit replaces the whole text again
    Key(Qt::Key_Return);
    EXPECT_EQ(sp->CellText(1, 1), "9");
}

TEST_F(SpreadFixture, CtrlCCopiesTheSelectionAsTabbedText) {
    sp->SetMaxCols(3);
    sp->SetMaxRows(2);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c) sp->SetCellText(c, r, QString("%1%2").arg(QChar('a' + c - 1)).arg(r));
    StartAt(1, 1);
    sp->SetSelection(2, 1, 3, 2);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "b1\tc1\nb2\tc2\n");
}

// ---------------------------------------------------------------- check boxes

TEST_F(SpreadFixture, CheckBoxTogglesOnClickAndSpace) {
    sp->SetMaxCols(2);
    sp->SetMaxRows(2);
    sp->SetCol(-1);
    sp->SetRow(-1);
    sp->SetCellType(SpreadCellType::CheckBox);
    sp->SetTypeCheckCenter(true);
    sp->SetCol(2);
    sp->SetRow(2);
    sp->SetLock(true);
    std::vector<std::array<int, 3>> buttons;
    std::vector<std::pair<int, int>> clicks;
    QObject::connect(sp, &Spread::ButtonClicked, [&](int c, int r, bool down) {
        buttons.push_back({c, r, down ? 1 : 0});
    });
    QObject::connect(sp, &Spread::Click, [&](int c, int r) { clicks.push_back({c, r}); });
    StartAt(1, 1);

    ClickCell(1, 2);
    EXPECT_EQ(sp->CellValue(1, 2), 1);
    ClickCell(1, 2);
    EXPECT_EQ(sp->CellValue(1, 2), 0);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0], (std::array<int, 3>{1, 2, 1}));
    EXPECT_EQ(buttons[1], (std::array<int, 3>{1, 2, 0}));
    EXPECT_EQ(changes.size(), 2u);
    EXPECT_EQ(clicks.back(), std::make_pair(1, 2));

    ClickCell(2, 2);
    EXPECT_EQ(sp->CellValue(2, 2), 0) << "a locked box does not toggle";
    EXPECT_EQ(buttons.size(), 2u);

    sp->SetActiveCell(2, 1);
    Key(Qt::Key_Space);
    EXPECT_EQ(sp->CellValue(2, 1), 1);
    EXPECT_EQ(buttons.size(), 3u);

    sp->SetCellValue(1, 1, 1);
    EXPECT_EQ(buttons.size(), 3u) << "setting a value from code is no click";
}

// ---------------------------------------------------------------- moving the active cell

TEST_F(SpreadFixture, LeaveCellSeesTheTypedTextAndCanCancel) {
    SmallNumberGrid();
    StartAt(1, 1);
    QString seen;
    onLeave = [&](int c, int r, int, int, bool&) { seen = sp->CellText(c, r); };
    Type("7");
    Key(Qt::Key_Tab);
    EXPECT_EQ(seen, "7") << "the edit is stored before LeaveCell";
    ASSERT_EQ(leaves.size(), 1u);
    EXPECT_EQ(leaves[0], (std::array<int, 4>{1, 1, 3, 1})) << "Tab skips the locked column 2";
    EXPECT_EQ(sp->ActiveCol(), 3);
    ASSERT_EQ(changes.size(), 1u);

    onLeave = [](int, int, int, int, bool& cancel) { cancel = true; };
    Key(Qt::Key_Left);
    EXPECT_EQ(sp->ActiveCol(), 3) << "cancelled";
    EXPECT_EQ(sp->ActiveRow(), 1);
    ClickCell(1, 3);
    EXPECT_EQ(sp->ActiveCol(), 3) << "a click is cancelled too";
    EXPECT_EQ(sp->ActiveRow(), 1);
    EXPECT_EQ(leaves.back(), (std::array<int, 4>{3, 1, 1, 3}));

    onLeave = nullptr;
    ClickCell(1, 3);
    EXPECT_EQ(sp->ActiveCol(), 1);
    EXPECT_EQ(sp->ActiveRow(), 3);
}

TEST_F(SpreadFixture, LeaveCellHandlerCanSendTheCursorElsewhere) {
    sp->SetMaxCols(4);
    sp->SetMaxRows(2);
    StartAt(2, 1);
    // As the score grid does: never rest in column 3, go to column 4 instead.
    onLeave = [&](int, int row, int newCol, int, bool&) {
        if (newCol == 3) sp->SetActiveCell(4, row);
    };
    Key(Qt::Key_Tab);
    EXPECT_EQ(sp->ActiveCol(), 4);
    EXPECT_EQ(sp->ActiveRow(), 1);
    EXPECT_EQ(leaves.size(), 1u) << "the redirection raises no second LeaveCell";
    sp->SetActiveCell(1, 2);
    EXPECT_EQ(leaves.size(), 1u) << "moves made by code raise no LeaveCell";
}

TEST_F(SpreadFixture, FocusLeavingTheGridStoresTheEditAndRaisesLeaveCell) {
    SmallNumberGrid();
    int gotFocus = 0;
    QObject::connect(sp, &Spread::GotFocus, [&] { ++gotFocus; });
    other->setFocus();
    StartAt(3, 2);
    EXPECT_EQ(gotFocus, 1);
    Type("42");
    other->setFocus();
    EXPECT_EQ(sp->CellText(3, 2), "42");
    ASSERT_EQ(leaves.size(), 1u);
    EXPECT_EQ(leaves[0], (std::array<int, 4>{3, 2, -1, -1}));
}

TEST_F(SpreadFixture, TabSkipsLockedAndHiddenCellsWrapsAndAdvances) {
    SmallNumberGrid();  // column 2 locked
    sp->SetMaxCols(4);  // column 4 hidden
    sp->SetColWidth(4, 0);
    std::vector<bool> advances;
    QObject::connect(sp, &Spread::Advance, [&](bool next) { advances.push_back(next); });
    StartAt(1, 1);

    auto at = [&] { return std::make_pair(sp->ActiveCol(), sp->ActiveRow()); };
    Key(Qt::Key_Tab);
    EXPECT_EQ(at(), std::make_pair(3, 1));
    Key(Qt::Key_Tab);
    EXPECT_EQ(at(), std::make_pair(1, 2)) << "wraps to the next row past the hidden column";
    Key(Qt::Key_Backtab);
    EXPECT_EQ(at(), std::make_pair(3, 1));
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(at(), std::make_pair(1, 1));
    EXPECT_TRUE(advances.empty());

    Key(Qt::Key_Backtab);
    EXPECT_EQ(at(), std::make_pair(1, 1));
    ASSERT_EQ(advances.size(), 1u);
    EXPECT_FALSE(advances[0]);

    sp->SetActiveCell(3, 3);
    Type("9");  // Tab from inside an editor at the last cell
    Key(Qt::Key_Tab);
    EXPECT_EQ(sp->CellText(3, 3), "9");
    EXPECT_EQ(at(), std::make_pair(3, 3));
    ASSERT_EQ(advances.size(), 2u);
    EXPECT_TRUE(advances[1]);
    EXPECT_TRUE(sp->hasFocus()) << "the Advance handler decides where the focus goes";
}

// Code hiding the column or row being edited stores the edit; the active cell stays where it was
// and no LeaveCell or Advance is raised, as nobody pressed Tab.
TEST_F(SpreadFixture, HidingTheEditedColumnOrRowStoresTheEditWithoutMoving) {
    sp->SetMaxCols(4);
    sp->SetMaxRows(3);
    int advances = 0;
    QObject::connect(sp, &Spread::Advance, [&](bool) { ++advances; });
    auto at = [&] { return std::make_pair(sp->ActiveCol(), sp->ActiveRow()); };

    StartAt(2, 1);
    Type("4");
    ASSERT_TRUE(sp->IsEditing());
    sp->SetColWidth(2, 0);
    QApplication::processEvents();
    EXPECT_EQ(sp->CellText(2, 1), "4");
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{2, 1}}));
    EXPECT_TRUE(leaves.empty());
    EXPECT_EQ(at(), std::make_pair(2, 1));
    EXPECT_TRUE(sp->hasFocus());

    sp->SetColWidth(2, 900);
    StartAt(4, 3);  // the last cell: a Tab here would raise Advance
    Type("5");
    sp->SetColWidth(4, 0);
    QApplication::processEvents();
    EXPECT_EQ(sp->CellText(4, 3), "5");
    EXPECT_EQ(advances, 0);
    EXPECT_TRUE(leaves.empty());
    EXPECT_EQ(at(), std::make_pair(4, 3));

    sp->SetColWidth(4, 900);
    StartAt(3, 2);
    Type("6");
    sp->SetRowHeight(2, 0);
    QApplication::processEvents();
    EXPECT_EQ(sp->CellText(3, 2), "6");
    EXPECT_TRUE(leaves.empty());
    EXPECT_EQ(at(), std::make_pair(3, 2));
    EXPECT_FALSE(sp->IsEditing());
}

// Scores typed on the keypad, 5 Enter 6 Enter 4 Enter, land in three cells: Enter stores the
// cell and moves on as Tab does, past locked cells and on to the next row; an Enter on a cell
// without typing moves on too.
TEST_F(SpreadFixture, EnterStoresTheCellAndMovesOnAsTab) {
    SmallNumberGrid();
    StartAt(1, 1);
    for (const char* typed : {"5", "6", "4"}) {
        Type(typed);
        Key(Qt::Key_Enter, Qt::KeypadModifier);
    }
    EXPECT_EQ(sp->CellText(1, 1), "5");
    EXPECT_EQ(sp->CellText(3, 1), "6") << "the locked column is passed";
    EXPECT_EQ(sp->CellText(1, 2), "4");
    EXPECT_EQ(changes.size(), 3u);
    EXPECT_EQ(leaves.size(), 3u) << "each move asks LeaveCell";
    EXPECT_EQ(std::make_pair(sp->ActiveCol(), sp->ActiveRow()), std::make_pair(3, 2));
    Key(Qt::Key_Return);
    EXPECT_EQ(std::make_pair(sp->ActiveCol(), sp->ActiveRow()), std::make_pair(1, 3));
}

TEST_F(SpreadFixture, WithoutAdvanceHandlerTabLeavesTheGrid) {
    sp->SetMaxCols(1);
    sp->SetMaxRows(1);
    StartAt(1, 1);
    Key(Qt::Key_Tab);
    EXPECT_TRUE(other->hasFocus());
}

// ---------------------------------------------------------------- selection

TEST_F(SpreadFixture, RowHeaderClickSelectsAWholeRow) {
    sp->SetMaxCols(3);
    sp->SetMaxRows(4);
    std::vector<std::array<int, 4>> blocks;
    std::vector<std::pair<int, int>> clicks;
    QObject::connect(sp, &Spread::BlockSelected, [&](int c, int r, int c2, int r2) {
        blocks.push_back({c, r, c2, r2});
    });
    QObject::connect(sp, &Spread::Click, [&](int c, int r) { clicks.push_back({c, r}); });
    StartAt(1, 1);
    QHeaderView* rows = sp->verticalHeader();
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                      QPoint(rows->width() / 2, rows->sectionViewportPosition(2) + rows->sectionSize(2) / 2));
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0], (std::array<int, 4>{-1, 3, -1, 3}));
    ASSERT_FALSE(clicks.empty());
    EXPECT_EQ(clicks.back(), std::make_pair(0, 3));
    EXPECT_EQ(sp->ActiveRow(), 3);

    QHeaderView* cols = sp->horizontalHeader();
    QTest::mouseClick(
        cols->viewport(), Qt::LeftButton, {},
        QPoint(cols->sectionViewportPosition(1) + cols->sectionSize(1) / 2, cols->height() / 2));
    EXPECT_EQ(blocks.back(), (std::array<int, 4>{2, -1, 2, -1}));
    EXPECT_EQ(clicks.back(), std::make_pair(2, 0));

    sp->SetSelection(-1, 2, -1, 2);
    const QItemSelection selected = sp->selectionModel()->selection();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0].height(), 1);
    EXPECT_EQ(selected[0].width(), 3);
    EXPECT_EQ(sp->ActiveRow(), 2) << "the active row follows the selected row";
    sp->ClearSelection();
    EXPECT_FALSE(sp->selectionModel()->hasSelection());
}

// LeaveCell comes with keyboard moves and clicks on a cell only: a drag across cells selects a
// block and keeps the active cell where it began; a header click selects without asking.
TEST_F(SpreadFixture, DragAndHeaderSelectionRaiseNoLeaveCell) {
    sp->SetMaxCols(6);
    sp->SetMaxRows(3);
    std::vector<std::array<int, 4>> blocks;
    QObject::connect(sp, &Spread::BlockSelected, [&](int c, int r, int c2, int r2) {
        blocks.push_back({c, r, c2, r2});
    });
    auto at = [&] { return std::make_pair(sp->ActiveCol(), sp->ActiveRow()); };
    StartAt(1, 1);
    QTest::mousePress(sp->viewport(), Qt::LeftButton, {}, CellCenter(1, 1));
    for (int c = 2; c <= 5; ++c) {
        const QPoint pos = CellCenter(c, 1);
        QMouseEvent move(QEvent::MouseMove, pos, sp->viewport()->mapToGlobal(pos), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(sp->viewport(), &move);
    }
    QTest::mouseRelease(sp->viewport(), Qt::LeftButton, {}, CellCenter(5, 1));
    EXPECT_TRUE(leaves.empty());
    EXPECT_EQ(at(), std::make_pair(1, 1));
    ASSERT_FALSE(blocks.empty());
    EXPECT_EQ(blocks.back(), (std::array<int, 4>{1, 1, 5, 1}));

    ClickCell(2, 2);
    EXPECT_EQ(leaves, (std::vector<std::array<int, 4>>{{1, 1, 2, 2}}));
    EXPECT_EQ(at(), std::make_pair(2, 2));

    leaves.clear();
    QHeaderView* cols = sp->horizontalHeader();
    QTest::mouseClick(
        cols->viewport(), Qt::LeftButton, {},
        QPoint(cols->sectionViewportPosition(3) + cols->sectionSize(3) / 2, cols->height() / 2));
    EXPECT_TRUE(leaves.empty());
    EXPECT_EQ(sp->ActiveCol(), 4);
    EXPECT_EQ(blocks.back(), (std::array<int, 4>{4, -1, 4, -1}));

    Key(Qt::Key_Down);
    ASSERT_EQ(leaves.size(), 1u) << "the keyboard still asks";
    EXPECT_EQ(leaves[0][2], 4);
}

TEST_F(SpreadFixture, MoveRowCarriesTheWholeRow) {
    sp->SetMaxCols(2);
    sp->SetMaxRows(4);
    for (int r = 1; r <= 4; ++r) {
        sp->SetCellText(1, r, QString("name%1").arg(r));
        sp->SetCellText(2, r, QString::number(r));
    }
    sp->SetCol(-1);
    sp->SetRow(4);
    sp->SetBackColor(Qt::yellow);
    sp->SetActiveCell(1, 4);
    sp->MoveRow(4, 3);
    EXPECT_EQ(sp->CellText(1, 3), "name4");
    EXPECT_EQ(sp->CellText(1, 4), "name3");
    EXPECT_EQ(sp->CellAt(2, 3)->fmt.backColor, QColor(Qt::yellow));
    EXPECT_EQ(sp->ActiveRow(), 3);
    sp->MoveRow(1, 4);
    QStringList order;
    for (int r = 1; r <= 4; ++r) order << sp->CellText(1, r);
    EXPECT_EQ(order.join(','), "name2,name4,name3,name1");
    EXPECT_EQ(sp->model()->headerData(0, Qt::Vertical).toString(), "1") << "row numbers stay in place";
}

// ---------------------------------------------------------------- sorting

namespace {
QStringList Column(Spread& sp, int col) {
    QStringList texts;
    for (int r = 1; r <= sp.MaxRows(); ++r) texts << sp.CellText(col, r);
    return texts;
}
}  // namespace

TEST_F(SpreadFixture, SortMovesWholeRowsByNumberOrText) {
    // Column 1 hidden key, 2 a name, 3 a number, 4 text holding digits.
    sp->SetMaxCols(4);
    sp->SetMaxRows(5);
    sp->SetColWidth(1, 0);
    sp->SetRow(-1);
    sp->SetCol(3);
    sp->SetCellType(SpreadCellType::Integer);
    sp->SetCol(4);
    sp->SetCellType(SpreadCellType::StaticText);
    const QStringList names{"smith", "Brown", "adams", "Clark", "Baker"};
    const QStringList numbers{"9", "10", "", "2", "10"};
    for (int r = 1; r <= 5; ++r) {
        sp->SetCellText(1, r, QString::number(100 + r));
        sp->SetCellText(2, r, names[r - 1]);
        sp->SetCellText(3, r, numbers[r - 1]);
        sp->SetCellText(4, r, numbers[r - 1]);
        sp->SetCellText(0, r, QString("G%1").arg(r));
    }

    sp->SetSortBy(SpreadSortBy::Row);
    sp->SetSortKey(1, 3);
    sp->SetSortKeyOrder(1, SpreadSortOrder::Ascending);
    sp->Sort(1, 1, sp->MaxCols(), sp->MaxRows());
    EXPECT_EQ(Column(*sp, 3).join(','), "2,9,10,10,") << "numbers as numbers, empty last";
    EXPECT_EQ(Column(*sp, 1).join(','), "104,101,102,105,103")
        << "hidden column moved; equal keys keep order";
    EXPECT_EQ(Column(*sp, 2).join(','), "Clark,smith,Brown,Baker,adams");
    EXPECT_EQ(sp->CellText(0, 1), "G1") << "the header column was outside the block";

    sp->SetSortKeyOrder(1, SpreadSortOrder::Descending);
    sp->Sort(1, 1, sp->MaxCols(), sp->MaxRows());
    EXPECT_EQ(Column(*sp, 3).join(','), "10,10,9,2,");
    EXPECT_EQ(Column(*sp, 1).join(','), "102,105,101,104,103");

    sp->Sort(1, 1, 4, 5, 4, SpreadSortOrder::Ascending);
    EXPECT_EQ(Column(*sp, 4).join(','), "10,10,2,9,") << "a text cell compares as text";

    sp->Sort(-1, -1, -1, -1, 2, SpreadSortOrder::Ascending);
    EXPECT_EQ(Column(*sp, 2).join(','), "adams,Baker,Brown,Clark,smith") << "case does not matter";
    EXPECT_EQ(sp->CellText(0, 1), "G5") << "with every column the header column moves too";
    EXPECT_EQ(sp->SortKey(1), 3) << "the direct form leaves the keys as they were";
    EXPECT_EQ(sp->SortKeyOrder(1), SpreadSortOrder::Descending);
}

TEST_F(SpreadFixture, SortByTheHeaderColumnAndByCheckBoxes) {
    sp->SetMaxCols(2);
    sp->SetMaxRows(3);
    sp->SetCol(0);
    sp->SetRow(-1);
    sp->SetCellType(SpreadCellType::Integer);
    sp->SetCol(1);
    sp->SetCellType(SpreadCellType::CheckBox);
    const int games[] = {7, 12, 3};
    for (int r = 1; r <= 3; ++r) {
        sp->SetCellText(0, r, QString::number(games[r - 1]));
        sp->SetCellValue(1, r, r == 2 ? 1 : 0);
        sp->SetCellText(2, r, QString("row%1").arg(r));
    }
    sp->Sort(0, 1, 2, 3, 0, SpreadSortOrder::Descending);
    EXPECT_EQ(Column(*sp, 0).join(','), "12,7,3");
    EXPECT_EQ(Column(*sp, 2).join(','), "row2,row1,row3");
    sp->Sort(1, 1, 2, 3, 1, SpreadSortOrder::Ascending);
    EXPECT_EQ(Column(*sp, 1).join(','), "0,0,1");
    EXPECT_EQ(Column(*sp, 2).join(','), "row1,row3,row2");
}

// A club's game list: 20,000 rows of 28 columns keep their texts, sort whole rows by a number
// column, and a column is as wide as its longest text even when that text is far down.
TEST_F(SpreadFixture, TwentyThousandRows) {
    constexpr int kRows = 20000, kCols = 28;
    sp->SetMaxCols(kCols);
    sp->SetCol(1);
    sp->SetRow(-1);
    sp->SetCellType(SpreadCellType::Integer);
    sp->SetReDraw(false);
    sp->SetMaxRows(kRows);
    for (int r = 1; r <= kRows; ++r) {
        sp->SetCellText(1, r, QString::number((r * 7919) % kRows));
        sp->SetCellText(2, r, QString("Player %1").arg(r));
        for (int c = 3; c <= kCols; ++c) sp->SetCellText(c, r, QString::number(c));
    }
    const QString longName = "Bartholomew Maximilian Fitzwilliam-Worthington-Smythe";
    sp->SetCellText(2, 15000, longName);
    sp->SetReDraw(true);
    EXPECT_EQ(sp->CellText(2, 1), "Player 1");
    EXPECT_EQ(sp->CellText(2, kRows), "Player 20000");
    EXPECT_EQ(sp->CellText(kCols, kRows), QString::number(kCols));
    const int longPixels = sp->fontMetrics().horizontalAdvance(longName);
    EXPECT_GE(sp->ColWidth(2), longPixels * Spread::kTwipsPerPixel);
    sp->SetColWidth(2, 300);
    EXPECT_GE(sp->ColWidth(2), longPixels * Spread::kTwipsPerPixel) << "a set width widens for it too";

    sp->Sort(-1, -1, -1, -1, 1, SpreadSortOrder::Descending);
    EXPECT_EQ(sp->CellText(1, 1), QString::number(kRows - 1));
    EXPECT_EQ(sp->CellText(1, kRows), "0");
    EXPECT_EQ(sp->CellText(2, kRows), "Player 20000") << "(20000 * 7919) % 20000 is 0: the row moved whole";
    EXPECT_EQ(sp->CellText(1, 2).toInt(), kRows - 2);
}

// A whole fill at once leaves the grid as a fill cell by cell does: texts, ticks, list choices,
// row headers and column widths.
TEST_F(SpreadFixture, AllRowsAtOnceAsCellByCell) {
    Spread* bulk = new Spread(&window);
    const QString longText = "Fitzwilliam-Worthington-Smythe, Bartholomew";
    for (Spread* grid : {sp, bulk}) {
        grid->SetMaxCols(4);
        grid->SetColWidth(2, 300);
        grid->SetCol(3);
        grid->SetRow(-1);
        grid->SetCellType(SpreadCellType::CheckBox);
        grid->SetCol(4);
        grid->SetCellType(SpreadCellType::ComboBox);
        grid->SetTypeComboBoxList("Red\tBlue");
        grid->SetMaxRows(5);
        grid->SetCellText(2, 5, longText + longText);  // the earlier fill is replaced whole
    }
    const std::vector<std::array<QString, 5>> rows = {
        {"G1", "a", longText, "1", "Blue"}, {"", "", "b", "0", ""}, {"G10", "c", "", "", "Red"}};
    for (Spread* grid : {sp, bulk}) {
        grid->SetMaxRows(0);
        grid->SetColWidth(2, 300);
    }
    sp->SetMaxRows(int(rows.size()));
    std::vector<QString> texts, headers;
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c <= 4; ++c)
            if (!rows[r][c].isEmpty()) sp->SetCellText(c, r + 1, rows[r][c]);
        headers.push_back(rows[r][0]);
        texts.insert(texts.end(), rows[r].begin() + 1, rows[r].end());
    }
    bulk->SetAllRows(texts, headers);
    ASSERT_EQ(bulk->MaxRows(), int(rows.size()));
    for (int r = 0; r <= int(rows.size()); ++r)
        for (int c = 0; c <= 4; ++c) {
            EXPECT_EQ(bulk->CellText(c, r), sp->CellText(c, r)) << c << "," << r;
            if (r > 0 && c > 0) {
                EXPECT_EQ(bulk->CellValue(c, r), sp->CellValue(c, r)) << c << "," << r;
            }
        }
    EXPECT_TRUE(bulk->CellValue(3, 1));
    for (int c = 0; c <= 4; ++c) EXPECT_EQ(bulk->ColWidth(c), sp->ColWidth(c)) << c;
    EXPECT_GE(bulk->ColWidth(2), bulk->fontMetrics().horizontalAdvance(longText) * Spread::kTwipsPerPixel);
}

// ---------------------------------------------------------------- drawing and printing

TEST_F(SpreadFixture, ReDrawSwitchesPaintingOffAndOn) {
    sp->SetReDraw(false);
    EXPECT_FALSE(sp->ReDraw());
    EXPECT_FALSE(sp->viewport()->updatesEnabled());
    sp->SetReDraw(true);
    EXPECT_TRUE(sp->ReDraw());
    EXPECT_TRUE(sp->viewport()->updatesEnabled());
}

TEST_F(SpreadFixture, PrintsTheSheetWithHeaders) {
    sp->SetMaxCols(3);
    sp->SetMaxRows(60);
    sp->SetCellText(1, 0, "Hole");
    sp->SetCellText(2, 0, "Secret");
    sp->SetColWidth(2, 0);
    sp->SetCellText(0, 1, "Gross");
    sp->SetCellText(1, 1, "47");
    sp->SetCellText(3, 60, "LastRow");
    sp->SetPrintOrientation(SpreadPrintOrientation::Portrait);
    sp->SetPrintJobName("Printing Individual Score Card");
    sp->SetPrintHeader("SMITH, JOHN A   Date: 05/14/2001");

    QTemporaryDir dir;
    test::EnvGuard pdf("DC_PRINT_PDF", (dir.path() + "/sheet.pdf").toUtf8());
    PrintJob job("Individual Score Card");
    ASSERT_TRUE(sp->PrintSheet(job));
    EXPECT_EQ(job.Printer().docName(), "Printing Individual Score Card");
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "pdftotext is not available";
    const QString text = dc::test::PdfText(dir.path() + "/sheet.pdf");
    EXPECT_TRUE(text.contains("SMITH, JOHN A")) << text.toStdString();
    EXPECT_TRUE(text.contains("Date: 05/14/2001"));
    EXPECT_TRUE(text.contains("Hole"));
    EXPECT_TRUE(text.contains("Gross"));
    EXPECT_TRUE(text.contains("47"));
    EXPECT_TRUE(text.contains("LastRow")) << "rows that do not fit go on further pages";
    EXPECT_FALSE(text.contains("Secret")) << "a hidden column is not printed";
}

// The printed columns take their widths from their own texts, not from the screen: a name the
// screen cuts prints whole, and so do a shorter text that is wider than the longest and the same
// text in bold; a text too long for the page even at the least size ends in "...".
TEST_F(SpreadFixture, PrintedColumnsFitTheirOwnTexts) {
    const QString name = "Montgomery-Featherstonehaugh-Worthington, Maximiliana Q";
    const QString endless = QString("Royal Westmoreland Country Club ").repeated(20);
    const QString wide = QString(12, 'm');
    sp->SetMaxCols(3);
    sp->SetMaxRows(3);
    sp->SetCellText(1, 1, name);
    sp->SetCellText(2, 2, endless);
    sp->SetCellText(3, 1, QString(20, 'i'));
    sp->SetCellText(3, 2, wide);
    sp->SetCellText(3, 3, wide);
    sp->Cells(3, 3).SetFontBold(true);
    sp->setColumnWidth(0, 40);  // as a fitted screen shows it
    QTemporaryDir dir;
    test::EnvGuard pdf("DC_PRINT_PDF", dir.filePath("sheet.pdf").toUtf8());
    PrintJob job("Sheet");
    ASSERT_TRUE(sp->PrintSheet(job));
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "pdftotext is not available";
    const QString text = dc::test::PdfText(dir.filePath("sheet.pdf")).simplified();
    EXPECT_TRUE(text.contains(name)) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("Royal Westmoreland.*\u2026"))) << text.toStdString();
    EXPECT_EQ(text.count(wide), 2) << text.toStdString();
}

// The disk refusing part of the PDF (as when it is full) is a failed printout, not a saved one.
TEST_F(SpreadFixture, PrintingToAPdfTheDiskCutsShortFails) {
    sp->SetMaxCols(5);
    sp->SetMaxRows(400);
    for (int r = 1; r <= 400; ++r)
        for (int c = 1; c <= 5; ++c) sp->SetCellText(c, r, QString("cell %1 %2").arg(c).arg(r));
    QTemporaryDir dir;
    test::EnvGuard pdf("DC_PRINT_PDF", dir.filePath("sheet.pdf").toUtf8());
    auto print = [&] {
        PrintJob job("Sheet");
        return sp->PrintSheet(job);
    };
    bool printed = true;
    {
        test::FileSizeLimit limit(3000);
        printed = print();
    }
    EXPECT_FALSE(printed);
    EXPECT_TRUE(print()) << "the same sheet prints with room on the disk";
    test::EnvGuard nowhere("DC_PRINT_PDF", "/nonexistent-folder/sheet.pdf");
    EXPECT_FALSE(print()) << "a file that cannot be made";
}
