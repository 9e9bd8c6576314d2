// The dialog of every form.
#include "quay/views/form_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "quay/views/field_binder.h"
#include "quay/views/placement_keeper.h"

namespace quay::core {

FormDialog::FormDialog(FormWindow& form, QWidget* parent, FormButtons buttons) : QDialog(parent), m_form(form) {
    setWindowTitle(QString::fromStdString(form.windowTitle()));
    setObjectName(QString::fromStdString(form.spec().procedure));
    FormWindow* f = &form;
    m_binder = new FieldBinder(
        form.desc(), [f] { return f->buffer(); }, this, [f](int field) { f->recallField(field); });
    m_buttons = new QHBoxLayout;
    m_status = new QLabel(this);
    m_status->setObjectName("FormStatus");
    m_status->setWordWrap(true);
    m_buttons->addWidget(m_status, 1);
    m_ok = new QPushButton(tr(buttons.ok), this);
    m_ok->setObjectName(QString(buttons.ok).remove('&').remove(' ').remove('-'));
    m_ok->setDefault(true);
    m_buttons->addWidget(m_ok);
    connect(m_ok, &QPushButton::clicked, this, &FormDialog::accept);
    if (buttons.cancel != nullptr) {
        m_cancel = new QPushButton(tr(buttons.cancel), this);
        m_cancel->setObjectName(QString(buttons.cancel).remove('&').remove(' ').remove('-'));
        m_cancel->setAutoDefault(false);
        m_buttons->addWidget(m_cancel);
        connect(m_cancel, &QPushButton::clicked, this, &FormDialog::reject);
    }
    m_binder->setRefusalListener([this](const std::string& reason) {
        if (reason.empty()) {
            showStatus();
            return;
        }
        m_status->setStyleSheet(QStringLiteral("color: #b00000;"));
        m_status->setText(QString::fromStdString(reason));
    });
    m_form.setReloadListener([this] {
        m_binder->load();
        showStatus();
    });
}

void FormDialog::setBody(QWidget* body, QWidget* firstField) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(body, 1);
    layout->addLayout(m_buttons);
    finishBody(firstField);
}

void FormDialog::setBody(QLayout* body, QWidget* firstField) {
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(m_buttons);
    finishBody(firstField);
}

void FormDialog::finishBody(QWidget* firstField) {
    m_firstField = firstField;
    m_binder->load();
    showStatus();
    keepPlacement(this, QString::fromStdString(m_form.spec().procedure));
    if (m_firstField) m_firstField->setFocus();
}

void FormDialog::showStatus() {
    const std::string& notice = m_form.notice();
    // A refusal is said in the warning colour until the next OK; otherwise the
    // line tells what OK will do with the record.
    m_status->setStyleSheet(notice.empty() ? QStringLiteral("color: palette(mid);")
                                           : QStringLiteral("color: #b00000;"));
    m_status->setText(QString::fromStdString(notice.empty() ? m_form.statusText() : notice));
}

void FormDialog::showRefusal() {
    showStatus();
    const int field = m_form.takeFocusRequest();
    if (field < 0) return;
    // A field the body does not show (the record's first field after a taken key)
    // sends the cursor to the body's first field.
    QWidget* target = m_binder->widgetOf(field);
    if (target == nullptr) target = unboundWidget(field);
    if (target == nullptr) target = m_firstField;
    if (target == nullptr) return;
    // Bring the field's tab forward before putting the cursor there.
    for (QWidget* w = target; w; w = w->parentWidget()) {
        if (auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget())) {
            if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget())) tabs->setCurrentWidget(w);
        }
    }
    target->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->selectAll();
}

void FormDialog::accept() {
    m_finishing = true;
    const bool stored = m_binder->storeAll() && storeUnbound();
    m_finishing = false;
    if (!stored) {
        showStatus();
        return;
    }
    if (m_form.ok()) {
        if (m_form.response().response == Response::Completed)
            QDialog::accept();
        else
            QDialog::reject();
        return;
    }
    showRefusal();
}

void FormDialog::reject() {
    // A window with one button keeps what was typed however it is closed.
    if (m_cancel == nullptr) {
        accept();
        return;
    }
    // Text typed into the field with the cursor is not in the record yet, but it
    // is a change all the same: Escape must not drop it without asking.
    if (m_form.cancel(m_binder->hasPendingEntry() || hasUnboundEntry())) QDialog::reject();
}

}  // namespace quay::core
