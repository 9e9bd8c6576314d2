// FormDialog: the dialog every record form's view is built on. It holds the form's
// FieldBinder, shows the body the form's view builds above a row with the status
// text ("Record Will Be Changed") and "&OK" / "Cancel", and forwards OK, Cancel,
// Escape and the close box to the FormWindow. After a duplicate key the cursor
// goes back to the first field (on its tab); after another station's change every
// field is shown again. Placement is kept under the form's procedure name.
#pragma once

#include <QDialog>

#include "quay/export.h"
#include "quay/store/table_desc.h"
#include "quay/ui/form_window.h"

class QLabel;

namespace quay::core {

class FieldBinder;

class QUAY_EXPORT FormDialog : public QDialog {
    Q_OBJECT
public:
    // REQUIRES: `form` is open and outlives the dialog.
    FormDialog(FormWindow& form, QWidget* parent = nullptr);

    FieldBinder* binder() const { return m_binder; }
    FormWindow& form() { return m_form; }

    // Puts the form's body in place, shows every field and restores the placement.
    // Call once, after the body's fields are bound.
    void setBody(QWidget* body, QWidget* firstField);

    void accept() override;
    void reject() override;

private:
    FormWindow& m_form;
    FieldBinder* m_binder = nullptr;
    QLabel* m_status = nullptr;
    QWidget* m_firstField = nullptr;
};

}  // namespace quay::core
