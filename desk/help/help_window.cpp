// The help viewer: a text browser over the guide in the program's resources, with Back,
// Contents, a find field and Close.
#include "help/help_window.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quay::desk {

namespace {
const QUrl kGuide(QStringLiteral("qrc:/help/index.html"));
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Billquay Help"));
    setModal(false);

    m_browser = new QTextBrowser(this);
    m_browser->setOpenLinks(true);
    // Addresses outside the guide (mail, web) go to the desktop's own programs.
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(kGuide);

    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* contents = new QPushButton(QStringLiteral("C&ontents"), this);
    auto* findLabel = new QLabel(QStringLiteral("&Find:"), this);
    m_find = new QLineEdit(this);
    findLabel->setBuddy(m_find);
    auto* next = new QPushButton(QStringLiteral("Find &Next"), this);
    m_status = new QLabel(this);
    back->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(contents, &QPushButton::clicked, this, [this] { showSubject({}); });
    connect(next, &QPushButton::clicked, this, &HelpWindow::findNext);
    connect(m_find, &QLineEdit::returnPressed, this, &HelpWindow::findNext);

    auto* tools = new QHBoxLayout;
    tools->addWidget(back);
    tools->addWidget(contents);
    tools->addSpacing(12);
    tools->addWidget(findLabel);
    tools->addWidget(m_find, 1);
    tools->addWidget(next);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_browser, 1);
    auto* foot = new QHBoxLayout;
    foot->addWidget(m_status, 1);
    foot->addWidget(buttons);
    layout->addLayout(foot);
    resize(760, 600);
}

void HelpWindow::showSubject(const QString& subject, bool search) {
    QUrl url = kGuide;
    if (!subject.isEmpty()) url.setFragment(subject);
    m_browser->setSource(url);
    if (!subject.isEmpty()) m_browser->scrollToAnchor(subject);
    m_status->clear();
    show();
    raise();
    activateWindow();
    if (search) {
        m_find->setFocus();
        m_find->selectAll();
    } else {
        m_browser->setFocus();
    }
}

bool HelpWindow::findNext() {
    const QString text = m_find->text().trimmed();
    if (text.isEmpty()) return false;
    if (m_browser->find(text)) {
        m_status->clear();
        return true;
    }
    // Past the end: look again from the top before saying it is not there.
    m_browser->moveCursor(QTextCursor::Start);
    if (m_browser->find(text)) {
        m_status->clear();
        return true;
    }
    m_status->setText(QStringLiteral("\"%1\" does not occur in the guide.").arg(text));
    return false;
}

}  // namespace quay::desk
