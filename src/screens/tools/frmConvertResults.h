#pragma once
// The closing message of a conversion too long for a message box: a short summary above the whole
// text, which scrolls, can be selected and copied, saved as a text file or printed.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace dc {

class frmConvertResults : public QDialog {
    Q_OBJECT
  public:
    frmConvertResults(const QString& summary, const QString& text, QWidget* parent = nullptr);

    QLabel* lblSummary;
    QPlainTextEdit* txtResults;
    QPushButton* cmdCopy;
    QPushButton* cmdSave;
    QPushButton* cmdPrint;
    QPushButton* cmdOK;

    void cmdCopy_Click();
    void cmdSave_Click();
    void cmdPrint_Click();
    // Writes the text to `path` whole or not at all; false when it could not be written.
    bool SaveTo(const QString& path) const;
};

}  // namespace dc
