#include "platform/SpreadModel.h"

#include <algorithm>
#include <utility>

#include "platform/Val.h"

namespace dc {

namespace {

QString ColumnLetters(int col) {
    QString letters;
    for (int n = col; n > 0; n = (n - 1) / 26) letters.prepend(QChar('A' + (n - 1) % 26));
    return letters;
}

// The settings that reach a cell, applied oldest first over the cell's defaults.
SpreadCellFormat Fold(SpreadCellFormat fmt, std::initializer_list<const SpreadSettings*> sources) {
    std::vector<const std::pair<const SpreadAttr, SpreadSetting>*> entries;
    for (const SpreadSettings* settings : sources)
        if (settings)
            for (const auto& entry : *settings) entries.push_back(&entry);
    std::sort(entries.begin(), entries.end(),
              [](auto* a, auto* b) { return a->second.stamp < b->second.stamp; });
    for (const auto* entry : entries) fmt.Apply(entry->first, entry->second.value);
    return fmt;
}

SpreadCellFormat HeaderDefaults() {
    SpreadCellFormat fmt;
    fmt.hAlign = SpreadHAlign::Center;
    return fmt;
}

// Settings of one cell made before others of another level: each attribute keeps its latest.
void Merge(SpreadSettings& into, const SpreadSettings& from) {
    for (const auto& [attr, setting] : from) {
        auto it = into.find(attr);
        if (it == into.end() || it->second.stamp < setting.stamp) into[attr] = setting;
    }
}

}  // namespace

SpreadModel::SpreadModel(QObject* parent) : QAbstractTableModel(parent) { Resize(0, 0); }

// ---------------------------------------------------------------- size

void SpreadModel::Resize(int cols, int rows) {
    if (cols != cols_) {
        std::vector<QString> text(size_t(cols) * rows);
        std::vector<quint8> checked(text.size(), 0);
        std::vector<qint16> combo(text.size(), -1);
        const int keepCols = qMin(cols, cols_), keepRows = qMin(rows, rows_);
        for (int r = 1; r <= keepRows; ++r)
            for (int c = 1; c <= keepCols; ++c) {
                const size_t to = size_t(r - 1) * cols + (c - 1);
                text[to] = std::move(text_[At(c, r)]);
                checked[to] = checked_[At(c, r)];
                combo[to] = comboSel_[At(c, r)];
            }
        text_.swap(text);
        checked_.swap(checked);
        comboSel_.swap(combo);
    } else {
        text_.resize(size_t(cols) * rows);
        checked_.resize(text_.size(), 0);
        comboSel_.resize(text_.size(), -1);
    }
    if (cols < cols_ || rows < rows_)
        std::erase_if(cellSettings_, [cols, rows](const auto& entry) {
            return int(entry.first & 0xFFFFFFFF) > cols || int(entry.first >> 32) > rows;
        });
    cols_ = cols;
    rows_ = rows;
    colHead_.resize(cols + 1);
    rowHead_.resize(rows + 1);
    colSettings_.resize(cols + 1);
    rowSettings_.resize(rows + 1);
    colFormat_.assign(cols + 1, std::nullopt);
}

void SpreadModel::SetCols(int count) {
    count = qMax(0, count);
    if (count == cols_) return;
    if (count > cols_) {
        beginInsertColumns({}, cols_, count - 1);
        Resize(count, rows_);
        endInsertColumns();
    } else {
        beginRemoveColumns({}, count, cols_ - 1);
        for (int c = count + 1; c <= cols_; ++c) {
            colHead_[c].reset();
            colSettings_[c].clear();
        }
        Resize(count, rows_);
        endRemoveColumns();
    }
}

void SpreadModel::SetRows(int count) {
    count = qMax(0, count);
    if (count == rows_) return;
    if (count > rows_) {
        beginInsertRows({}, rows_, count - 1);
        Resize(cols_, count);
        endInsertRows();
    } else {
        beginRemoveRows({}, count, rows_ - 1);
        for (int r = count + 1; r <= rows_; ++r) {
            rowHead_[r].reset();
            rowSettings_[r].clear();
        }
        Resize(cols_, count);
        endRemoveRows();
    }
}

// ---------------------------------------------------------------- reading

const SpreadSettings* SpreadModel::CellSettings(int col, int row) const {
    if (cellSettings_.empty()) return nullptr;
    const auto it = cellSettings_.find(Key(col, row));
    return it == cellSettings_.end() ? nullptr : &it->second;
}

const SpreadCellFormat& SpreadModel::ColFormat(int col) const {
    std::optional<SpreadCellFormat>& fmt = colFormat_[col];
    if (!fmt) fmt = Fold(SpreadCellFormat(), {&gridSettings_, &colSettings_[col]});
    return *fmt;
}

const SpreadCellFormat& SpreadModel::DataFormat(int col, int row, SpreadCellFormat& scratch) const {
    if (rowSettings_[row].empty() && !CellSettings(col, row)) return ColFormat(col);
    scratch = Format(col, row);
    return scratch;
}

QString SpreadModel::HeaderText(int col, int row) const {
    const std::optional<QString>& own = row == 0 ? (col == 0 ? corner_ : colHead_[col]) : rowHead_[row];
    if (own) return *own;
    if (row == 0) return col == 0 ? QString() : ColumnLetters(col);
    return QString::number(row);
}

SpreadCellFormat SpreadModel::Format(int col, int row) const {
    const SpreadSettings* own = CellSettings(col, row);
    if (row == 0) return Fold(HeaderDefaults(), {col == 0 ? nullptr : &rowSettings_[0], own});
    if (col == 0) return Fold(HeaderDefaults(), {&colSettings_[0], own});
    if (!own && rowSettings_[row].empty()) return ColFormat(col);
    return Fold(SpreadCellFormat(), {&gridSettings_, &colSettings_[col], &rowSettings_[row], own});
}

SpreadCellType SpreadModel::TypeAt(int col, int row) const {
    if (col > 0 && row > 0 && rowSettings_[row].empty() && !CellSettings(col, row)) return ColFormat(col).type;
    return Format(col, row).type;
}

SpreadCell SpreadModel::Cell(int col, int row) const {
    using Kind = SpreadCell::Kind;
    SpreadCell cell(row == 0 ? (col == 0 ? Kind::Corner : Kind::ColHeader) : (col == 0 ? Kind::RowHeader : Kind::Data));
    cell.fmt = Format(col, row);
    const std::optional<QString>* own = nullptr;
    switch (cell.kind_) {
        case Kind::Data:
            cell.text_ = text_[At(col, row)];
            cell.checked_ = checked_[At(col, row)];
            cell.comboSel_ = comboSel_[At(col, row)];
            return cell;
        case Kind::ColHeader:
            own = &colHead_[col];
            cell.defaultText_ = ColumnLetters(col);
            break;
        case Kind::RowHeader:
            own = &rowHead_[row];
            cell.defaultText_ = QString::number(row);
            break;
        case Kind::Corner:
            own = &corner_;
            break;
    }
    cell.ownText_ = own->has_value();
    if (cell.ownText_) cell.text_ = **own;
    return cell;
}

QString SpreadModel::ShownText(int col, int row) const {
    if (col == 0 || row == 0) return HeaderText(col, row);
    SpreadCellFormat scratch;
    const SpreadCellFormat& fmt = DataFormat(col, row, scratch);
    switch (fmt.type) {
        case SpreadCellType::CheckBox:
            return {};
        case SpreadCellType::ComboBox: {
            const int sel = comboSel_[At(col, row)];
            return sel >= 0 && sel < fmt.comboList.size() ? fmt.comboList[sel] : QString();
        }
        default:
            return text_[At(col, row)];
    }
}

qsizetype SpreadModel::ShownLength(int col, int row) const {
    if (col > 0 && row > 0) {
        const SpreadCellType type = TypeAt(col, row);
        if (type != SpreadCellType::CheckBox && type != SpreadCellType::ComboBox) return text_[At(col, row)].size();
    } else if (col == 0 && row > 0 && rowHead_[row]) {
        return rowHead_[row]->size();
    }
    return ShownText(col, row).size();
}

bool SpreadModel::HasOwnText(int col, int row) const {
    if (row == 0) return (col == 0 ? corner_ : colHead_[col]).has_value();
    return col == 0 && rowHead_[row].has_value();
}

// Painting asks several roles of each visible cell: they are answered without copying the cell.
std::vector<int> SpreadModel::RowsToMeasure(int col, int sample) const {
    std::vector<int> rows;
    qsizetype longest = -1;
    auto consider = [&](int row, qsizetype length) {
        if (length == 0 || (int(rows.size()) >= sample && length <= longest)) return;
        rows.push_back(row);
        longest = qMax(longest, length);
    };
    // A text column without settings for rows or cells: its lengths are read straight from the table.
    const bool plain = col > 0 && cellSettings_.empty() &&
                       std::all_of(rowSettings_.begin() + 1, rowSettings_.end(), [](const auto& s) { return s.empty(); }) &&
                       ColFormat(col).type != SpreadCellType::CheckBox && ColFormat(col).type != SpreadCellType::ComboBox;
    for (int r = 1; r <= rows_; ++r) {
        if (col == 0 && !rowHead_[r]) continue;  // row numbers do not widen the header column
        consider(r, plain ? text_[At(col, r)].size() : ShownLength(col, r));
    }
    return rows;
}

QVariant SpreadModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int col = index.column() + 1, row = index.row() + 1;
    switch (role) {
        case Qt::DisplayRole:
            return TypeAt(col, row) == SpreadCellType::CheckBox ? QVariant() : QVariant(ShownText(col, row));
        case Qt::EditRole:
            return Cell(col, row).Text();
        case Qt::TextAlignmentRole:
        case Qt::BackgroundRole:
        case Qt::ForegroundRole:
        case Qt::FontRole: {
            SpreadCellFormat scratch;
            return SpreadCell::FormatData(DataFormat(col, row, scratch), false, role);
        }
        default:
            return {};
    }
}

