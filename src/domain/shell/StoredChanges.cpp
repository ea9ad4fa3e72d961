#include "shell/StoredChanges.h"

namespace dc {

void StoredChanges::Note() {
    ++count_;
    if (posted_) return;
    posted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            posted_ = false;
            Q_EMIT Changed();
        },
        Qt::QueuedConnection);
}

}  // namespace dc
