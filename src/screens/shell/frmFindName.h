#pragma once
// The find-name dialog: the player search fills it with the matching names and gets back the chosen
// player's key (nothing when cancelled or closed).

#include <QDialog>
#include <optional>
#include <utility>
#include <vector>

class QListWidget;
class QPushButton;

namespace dc {

class frmFindName : public QDialog {
    Q_OBJECT
  public:
    explicit frmFindName(QWidget* parent = nullptr);

    // Shows the names (text, player key) modally; the chosen player's key, nothing when cancelled or closed.
    static std::optional<int> Choose(const std::vector<std::pair<QString, int>>& names, QWidget* parent);

    QListWidget* lstNames;
    QPushButton* cmdRetrieve;
    QPushButton* cmdCancel;

    void AddName(const QString& text, int playerId);

    // The chosen player's key: 0 until a name is clicked, and after Cancel or the close box.
    int FindPlayerID() const { return nFindPlayerID_; }

    void lstNames_Click();
    void lstNames_DblClick();
    void cmdRetrieve_Click();
    void cmdCancel_Click();

  protected:
    void reject() override;  // the close box and Escape act as Cancel

  private:
    // The key of the chosen row's player; 0 when no row is chosen.
    int ChosenPlayer() const;

    std::vector<int> playerIds_;  // the players of the list's rows, in order
    int nFindPlayerID_ = 0;
};

}  // namespace dc
