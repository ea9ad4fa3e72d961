#pragma once
// A grid that fits its screen's width: one column (a name) takes the width the other columns leave,
// and a text its column cuts shows whole as the cell's tooltip.

#include <QObject>

namespace dc {

class Spread;

class GridFit : public QObject {
  public:
    // `stretchCol` (1-based) is the column that gives and takes; it keeps at least `minimumTwips`.
    // Owned by the grid; fits again whenever the grid's visible width or another column's width changes.
    GridFit(Spread& grid, int stretchCol, int minimumTwips);
    void SetStretchColumn(int col, int minimumTwips);
    // Sizes the stretch column to what the other columns leave (call after they change).
    void Apply();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Spread& grid_;
    int col_, minimumTwips_;
    bool applying_ = false;
};

}  // namespace dc
