// MasterFormView: the dialog of every master form, built from the form's layout.
// Fields are shown through their pictures; a typed entry is read back through the
// same picture when the user leaves the field (a refused entry says why and keeps
// the cursor there), then handed to the form's logic, and every field is shown
// again, since one entry may change others (a built name, a formatted phone, the
// derived prices). Only fields the user actually typed in are read back, so a
// price shown with two places never loses the places it is kept with.
//
// Ctrl+' recalls the focused field; double-click on an entry is forwarded (e-mail
// and web addresses); "..." buttons pick look-up values; lists of related records
// sit on their own tabs with Insert, Change and Delete.
#pragma once

#include <map>
#include <vector>

#include <QDialog>

#include "quay/export.h"
#include "quay/masterlists/master_form.h"
#include "quay/views/window_registry.h"

class QTableWidget;
class QTabWidget;

namespace quay::core {

class QUAY_EXPORT MasterFormView : public QDialog {
    Q_OBJECT
public:
    // REQUIRES: `form` is open and outlives the view.
    explicit MasterFormView(MasterForm& form, QWidget* parent = nullptr);

    // Shows every field and list again from the record.
    void showRecord();
    QWidget* widgetFor(int field) const;
    QTabWidget* tabs() const { return m_tabs; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Bound {
        FormField spec;
        QWidget* widget = nullptr;
        bool typed = false;
    };
    struct ListBox {
        FormListTab spec;
        QTableWidget* table = nullptr;
    };

    void build();
    QWidget* makeWidget(Bound& b, QWidget* parent);
    bool commit(Bound& b);       // reads a typed entry back; false when refused
    bool commitFocused();
    void afterAccept(Bound& b, bool accepted);
    void fillList(ListBox& box);
    void listCommand(ListBox& box, Request request);
    void onOk();
    void onCancel();
    void applyFocusRequest();

    MasterForm& m_form;
    std::vector<Bound> m_bound;
    std::vector<ListBox> m_lists;
    QTabWidget* m_tabs = nullptr;
    bool m_showing = false;
    bool m_finishing = false;
};

// Runs `form` modally as its dialog: opens it (a form over at open answers at
// once), shows it with its placement kept under the form's procedure name, and
// returns the form's response.
QUAY_EXPORT WindowResponse runMasterForm(WindowContext& context, MasterForm& form);

}  // namespace quay::core
