// ListModel: the Qt item model of a list window. It shows the rows the window's
// pager holds and asks the window for more as the view scrolls: a page after the
// last row when the view reaches the bottom (fetchMore), a page before the first
// when it reaches the top (fetchBefore). The window decides what is read and what is
// dropped beyond its row limit; the model only tells the view, in the order Qt
// wants, so no scroll ever counts the table.
#pragma once

#include <QAbstractTableModel>

#include "quay/export.h"
#include "quay/ui/list_window.h"

namespace quay::core {

class QUAY_EXPORT ListModel : public QAbstractTableModel, private ListObserver {
    Q_OBJECT
public:
    // REQUIRES: `window` outlives the model. The model observes its rows.
    explicit ListModel(ListWindow& window, QObject* parent = nullptr);
    ~ListModel() override;

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
    void resetTo(int current);
    // The window closed itself.
    void windowClosed();

private:
    void rowsReset() override;
    void rowsAdded(bool front, std::size_t count) override;
    void rowsAboutToDrop(bool front, std::size_t count) override;
    void rowsDropped() override;
    void closed() override;

    ListWindow& m_window;
};

}  // namespace quay::core
