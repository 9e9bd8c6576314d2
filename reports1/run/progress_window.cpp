// The progress window. It stays open while the run asks its cancel questions; the run
// closes it when the walk is over.
#include "progress_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace quay::reports::detail {

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent) {
    setModal(true);
    setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(this);
    m_label->setAlignment(Qt::AlignCenter);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &ProgressWindow::requestCancel);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addWidget(buttons);
}

void ProgressWindow::begin(const QString& title, const QString& percentText) {
    setWindowTitle(title);
    m_percentText = percentText;
    setPercent(0);
}

void ProgressWindow::setPercent(int percent) {
    m_bar->setValue(percent);
    m_label->setText(QString::number(percent) + m_percentText);
}

void ProgressWindow::reject() { requestCancel(); }

}  // namespace quay::reports::detail
