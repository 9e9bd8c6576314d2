// Selection windows keep their placement through the window framework's keeper, which
// restores it once the window's layout has its size and saves it on close.
#include "quay/reports/run/selection_window.h"

#include "quay/views/placement_keeper.h"

namespace quay::reports {

SelectionWindow::SelectionWindow(const QString& procedure, QWidget* parent)
    : SelectionWindow(procedure, core::programSettings(), parent) {}

SelectionWindow::SelectionWindow(const QString& procedure, core::Settings& settings, QWidget* parent)
    : QDialog(parent), m_procedure(procedure) {
  setObjectName(procedure);
  new core::PlacementKeeper(this, settings, procedure);
}

}  // namespace quay::reports
