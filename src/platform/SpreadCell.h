#pragma once
// One cell of the spreadsheet grid as the grid reports it: its content (text, tick, chosen list
// entry) and its settings (cell type, limits, alignment, colours, lock). The grid stores its cells
// in flat tables (SpreadModel); a SpreadCell is a copy taken from them. Data cells, header-row
// cells and header-column cells are read the same way.

#include <QColor>
#include <QStringList>
#include <QVariant>
#include <map>
#include <optional>

namespace dc {

enum class SpreadCellType { Edit, StaticText, CheckBox, Integer, Float, ComboBox };
enum class SpreadHAlign { Left = 0, Right = 1, Center = 2 };
enum class SpreadSortBy { Row = 0, Col = 1 };
enum class SpreadSortOrder { None = 0, Ascending = 1, Descending = 2 };
enum class SpreadPrintOrientation { Portrait = 1, Landscape = 2 };
enum class SpreadPrintWidths { OwnTexts, AcrossPage };

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

// A setting made for the grid, a column, a row or a cell; where several reach a cell, the latest
// stamp wins.
struct SpreadSetting {
    quint64 stamp = 0;
    QVariant value;
};
using SpreadSettings = std::map<SpreadAttr, SpreadSetting>;

class SpreadCell {
  public:
    enum class Kind { Data, ColHeader, RowHeader, Corner };

    explicit SpreadCell(Kind kind = Kind::Data);

    // Qt's display, edit, alignment, colour and font roles.
    QVariant data(int role) const;
    // The alignment, colour and font roles of a cell with these settings.
    static QVariant FormatData(const SpreadCellFormat& fmt, bool header, int role);

    Kind kind() const { return kind_; }
    bool IsHeader() const { return kind_ != Kind::Data; }
    bool IsNumeric() const;

    // The text as the grid reports it: a check box gives "1" or "0", a list cell its chosen entry.
    QString Text() const;
    // What the cell shows: a header's own text or else its row number or column letter; nothing
    // for a check box.
    QString ShownText() const;
    int Checked() const { return checked_; }
    int ComboSel() const;  // the chosen entry, -1 when none (or not in the list)

    SpreadCellFormat fmt;

  private:
    friend class SpreadModel;
    Kind kind_;
    QString text_;
    QString defaultText_;
    bool ownText_ = false;
    int checked_ = 0;
    int comboSel_ = -1;
};

}  // namespace dc
