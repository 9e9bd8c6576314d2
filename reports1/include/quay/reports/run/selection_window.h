// The base of every report's selection window (the date range, the customers, the
// options asked before a report runs). It keeps its placement in tallvane.ini under the
// section named by its procedure ("CustBillSelect", "SalesBySpSelect", ...): Maximize,
// XPosit, YPosit, Width and Height, restored when it opens and saved when it closes.
#pragma once

#include <QDialog>
#include <QString>

#include "quay/app/settings.h"
#include "quay/export.h"

namespace quay::reports {

class QUAY_EXPORT SelectionWindow : public QDialog {
 public:
  // Placement kept in the program's settings file.
  SelectionWindow(const QString& procedure, QWidget* parent = nullptr);
  // Placement kept in `settings`, which must outlive the window (tests, other set-ups).
  SelectionWindow(const QString& procedure, core::Settings& settings, QWidget* parent = nullptr);

  const QString& procedure() const { return m_procedure; }

 private:
  QString m_procedure;
};

}  // namespace quay::reports
