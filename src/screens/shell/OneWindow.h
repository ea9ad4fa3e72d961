#pragma once
// The screens the main screen shows beside itself (the course editor, the settings screen) are one
// window each: asked for again, the open one comes to the front instead of a second one opening,
// whose later save would undo what the first one stored.

#include <QDialog>

namespace dc {

// Shows the window in front of the others and gives it the keyboard (again, when minimised).
void BringToFront(QWidget& window);

// Shows `screen` as a window of its own beside `owner` (its parent), not modal, gone once closed.
void ShowBeside(QDialog& screen);

// The open Screen among `owner`'s children brought to the front; false when none is open.
template <class Screen>
bool BringOpenToFront(const QObject& owner) {
    for (Screen* screen : owner.findChildren<Screen*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!screen->isVisible()) continue;  // closed, and deleted once control returns to the loop
        BringToFront(*screen);
        return true;
    }
    return false;
}

}  // namespace dc