QVariant SpreadModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section < 0) return {};
    if (orientation == Qt::Horizontal)
        return section < cols_ ? Cell(section + 1, 0).data(role) : QVariant();
    return section < rows_ ? Cell(0, section + 1).data(role) : QVariant();
}

bool SpreadModel::IsEditable(const SpreadCell& cell) const {
    return !cell.IsHeader() && cell.fmt.type != SpreadCellType::StaticText && !(cell.fmt.locked && protect_);
}

Qt::ItemFlags SpreadModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int col = index.column() + 1, row = index.row() + 1;
    SpreadCell cell(SpreadCell::Kind::Data);
    cell.fmt = Format(col, row);
    if (IsEditable(cell) && cell.fmt.type != SpreadCellType::CheckBox) flags |= Qt::ItemIsEditable;
    return flags;
}

// ---------------------------------------------------------------- content

qsizetype SpreadModel::SetText(int col, int row, const QString& text) {
    if (row == 0 || col == 0) {
        (row == 0 ? (col == 0 ? corner_ : colHead_[col]) : rowHead_[row]) = text;
        return text.size();
    }
    switch (TypeAt(col, row)) {
        case SpreadCellType::CheckBox:
            checked_[At(col, row)] = Val(text) != 0.0 ? 1 : 0;
            return 0;
        case SpreadCellType::ComboBox:
            comboSel_[At(col, row)] = qint16(Format(col, row).comboList.indexOf(text));
            return ShownText(col, row).size();
        default:
            text_[At(col, row)] = text;
            return text.size();
    }
}

