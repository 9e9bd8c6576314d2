// Placement of Qt windows: the bridge between QWidget geometry and the placement
// rules of core/ui.
#include "quay/views/placement_keeper.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QWidget>

namespace quay::core {

namespace {

bool isResizable(const QWidget* w) { return w->minimumSize() != w->maximumSize(); }

}  // namespace

WindowGeometry widgetGeometry(const QWidget* widget) {
    WindowGeometry g;
    const QRect normal = widget->isWindow() && (widget->isMaximized() || widget->isMinimized())
                             ? widget->normalGeometry()
                             : widget->geometry();
    g.x = normal.x();
    g.y = normal.y();
    g.w = normal.width();
    g.h = normal.height();
    g.maximised = widget->isMaximized();
    g.minimised = widget->isMinimized();
    g.resizable = isResizable(widget);
    return g;
}

void applyGeometry(QWidget* widget, const WindowGeometry& g) {
    if (g.maximised) {
        if (!widget->isMaximized()) {
            widget->setGeometry(g.x, g.y, g.w > 0 ? g.w : widget->width(), g.h > 0 ? g.h : widget->height());
            widget->showMaximized();
        }
        return;
    }
    if (widget->isMaximized() || widget->isMinimized()) widget->showNormal();
    if (g.w > 0 && g.h > 0) widget->setGeometry(g.x, g.y, g.w, g.h);
    else widget->move(g.x, g.y);
}

PlacementKeeper::PlacementKeeper(QWidget* window, Settings& settings, QString section)
    : QObject(window), m_window(window), m_settings(settings), m_section(std::move(section)) {
    WindowGeometry g = widgetGeometry(window);
    if (restorePlacement(m_settings, m_section.toStdString(), g)) applyGeometry(window, g);
    if (!window->isMaximized() && !window->isMinimized()) m_normal = window->geometry();
    window->installEventFilter(this);
}

WindowGeometry PlacementKeeper::current() const {
    WindowGeometry g = widgetGeometry(m_window);
    // A maximised child of the frame reports its maximised rectangle; the placement
    // saved is the one it had before.
    if ((g.maximised || g.minimised) && !m_window->isWindow() && m_normal.isValid()) {
        g.x = m_normal.x();
        g.y = m_normal.y();
        g.w = m_normal.width();
        g.h = m_normal.height();
    }
    return g;
}

void PlacementKeeper::save() {
    savePlacement(m_settings, m_section.toStdString(), current());
    m_saved = true;
}

bool PlacementKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window) {
        switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
                if (!m_window->isMaximized() && !m_window->isMinimized()) m_normal = m_window->geometry();
                break;
            case QEvent::Close:
                if (!m_saved) save();
                break;
            case QEvent::Hide:
                // A dialog that is accepted or rejected is hidden, not closed.
                if (!event->spontaneous() && !m_saved) save();
                break;
            case QEvent::Show:
                m_saved = false;
                break;
            default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}

PlacementKeeper* keepPlacement(QWidget* window, const QString& section) {
    return new PlacementKeeper(window, programSettings(), section);
}

Settings& programSettings() {
    static Settings settings;
    return settings;
}

}  // namespace quay::core
