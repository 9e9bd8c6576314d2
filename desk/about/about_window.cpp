// The about window's layout: title, tag line and version stacked and centred, the
// Close button at the bottom right as dialogs of the desktop have it.
#include "about/about_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quay::desk {

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Billquay"));
    setObjectName("AboutWindow");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 22, 28, 16);
    auto* title = new QLabel(QString::fromUtf8(kProductTitle), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    auto* line = new QLabel(QString::fromUtf8(kTagLine), this);
    line->setAlignment(Qt::AlignCenter);
    line->setWordWrap(true);
    auto* version = new QLabel(QString::fromUtf8(kVersionText), this);
    version->setObjectName("version");
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addWidget(line);
    layout->addSpacing(6);
    layout->addWidget(version);
    layout->addSpacing(12);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(tr("&Close"), QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(460);
}

}  // namespace quay::desk
