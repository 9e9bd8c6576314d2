// MasterFormView: the form dialog of every master form, its body built from the
// form's layout. Fields are bound through the form dialog's field binder: shown
// through their pictures, a typed entry read back through the same picture when
// the user leaves the field (a refused entry says why and keeps the cursor there),
// then handed to the form's logic, and every field is shown again, since one entry
// may change others (a built name, a formatted phone, the derived prices). Only
// fields the user actually typed in are read back, so a price shown with two
// places never loses the places it is kept with.
//
// Ctrl+' recalls the focused field; double-click on an entry is forwarded (e-mail
// and web addresses); "..." buttons pick look-up values; lists of related records
// sit on their own tabs with Insert, Change and Delete.
#pragma once

#include <vector>

#include "quay/export.h"
#include "quay/ui/form_window.h"
#include "quay/views/form_dialog.h"
#include "quay/views/window_registry.h"

class QTableWidget;
class QTabWidget;

namespace quay::core {

class QUAY_EXPORT MasterFormView : public FormDialog {
    Q_OBJECT
public:
    // REQUIRES: `form` is open and outlives the view.
    explicit MasterFormView(FormWindow& form, QWidget* parent = nullptr);

    // Shows every field and list again from the record.
    void showRecord();
    QWidget* widgetFor(int field) const;
    QTabWidget* tabs() const { return m_tabs; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ListBox {
        FormListTab spec;
        QTableWidget* table = nullptr;
    };

    QWidget* build();
    QWidget* makeWidget(const FormField& f, QWidget* parent);
    void fillList(ListBox& box);
    void listCommand(ListBox& box, Request request);

    FormWindow& m_form;
    std::vector<QWidget*> m_doubleClick;  // entries whose double-click goes to the form
    std::vector<ListBox> m_lists;
    QTabWidget* m_tabs = nullptr;
};

// Runs `form` modally as its dialog: opens it (a form over at open answers at
// once), shows it with its placement kept under the form's procedure name, and
// returns the form's response.
QUAY_EXPORT WindowResponse runMasterForm(WindowContext& context, FormWindow& form);

}  // namespace quay::core
