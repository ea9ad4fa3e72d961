#pragma once
// The find-name dialog: the player search fills it with the matching names; the chosen player's
// key is handed back in nFindPlayerID (0 when cancelled or closed).

#include <QDialog>
#include <vector>

class QListWidget;
class QPushButton;

namespace dc {

class AppContext;

class frmFindName : public QDialog {
    Q_OBJECT
  public:
    explicit frmFindName(AppContext& ctx, QWidget* parent = nullptr);

    QListWidget* lstNames;
    QPushButton* cmdRetrieve;
    QPushButton* cmdCancel;

    void AddName(const QString& text, int playerId);

    void lstNames_Click();
    void lstNames_DblClick();
    void cmdRetrieve_Click();
    void cmdCancel_Click();

  protected:
    void reject() override;  // the close box and Escape act as Cancel

  private:
    // The key of the chosen row's player; 0 when no row is chosen.
    int ChosenPlayer() const;

    AppContext& ctx_;
    std::vector<int> playerIds_;  // the players of the list's rows, in order
};

}  // namespace dc
