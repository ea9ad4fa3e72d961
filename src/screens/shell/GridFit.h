#pragma once
// Lists that fit their screen's width. A grid's name columns take the width its other columns
// leave (those as narrow as their texts, when asked), so that it never scrolls sideways; any list
// shows a text its column cuts whole as the cell's tooltip; a drop-down list opens as wide as its
// longest entry and shows a chosen entry its box cuts as the box's tooltip.

#include <QObject>
#include <vector>

class QAbstractItemView;
class QComboBox;
class QWidget;

namespace dc {

class Spread;

class GridFit : public QObject {
  public:
    struct Stretch {
        int col, minimumTwips;
    };
    // `stretchCol` (1-based) is the column that gives and takes; it keeps at least `minimumTwips`.
    // Owned by the grid; fits again whenever the grid's visible width or another column's width changes.
    GridFit(Spread& grid, int stretchCol, int minimumTwips);
    // Replaces the stretch columns (for a grid whose columns change meaning): the first gives and
    // takes, the others share with it as AddStretchColumn's do.
    void SetStretchColumns(std::vector<Stretch> columns);
    // A further column that shares what is left with the first: each gets what its texts need when
    // there is room, else its minimum and a share of the rest in proportion to what it lacks.
    void AddStretchColumn(int col, int minimumTwips);
    // Every shown column but the stretch columns as narrow as its header and texts allow.
    void NarrowOtherColumns();
    // Sizes the stretch columns to what the other columns leave (call after they change).
    void Apply();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Spread& grid_;
    std::vector<Stretch> stretch_;
    bool applying_ = false;
    bool IsStretch(int col) const;
};

// Shows the whole text of an item its column cuts as the item's tooltip (owned by the view).
void ShowCutTextsAsTips(QAbstractItemView& view);
// A list of names: never scrolls sideways; a name too long for it is cut with "..." and shown
// whole as its tooltip.
void FitList(QAbstractItemView& view);
// The drop-down opens as wide as its longest entry (up to the screen's width), and the box shows
// the chosen entry whole as its tooltip when it cuts it.
void FitComboBox(QComboBox& box);
// FitComboBox for every drop-down list of a screen.
void FitComboBoxes(QWidget& screen);

}  // namespace dc
