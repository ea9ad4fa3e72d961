#include "shell/OnScreen.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace dc {

void KeepOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    QRect frame = window.frameGeometry();
    const QSize border = frame.size() - window.size();
    const QSize room = (area.size() - border).expandedTo(window.minimumSize());
    if (window.width() > room.width() || window.height() > room.height()) {
        window.resize(window.size().boundedTo(room));
        frame.setSize(window.size() + border);
    }
    frame.moveRight(std::min(frame.right(), area.right()));
    frame.moveBottom(std::min(frame.bottom(), area.bottom()));
    frame.moveLeft(std::max(frame.left(), area.left()));
    frame.moveTop(std::max(frame.top(), area.top()));
    if (frame.topLeft() != window.frameGeometry().topLeft()) window.move(frame.topLeft());
}

bool OnScreen::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool framing = !framed_ && (type == QEvent::Move || type == QEvent::Resize);
    if (type == QEvent::Show || type == QEvent::LayoutRequest || framing) {
        auto* window = static_cast<QWidget*>(watched);
        QMetaObject::invokeMethod(
            this,
            [this, window] {
                KeepOnScreen(*window);
                framed_ = framed_ || window->frameGeometry() != window->geometry();
            },
            Qt::QueuedConnection);
    }
    return false;
}

}  // namespace dc
