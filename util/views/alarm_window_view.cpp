// The alarm window's widgets.
#include "alarm_window_view.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "quay/types/picture.h"
#include "quay/views/dialog_keys.h"

namespace quay::util {
namespace {
QString qs(const std::string& s) { return QString::fromStdString(s); }
QString number(std::int32_t n) { return n == 0 ? QString() : QString::number(n); }
QString moment(std::int32_t date, std::int32_t time) {
    return qs(core::formatPicture("@d2b", date) + "  " + core::formatPicture("@t7b", time)).trimmed();
}
}  // namespace

AlarmWindowView::AlarmWindowView(std::unique_ptr<AlarmWindow> window, QWidget* parent)
    : QWidget(parent, Qt::Window), m_window(std::move(window)) {
    setObjectName(QStringLiteral("AlarmWindow"));
    setWindowTitle(QStringLiteral("Alarm"));
    setAttribute(Qt::WA_DeleteOnClose);
    build();
}

void AlarmWindowView::build() {
    const core::Schedule& e = m_window->entry();
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto shown = [this, form](const QString& label, const QString& text) {
        auto* value = new QLabel(text, this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setMinimumWidth(260);
        form->addRow(label, value);
    };
    shown(QStringLiteral("Customer:"), qs(e.Customer.str()));
    shown(QStringLiteral("Entered:"), moment(e.ENTEREDDATE, e.ENTEREDTIME));
    shown(QStringLiteral("Vendor:"), qs(e.VENDOR.str()));
    shown(QStringLiteral("Product:"), qs(e.PRODUCT.str()));
    shown(QStringLiteral("Alarm:"), moment(e.ALARMDATE, e.ALARMTIME));
    shown(QStringLiteral("Quote:"), number(e.QUOTENUM));
    shown(QStringLiteral("Invoice:"), number(e.INVOICENUM));
    shown(QStringLiteral("PO#:"), number(e.PONUM));
    shown(QStringLiteral("Action:"), qs(e.ACTION.str()));
    auto* comments = new QPlainTextEdit(qs(e.Comments.str()), this);
    comments->setReadOnly(true);
    comments->setMaximumHeight(90);
    form->addRow(QStringLiteral("Comments:"), comments);
    layout->addLayout(form);

    auto* row = new QHBoxLayout;
    m_choices = new QComboBox(this);
    for (const PostponeChoice& c : AlarmWindow::postponeChoices()) m_choices->addItem(QString::fromLatin1(c.caption));
    m_choices->setCurrentIndex(AlarmWindow::kDefaultChoice);
    auto* open = new QPushButton(QStringLiteral("&Open Item"), this);
    auto* postpone = new QPushButton(QStringLiteral("&Postpone"), this);
    auto* complete = new QPushButton(QStringLiteral("&Complete"), this);
    auto* ignore = new QPushButton(QStringLiteral("Ignore"), this);
    row->addWidget(open);
    row->addWidget(m_choices);
    row->addWidget(postpone);
    row->addStretch(1);
    row->addWidget(complete);
    row->addWidget(ignore);
    layout->addLayout(row);
    postpone->setDefault(true);

    connect(open, &QPushButton::clicked, this, [this] {
        // The schedule form opens modally in its place.
        hide();
        m_window->openItem();
        close();
    });
    connect(postpone, &QPushButton::clicked, this, [this] {
        m_window->postpone(m_choices->currentIndex());
        close();
    });
    connect(complete, &QPushButton::clicked, this, [this] {
        m_window->complete();
        close();
    });
    connect(ignore, &QPushButton::clicked, this, [this] {
        m_window->ignore();
        close();
    });
    // Enter postpones (the default button); Escape, like the close box, ignores.
    new core::DialogKeys(this, postpone, ignore);
}

}  // namespace quay::util
