// The paging item model over a list window's rows.
//
// The pager adds rows itself; the model then tells the view what was added, and
// before it drops rows it tells the view what is going, in the order Qt wants.
#include "quay/views/list_model.h"

namespace quay::core {

ListModel::ListModel(ListWindow& window, QObject* parent) : QAbstractTableModel(parent), m_window(window) {
    m_window.setResetListener([this] { onReset(); });
}

void ListModel::onReset() {
    beginResetModel();
    endResetModel();
    const auto c = m_window.current();
    emit rowsReset(c ? static_cast<int>(*c) : -1);
}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_window.rowCount());
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_window.spec().columns.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= m_window.rowCount()) return {};
    const auto col = static_cast<std::size_t>(index.column());
    if (role == Qt::DisplayRole) {
        const ListRow& r = m_window.row(static_cast<std::size_t>(index.row()));
        return col < r.cells.size() ? QString::fromStdString(r.cells[col]) : QString();
    }
    if (role == Qt::TextAlignmentRole && col < m_window.spec().columns.size())
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (m_window.spec().columns[col].rightAligned ? Qt::AlignRight : Qt::AlignLeft));
    return {};
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    const auto& cols = m_window.spec().columns;
    if (section < 0 || static_cast<std::size_t>(section) >= cols.size()) return {};
    return QString::fromStdString(cols[static_cast<std::size_t>(section)].heading);
}

bool ListModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_window.rowCount() > 0 && !m_window.pager().atEnd();
}

void ListModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid()) return;
    const int before = rowCount();
    const std::size_t n = m_window.fetchAfter();
    if (rowCount() != before + static_cast<int>(n)) return;  // the list was read afresh (reset sent)
    if (n > 0) {
        beginInsertRows({}, before, before + static_cast<int>(n) - 1);
        endInsertRows();
    }
    const std::size_t size = m_window.rowCount();
    if (size > ListPager::kMaxRows) {
        const auto drop = static_cast<int>(size - ListPager::kMaxRows);
        beginRemoveRows({}, 0, drop - 1);
        m_window.pager().dropFront(static_cast<std::size_t>(drop));
        endRemoveRows();
    }
}

int ListModel::fetchBefore() {
    if (m_window.rowCount() == 0 || m_window.pager().atStart()) return 0;
    const int before = rowCount();
    const std::size_t n = m_window.fetchBefore();
    if (rowCount() != before + static_cast<int>(n)) return 0;
    if (n > 0) {
        beginInsertRows({}, 0, static_cast<int>(n) - 1);
        endInsertRows();
    }
    const std::size_t size = m_window.rowCount();
    if (size > ListPager::kMaxRows) {
        const auto keep = static_cast<int>(ListPager::kMaxRows);
        beginRemoveRows({}, keep, static_cast<int>(size) - 1);
        m_window.pager().dropBack(size - ListPager::kMaxRows);
        endRemoveRows();
    }
    return static_cast<int>(n);
}

bool ListModel::atStart() const { return m_window.pager().atStart(); }

}  // namespace quay::core
