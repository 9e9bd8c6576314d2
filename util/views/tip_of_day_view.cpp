// The tip of the day's widgets.
#include "tip_of_day_view.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "quay/views/dialog_keys.h"

namespace quay::util {

TipOfDayView::TipOfDayView(std::unique_ptr<TipOfDayWindow> window, QWidget* parent)
    : QWidget(parent, Qt::Dialog), m_window(std::move(window)) {
    setObjectName(QStringLiteral("DisplayTipOfDay"));
    setWindowTitle(QStringLiteral("Tip Of The Day"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Did you know..."), this);
    QFont f = heading->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    heading->setFont(f);
    layout->addWidget(heading);
    m_text = new QTextBrowser(this);
    m_text->setMinimumSize(420, 140);
    layout->addWidget(m_text, 1);
    auto* row = new QHBoxLayout;
    m_display = new QCheckBox(QStringLiteral("Display Next Time"), this);
    m_display->setChecked(m_window->displayNextTime());
    auto* next = new QPushButton(QStringLiteral("&Next >>>"), this);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setDefault(true);
    row->addWidget(m_display);
    row->addStretch(1);
    row->addWidget(next);
    row->addWidget(close);
    layout->addLayout(row);

    connect(m_display, &QCheckBox::toggled, this, [this](bool on) { m_window->setDisplayNextTime(on); });
    connect(next, &QPushButton::clicked, this, [this] {
        if (!m_window->next()) {
            QWidget::close();
            return;
        }
        showTip();
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    new core::DialogKeys(this, close, close);
    showTip();
}

void TipOfDayView::showTip() { m_text->setPlainText(QString::fromStdString(m_window->text())); }

void TipOfDayView::closeEvent(QCloseEvent* event) {
    if (!m_window->isClosed()) m_window->close();
    event->accept();
}

}  // namespace quay::util
