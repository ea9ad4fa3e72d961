#include "shell/ShellDoc.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPdfDocument>
#include <QPdfView>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/MsgBox.h"
#include "shell/ErrorReport.h"

namespace dc {
namespace {

// The document in pages one under the other, as wide as the window.
class HelpWindow : public QWidget {
  public:
    explicit HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
        setObjectName(QStringLiteral("HelpWindow"));
        setAttribute(Qt::WA_DeleteOnClose);
        setAttribute(Qt::WA_QuitOnClose, false);  // the program ends with its own windows
        setWindowTitle(MsgBoxTitle() + QStringLiteral(" Help"));
        view_ = new QPdfView(this);
        view_->setDocument(new QPdfDocument(this));
        view_->setPageMode(QPdfView::PageMode::MultiPage);
        view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
        const QRect area = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
        resize(std::min(area.width(), 820), area.height() * 4 / 5);
    }
    // False when the file is not a PDF that can be read.
    bool Load(const QString& path) { return view_->document()->load(path) == QPdfDocument::Error::None; }

  private:
    QPdfView* view_;
};

QPointer<HelpWindow>& OpenWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

}  // namespace

void ShellDoc(const QString& documentPath) {
    try {
        if (!QFileInfo::exists(documentPath)) {
            MsgBox("Help File: CV5.PDF not found", vbOKOnly);
            return;
        }
        // Opened from a modal window, the help belongs to it: otherwise the modal window would keep
        // it from being scrolled.
        QWidget* owner = QApplication::activeModalWidget();
        QPointer<HelpWindow>& window = OpenWindow();
        if (window && window->parentWidget() != owner) {
            window->deleteLater();
            window = nullptr;
        }
        if (!window) {
            window = new HelpWindow(owner);
            if (!window->Load(documentPath)) {
                window->deleteLater();
                window = nullptr;
                MsgBox("The help document " + QDir::toNativeSeparators(documentPath) + " cannot be read.",
                       vbOKOnly);
                return;
            }
        }
        window->show();
        window->raise();
        window->activateWindow();
    } catch (...) {
        ReportCurrentError("Global, ShellDoc", Sql::Without);
    }
}

}  // namespace dc
