#pragma once
// Keeping a window, its frame included, inside the available area of its screen.

#include <QObject>

class QWidget;

namespace dc {

// Moves the window inside the area; a resizable window larger than the area is made smaller first.
void KeepOnScreen(QWidget& window);

// Keeps the window it is installed on inside its screen whenever it is shown or laid out anew, and
// when the window manager frames it (its frame is known only once the window has been placed).
class OnScreen : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool framed_ = false;
};

}  // namespace dc
