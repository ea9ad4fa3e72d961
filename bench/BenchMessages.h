#pragma once
// Message boxes of a benchmark run: each one is written to stderr and counted, since a run that
// raised any gives no clean figure.

#include <QString>
#include <cstdio>

#include "platform/MsgBox.h"

namespace dc {

// Installs the counting responder and returns the count it keeps.
inline int& CountMessageBoxes() {
    static int count = 0;
    SetMsgBoxResponder([](const QString& text, int, const QString&) {
        ++count;
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return static_cast<int>(vbOK);
    });
    return count;
}

}  // namespace dc
