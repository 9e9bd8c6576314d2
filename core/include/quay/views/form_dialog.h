// FormDialog: the dialog every form's view is built on (the company defaults, the
// master forms, the dialogs of order entry). It holds the form's FieldBinder over
// the form's buffer, shows the body the view builds above a row with the status
// line ("Record Will Be Changed", or why the last OK was refused) and the OK and
// Cancel buttons, and forwards OK, Cancel, Escape and the close box to the
// FormWindow: Cancel asks before changes are thrown away, a refused OK puts the
// cursor on the field it names (bringing its tab forward) and says why. After
// another station's change every field is shown again. Placement is kept under
// the form's procedure name.
#pragma once

#include <utility>

#include <QDialog>

#include "quay/export.h"
#include "quay/store/table_desc.h"
#include "quay/ui/form_window.h"

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace quay::core {

class FieldBinder;

// The captions of a form's command buttons; a null cancel leaves one button that
// closes the window keeping what was typed (a notes window's "Close").
struct FormButtons {
    const char* ok = "&OK";
    const char* cancel = "Cancel";
};

class QUAY_EXPORT FormDialog : public QDialog {
    Q_OBJECT
public:
    // REQUIRES: `form` outlives the dialog.
    explicit FormDialog(FormWindow& form, QWidget* parent = nullptr, FormButtons buttons = {});

    FieldBinder* binder() const { return m_binder; }
    FormWindow& form() { return m_form; }
    Response response() const { return m_form.response().response; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    // The row of command buttons, for a form's own (put before OK and Cancel).
    QHBoxLayout* buttonRow() const { return m_buttons; }
    // The status line; empty for a form that writes nothing and has refused nothing.
    QLabel* statusLine() const { return m_status; }

    // Puts the form's body in place, shows every field and restores the placement.
    // Call once, after the body's fields are bound.
    void setBody(QWidget* body, QWidget* firstField);
    void setBody(QLayout* body, QWidget* firstField);

    // True while OK reads the fields back: a look-up field refused before does not
    // open its list a second time for the keystroke that pressed OK.
    bool isFinishing() const { return m_finishing; }
    // Shows the form's notice and puts the cursor where the form asks.
    void showRefusal();

    void accept() override;
    void reject() override;

protected:
    // Reads the fields kept outside the binder (an amount checked before it reaches
    // the record); false when one is refused, the cursor then in it.
    virtual bool storeUnbound() { return true; }
    // The widget of a field kept outside the binder, for the cursor after a refusal.
    virtual QWidget* unboundWidget(int /*field*/) const { return nullptr; }
    // True when such a field holds typing not yet read back.
    virtual bool hasUnboundEntry() const { return false; }

private:
    void finishBody(QWidget* firstField);
    void showStatus();

    FormWindow& m_form;
    FieldBinder* m_binder = nullptr;
    QLabel* m_status = nullptr;
    QHBoxLayout* m_buttons = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QWidget* m_firstField = nullptr;
    bool m_finishing = false;
};

namespace detail {

// Holds a dialog's window logic ahead of its FormDialog base, so that a view can
// own the logic it is built over: `class V : detail::OwnedLogic<L>, public FormDialog`.
template <class Logic>
class OwnedLogic {
protected:
    template <class... Args>
    explicit OwnedLogic(Args&&... args) : m_logic(std::forward<Args>(args)...) {}
    Logic m_logic;
};

}  // namespace detail

}  // namespace quay::core
