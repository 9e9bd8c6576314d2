// The toolbar's buttons are actions whose triggers post the button's event to the
// frame, so a button and its menu command take the same path. The frame's state
// (which toolbar area, floating geometry) is kept as the main window saves it, with
// the dock named beside it for people reading the settings file.
#include "toolbar/toolbar_view.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>

namespace quay::desk {

namespace {
// Long titles break over two lines under the icon, so the buttons stay compact.
QString buttonText(std::string_view title) {
    QString t = QString::fromUtf8(title.data(), static_cast<int>(title.size()));
    if (t == "Products / Inventory") return QStringLiteral("Products /\nInventory");
    if (t == "Accounts Receivable") return QStringLiteral("Accounts\nReceivable");
    return t;
}
}  // namespace

ToolbarView::ToolbarView(QMainWindow* frame, core::Settings& settings)
    : QToolBar(tr("Toolbar"), frame), m_frame(frame), m_settings(settings) {
    setObjectName(kToolbarSection);
    setAllowedAreas(Qt::TopToolBarArea | Qt::LeftToolBarArea);
    setMovable(true);
    setFloatable(true);
    setIconSize(QSize(32, 32));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const auto& buttons = toolbarButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const ToolbarButton& b = buttons[i];
        // The gap before the last button sets Defaults apart from the lists.
        if (i + 1 == buttons.size()) addSeparator();
        QAction* a = addAction(QIcon(QStringLiteral(":/toolbar/icons/%1.svg")
                                         .arg(QString::fromUtf8(b.icon.data(), static_cast<int>(b.icon.size())))),
                               buttonText(b.title));
        a->setToolTip(QString::fromStdString(toolbarTip(b)));
        a->setStatusTip(QString::fromUtf8(b.tipFirst.data(), static_cast<int>(b.tipFirst.size())) + " " +
                        QString::fromUtf8(b.tipSecond.data(), static_cast<int>(b.tipSecond.size())));
        a->setData(b.event);
        const int event = b.event;
        QMainWindow* target = frame;
        connect(a, &QAction::triggered, this,
                [target, event] { QCoreApplication::postEvent(target, new QEvent(static_cast<QEvent::Type>(event))); });
    }
}

QAction* ToolbarView::buttonAction(int event) const {
    for (QAction* a : actions())
        if (a->data().toInt() == event) return a;
    return nullptr;
}

ToolbarDock ToolbarView::dock() const {
    if (isFloating()) return ToolbarDock::Floating;
    switch (m_frame->toolBarArea(const_cast<ToolbarView*>(this))) {
    case Qt::LeftToolBarArea: return ToolbarDock::Left;
    case Qt::RightToolBarArea: return ToolbarDock::Right;
    case Qt::BottomToolBarArea: return ToolbarDock::Bottom;
    default: return ToolbarDock::Top;
    }
}

void ToolbarView::restorePlace() {
    const ToolbarDock dock = dockFromName(m_settings.read(kToolbarSection, "Dock", "Top"), ToolbarDock::Top);
    m_frame->addToolBar(dock == ToolbarDock::Left ? Qt::LeftToolBarArea : Qt::TopToolBarArea, this);
    setOrientation(layoutForDock(dock, ToolbarLayout::Horizontal) == ToolbarLayout::Vertical ? Qt::Vertical
                                                                                             : Qt::Horizontal);
    const std::string state = m_settings.read(kToolbarSection, "State");
    if (!state.empty()) m_frame->restoreState(QByteArray::fromBase64(QByteArray::fromStdString(state)));
}

void ToolbarView::savePlace() {
    m_settings.write(kToolbarSection, "Dock", dockName(dock()));
    m_settings.write(kToolbarSection, "State", m_frame->saveState().toBase64().toStdString());
}

}  // namespace quay::desk