void SpreadModel::SetAllRows(std::vector<QString> texts, std::vector<QString> rowHeaders) {
    SetRows(0);
    const int rows = cols_ > 0 ? int(texts.size() / cols_) : int(rowHeaders.size());
    if (rows == 0) return;
    texts.resize(size_t(rows) * cols_);
    beginInsertRows({}, 0, rows - 1);
    text_ = std::move(texts);
    Resize(cols_, rows);
    for (int r = 1; r <= qMin(rows, int(rowHeaders.size())); ++r)
        if (!rowHeaders[r - 1].isEmpty()) rowHead_[r] = std::move(rowHeaders[r - 1]);
    // A check-box or list column keeps a tick or a choice, not the text.
    for (int c = 1; c <= cols_; ++c) {
        const SpreadCellType type = ColFormat(c).type;
        if (type != SpreadCellType::CheckBox && type != SpreadCellType::ComboBox) continue;
        for (int r = 1; r <= rows; ++r) {
            const QString text = std::exchange(text_[At(c, r)], QString());
            if (!text.isEmpty()) SetText(c, r, text);
        }
    }
    endInsertRows();
}

void SpreadModel::SetChecked(int col, int row, bool on) {
    if (col > 0 && row > 0) checked_[At(col, row)] = on ? 1 : 0;
}

void SpreadModel::SetComboSel(int col, int row, int index) {
    if (col < 1 || row < 1) return;
    const int count = int(Format(col, row).comboList.size());
    comboSel_[At(col, row)] = qint16(index >= 0 && index < count ? index : -1);
}

void SpreadModel::Clear(int col, int row) {
    if (col < 1 || row < 1) return;
    text_[At(col, row)].clear();
    checked_[At(col, row)] = 0;
    comboSel_[At(col, row)] = -1;
}

// ---------------------------------------------------------------- settings

