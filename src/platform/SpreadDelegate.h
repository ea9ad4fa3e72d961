#pragma once
// Draws and edits the cells of a Spread by their cell type: text and number editors with their
// limits (a validator refuses letters and out-of-range numbers), a drop-down list for list cells,
// and a centred tick box for check-box cells, which are toggled by the grid itself.

#include <QStyledItemDelegate>
#include <optional>

namespace dc {

class Spread;

class SpreadDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    explicit SpreadDelegate(Spread* spread);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The text a number editor's input is stored as, or no value when the grid must refuse it
    // (not a number, outside the limits). An empty text is always accepted.
    static std::optional<QString> AcceptedNumber(const QString& typed, bool decimal,
                                                 std::optional<double> min, std::optional<double> max,
                                                 int decPlaces);

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    Spread* spread_;
};

}  // namespace dc
