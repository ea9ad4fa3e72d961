#include "shell/ShellDoc.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPdfDocument>
#include <QPdfView>
#include <QPointer>
#include <QScreen>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPdfPageNavigator>
#include <QPdfSelection>
#include <QRegularExpression>
#include <QShortcut>
#include <algorithm>

#include "platform/MsgBox.h"
#include "shell/ErrorReport.h"
#include "shell/OnScreen.h"

namespace dc {
namespace {

// The document in pages one under the other, as wide as the window, beside its chapters: a click
// on one shows its first page. Escape closes the window.
class HelpWindow : public QWidget {
  public:
    explicit HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
        setObjectName(QStringLiteral("HelpWindow"));
        setAttribute(Qt::WA_DeleteOnClose);
        setAttribute(Qt::WA_QuitOnClose, false);  // the program ends with its own windows
        setWindowTitle(MsgBoxTitle() + QStringLiteral(" Help"));
        chapters_ = new QListWidget(this);
        chapters_->setObjectName(QStringLiteral("HelpContents"));
        chapters_->setMaximumWidth(220);
        view_ = new QPdfView(this);
        view_->setDocument(new QPdfDocument(this));
        view_->setPageMode(QPdfView::PageMode::MultiPage);
        view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(chapters_);
        layout->addWidget(view_, 1);
        connect(chapters_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            view_->pageNavigator()->jump(item->data(Qt::UserRole).toInt() - 1, {}, view_->zoomFactor());
        });
        connect(chapters_, &QListWidget::itemActivated, chapters_, &QListWidget::itemClicked);
        new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
        // As large as the screen allows, the frame included.
        const QRect area = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
        resize(std::min(area.width(), 1000), area.height());
        installEventFilter(new OnScreen(this));
    }
    // False when the file is not a PDF that can be read.
    bool Load(const QString& path) {
        QPdfDocument& doc = *view_->document();
        if (doc.load(path) != QPdfDocument::Error::None) return false;
        // The contents page is among the first pages.
        for (int page = 0; page < std::min(doc.pageCount(), 3) && chapters_->count() == 0; ++page) {
            for (const HelpChapter& chapter : HelpContents(doc.getAllText(page).text())) {
                auto* item = new QListWidgetItem(chapter.title, chapters_);
                item->setData(Qt::UserRole, chapter.page);
            }
        }
        chapters_->setVisible(chapters_->count() > 0);
        return true;
    }

  private:
    QListWidget* chapters_;
    QPdfView* view_;
};

QPointer<HelpWindow>& OpenWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

}  // namespace

QList<HelpChapter> HelpContents(const QString& text) {
    QList<HelpChapter> chapters;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("[\\r\\n]+")));
    const qsizetype heading = lines.indexOf(QStringLiteral("Chapter Page"));
    if (heading < 0) return chapters;
    static const QRegularExpression entry(QStringLiteral("^(.*\\S)\\s+(\\d+)$"));
    for (qsizetype i = heading + 1; i < lines.size(); ++i) {
        const QRegularExpressionMatch m = entry.match(lines[i].trimmed());
        if (!m.hasMatch()) break;
        chapters.append({m.captured(1), m.captured(2).toInt()});
    }
    return chapters;
}

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
