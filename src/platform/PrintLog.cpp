#include "platform/PrintLog.h"

#include <algorithm>

namespace dc {

std::vector<PrintOp> PrintLog::OfKind(PrintOp::Kind kind) const {
    std::vector<PrintOp> found;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(found),
                 [kind](const PrintOp& op) { return op.kind == kind; });
    return found;
}

std::vector<PrintOp> PrintLog::Texts() const { return OfKind(PrintOp::Text); }

const PrintOp* PrintLog::Find(const QString& text) const {
    for (const PrintOp& op : ops)
        if (op.kind == PrintOp::Text && op.text == text) return &op;
    return nullptr;
}

QStringList PrintLog::TextsOn(int document, int page) const {
    QStringList texts;
    for (const PrintOp& op : ops)
        if (op.kind == PrintOp::Text && op.document == document && op.page == page) texts << op.text;
    return texts;
}

int PrintLog::DocumentCount() const {
    return static_cast<int>(
        std::count_if(ops.begin(), ops.end(), [](const PrintOp& op) { return op.kind == PrintOp::EndDoc; }));
}

int PrintLog::PageCount(int document) const {
    int pages = 0;
    for (const PrintOp& op : ops)
        if (op.document == document && op.kind != PrintOp::Orientation) pages = std::max(pages, op.page);
    return pages;
}

}  // namespace dc
