// ListModel: the Qt item model of a list window. It shows the rows the window's
// pager holds and asks for more as the view scrolls: a page after the last row
// when the view reaches the bottom (fetchMore), a page before the first when it
// reaches the top (fetchBefore), and drops rows far from the view, so the model
// never holds more than a few pages whatever the size of the table, and no
// scroll ever counts the table.
#pragma once

#include <QAbstractTableModel>

#include "quay/export.h"
#include "quay/ui/list_window.h"

namespace quay::core {

class QUAY_EXPORT ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // REQUIRES: `window` outlives the model. The model listens to its resets.
    explicit ListModel(ListWindow& window, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // Reads a page before the first row; returns how many rows were put in front.
    int fetchBefore();
    bool atStart() const;

    ListWindow& window() { return m_window; }

signals:
    // The rows were replaced; `current` is the highlighted row or -1.
    void rowsReset(int current);

private:
    void onReset();

    ListWindow& m_window;
};

}  // namespace quay::core
