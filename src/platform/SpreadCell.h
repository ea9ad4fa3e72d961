#pragma once
// One cell of the spreadsheet grid: its content (text, tick, chosen list entry) and its settings
// (cell type, limits, alignment, colours, lock). Data cells, header-row cells and header-column
// cells are all SpreadCell items of the same table.

#include <QColor>
#include <QStringList>
#include <QTableWidgetItem>
#include <QVariant>
#include <map>
#include <optional>

namespace dc {

enum class SpreadCellType { Edit, StaticText, CheckBox, Integer, Float, ComboBox };
enum class SpreadHAlign { Left = 0, Right = 1, Center = 2 };
enum class SpreadSortBy { Row = 0, Col = 1 };
enum class SpreadSortOrder { None = 0, Ascending = 1, Descending = 2 };
enum class SpreadPrintOrientation { Portrait = 1, Landscape = 2 };

// The settings one can give to a cell, a column, a row or the whole grid.
enum class SpreadAttr {
    CellType,
    HAlign,
    CheckCenter,
    NumberMin,
    NumberMax,
    DecPlaces,
    MaxEditLen,
    ComboList,
    BackColor,
    ForeColor,
    Lock,
    FontBold,
};

struct SpreadCellFormat {
    SpreadCellType type = SpreadCellType::Edit;
    SpreadHAlign hAlign = SpreadHAlign::Left;
    bool checkCenter = false;
    std::optional<double> numberMin;
    std::optional<double> numberMax;
    int decPlaces = 2;   // decimal cells only
    int maxEditLen = 0;  // 0 = no limit
    QStringList comboList;
    QColor backColor;  // invalid = the grid's own colour
    QColor foreColor;
    bool locked = false;
    bool bold = false;

    void Apply(SpreadAttr attr, const QVariant& value);
};

// A setting recorded for cells created later (new rows or columns); the latest stamp wins.
struct SpreadSetting {
    quint64 stamp = 0;
    QVariant value;
};
using SpreadSettings = std::map<SpreadAttr, SpreadSetting>;

class SpreadCell : public QTableWidgetItem {
  public:
    enum class Kind { Data, ColHeader, RowHeader, Corner };

    explicit SpreadCell(Kind kind = Kind::Data);

    QVariant data(int role) const override;
    QTableWidgetItem* clone() const override;

    Kind kind() const { return kind_; }
    bool IsHeader() const { return kind_ != Kind::Data; }
    bool IsNumeric() const;

    // The text as the grid reports it: a check box gives "1" or "0", a list cell its chosen entry.
    QString Text() const;
    // Sets the content from a text: a check box is ticked by any non-zero number, a list cell
    // chooses the entry equal to the text (none when there is no such entry).
    void SetText(const QString& text);
    bool HasOwnText() const { return ownText_; }
    // What a header shows when it was given no text (row number, column letter).
    void SetDefaultText(const QString& text) { defaultText_ = text; }

    int Checked() const { return checked_; }
    void SetChecked(bool on) { checked_ = on ? 1 : 0; }
    int ComboSel() const { return comboSel_; }
    void SetComboSel(int index);
    void Clear();  // empties text, tick and list choice; the settings stay
    void Touch();  // tells the table that the cell's content or look changed

    SpreadCellFormat fmt;

  private:
    Kind kind_;
    QString text_;
    QString defaultText_;
    bool ownText_ = false;
    int checked_ = 0;
    int comboSel_ = -1;
    int version_ = 0;
};

}  // namespace dc
