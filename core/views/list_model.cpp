// The paging item model over a list window's rows.
//
// The window adds rows itself and then says so (Qt's own fetchMore works the same
// way: the rows exist before the view hears of them); before it drops rows it says
// what is going, so the view lets go of them first.
#include "quay/views/list_model.h"

#include <QApplication>
#include <QStyle>

namespace quay::core {

ListModel::ListModel(ListWindow& window, QObject* parent) : QAbstractTableModel(parent), m_window(window) {
    m_window.setObserver(this);
}

ListModel::~ListModel() { m_window.setObserver(nullptr); }

void ListModel::rowsReset() {
    beginResetModel();
    endResetModel();
    const auto c = m_window.current();
    emit resetTo(c ? static_cast<int>(*c) : -1);
}

void ListModel::rowsAdded(bool front, std::size_t count) {
    const int n = static_cast<int>(count);
    const int size = rowCount();
    if (front)
        beginInsertRows({}, 0, n - 1);
    else
        beginInsertRows({}, size - n, size - 1);
    endInsertRows();
}

void ListModel::rowsAboutToDrop(bool front, std::size_t count) {
    const int n = static_cast<int>(count);
    const int size = rowCount();
    if (front)
        beginRemoveRows({}, 0, n - 1);
    else
        beginRemoveRows({}, size - n, size - 1);
}

void ListModel::rowsDropped() { endRemoveRows(); }

void ListModel::closed() { emit windowClosed(); }

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_window.rowCount());
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_window.spec().columns.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= m_window.rowCount()) return {};
    const auto col = static_cast<std::size_t>(index.column());
    const bool mark = col < m_window.spec().columns.size() && m_window.spec().columns[col].mark;
    if (role == Qt::DisplayRole) {
        if (mark) return QString();
        const ListRow& r = m_window.row(static_cast<std::size_t>(index.row()));
        return col < r.cells.size() ? QString::fromStdString(r.cells[col]) : QString();
    }
    if (role == Qt::DecorationRole && mark) {
        // A mark is a tick where the cell holds anything, nothing where it is empty.
        const ListRow& r = m_window.row(static_cast<std::size_t>(index.row()));
        if (col < r.cells.size() && !r.cells[col].empty())
            return QApplication::style()->standardIcon(QStyle::SP_DialogApplyButton);
        return {};
    }
    if (role == Qt::TextAlignmentRole && col < m_window.spec().columns.size())
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (m_window.spec().columns[col].rightAligned ? Qt::AlignRight : Qt::AlignLeft));
    return {};
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return QAbstractTableModel::headerData(section, orientation, role);
    const auto& cols = m_window.spec().columns;
    if (section < 0 || static_cast<std::size_t>(section) >= cols.size()) return {};
    const ListColumn& c = cols[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) return QString::fromStdString(c.heading);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (c.rightAligned ? Qt::AlignRight : Qt::AlignLeft));
    return {};
}

bool ListModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_window.rowCount() > 0 && !m_window.pager().atEnd() && !m_window.isClosed();
}

void ListModel::fetchMore(const QModelIndex& parent) {
    if (!parent.isValid()) m_window.fetchAfter();
}

int ListModel::fetchBefore() {
    if (m_window.rowCount() == 0 || m_window.pager().atStart()) return 0;
    return static_cast<int>(m_window.fetchBefore());
}

bool ListModel::atStart() const { return m_window.pager().atStart(); }

}  // namespace quay::core