void SpreadModel::SetGridSetting(SpreadAttr attr, const SpreadSetting& setting) {
    gridSettings_[attr] = setting;
    std::fill(colFormat_.begin(), colFormat_.end(), std::nullopt);
}

void SpreadModel::SetColSetting(int col, SpreadAttr attr, const SpreadSetting& setting) {
    colSettings_[col][attr] = setting;
    colFormat_[col].reset();
}

void SpreadModel::SetRowSetting(int row, SpreadAttr attr, const SpreadSetting& setting) {
    rowSettings_[row][attr] = setting;
}

void SpreadModel::SetCellSetting(int col, int row, SpreadAttr attr, const SpreadSetting& setting) {
    cellSettings_[Key(col, row)][attr] = setting;
}

void SpreadModel::SetProtect(bool on) { protect_ = on; }

// ---------------------------------------------------------------- moving rows

void SpreadModel::PermuteRows(int c1, int c2, int r1, const std::vector<int>& order) {
    const int n = int(order.size());
    if (n == 0) return;
    c2 = qMin(c2, cols_);
    const bool wholeRows = c1 <= 1 && c2 >= cols_;
    if (!wholeRows) {
        // A row's own settings stay with the cells that move and with those that do not.
        for (int r = r1; r < r1 + n; ++r) {
            if (rowSettings_[r].empty()) continue;
            for (int c = 1; c <= cols_; ++c) Merge(cellSettings_[Key(c, r)], rowSettings_[r]);
            rowSettings_[r].clear();
        }
    }
    std::vector<QString> text(n);
    std::vector<quint8> checked(n);
    std::vector<qint16> combo(n);
    for (int c = qMax(1, c1); c <= c2; ++c) {
        for (int i = 0; i < n; ++i) {
            const qsizetype from = At(c, order[i]);
            text[i] = std::move(text_[from]);
            checked[i] = checked_[from];
            combo[i] = comboSel_[from];
        }
        for (int i = 0; i < n; ++i) {
            const qsizetype to = At(c, r1 + i);
            text_[to] = std::move(text[i]);
            checked_[to] = checked[i];
            comboSel_[to] = combo[i];
        }
    }
    if (c1 == 0) {
        std::vector<std::optional<QString>> heads(n);
        for (int i = 0; i < n; ++i) heads[i] = std::move(rowHead_[order[i]]);
        for (int i = 0; i < n; ++i) rowHead_[r1 + i] = std::move(heads[i]);
    }
    if (wholeRows) {
        std::vector<SpreadSettings> settings(n);
        for (int i = 0; i < n; ++i) settings[i] = std::move(rowSettings_[order[i]]);
        for (int i = 0; i < n; ++i) rowSettings_[r1 + i] = std::move(settings[i]);
    }
    if (!cellSettings_.empty()) {
        std::vector<int> newRow(rows_ + 1, 0);
        for (int i = 0; i < n; ++i) newRow[order[i]] = r1 + i;
        std::vector<std::pair<quint64, SpreadSettings>> moved;
        for (auto it = cellSettings_.begin(); it != cellSettings_.end();) {
            const int c = int(it->first & 0xFFFFFFFF), r = int(it->first >> 32);
            if (r >= r1 && r < r1 + n && c >= c1 && c <= c2) {
                moved.emplace_back(Key(c, newRow[r]), std::move(it->second));
                it = cellSettings_.erase(it);
            } else {
                ++it;
            }
        }
        for (auto& entry : moved) cellSettings_[entry.first] = std::move(entry.second);
    }
    if (cols_ > 0) Q_EMIT dataChanged(index(r1 - 1, 0), index(r1 + n - 2, cols_ - 1));
    Q_EMIT headerDataChanged(Qt::Vertical, r1 - 1, r1 + n - 2);
}

// ---------------------------------------------------------------- telling the views

void SpreadModel::CellChanged(int col, int row) {
    if (col > 0 && row > 0)
        Q_EMIT dataChanged(index(row - 1, col - 1), index(row - 1, col - 1));
    else if (row == 0 && col > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, col - 1, col - 1);
    else if (col == 0 && row > 0)
        Q_EMIT headerDataChanged(Qt::Vertical, row - 1, row - 1);
}

void SpreadModel::Refresh() {
    if (rows_ > 0 && cols_ > 0) Q_EMIT dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
    if (cols_ > 0) Q_EMIT headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    if (rows_ > 0) Q_EMIT headerDataChanged(Qt::Vertical, 0, rows_ - 1);
}

}  // namespace dc
