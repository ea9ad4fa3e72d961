#pragma once
// Message boxes with the classic answer codes. The screens layer installs the window that shows a
// box; tests install a responder that records each text and gives scripted answers instead.

// The domain returns or throws its errors and asks nothing itself: its compilations define
// DC_DOMAIN_LAYER, so that a message box there fails to build.
#ifdef DC_DOMAIN_LAYER
#error "Message boxes belong to the screens: the domain returns or throws its errors"
#endif

#include <QString>
#include <QStringList>
#include <functional>

namespace dc {

// Buttons and icons (combined by addition), and the answers.
enum MsgStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};
enum MsgAnswer : int { vbOK = 1, vbCancel = 2, vbRetry = 4, vbYes = 6, vbNo = 7 };

// The title of every box that names none (the program sets it once at start).
void SetMsgBoxTitle(const QString& title);
QString MsgBoxTitle();

// The answer of a box closed without a button (the close box, the program ending): the one that
// changes nothing, vbNo for a box of only Yes and No, vbOK for a box of only OK, else vbCancel.
int UnansweredAnswer(int style);

// Shows the box and returns the answer. An empty title means MsgBoxTitle(). Without a window or a
// responder installed the box is unanswered (UnansweredAnswer).
int MsgBox(const QString& text, int style = vbOKOnly, const QString& title = QString());
// The same box with its buttons named for what they do: `buttons` replaces the captions of the
// style's buttons in their order (Yes, No for vbYesNo); the answers stay those of the style.
int MsgBox(const QString& text, int style, const QString& title, const QStringList& buttons);
// The captions given for the box being shown; empty for the standard ones.
QStringList MsgBoxButtons();
// The same box with technical lines that it shows only when asked (its details).
int MsgBoxWithDetails(const QString& text, const QString& details, int style,
                      const QString& title = QString());
// The details given for the box being shown; empty for other boxes.
QString MsgBoxDetails();

using MsgBoxResponder = std::function<int(const QString& text, int style, const QString& title)>;
// The window that shows a box (the screens layer installs it at start).
void SetMsgBoxWindow(MsgBoxResponder window);
// Replaces the window (an empty function restores it).
void SetMsgBoxResponder(MsgBoxResponder responder);

}  // namespace dc
