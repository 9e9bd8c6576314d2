// Placement of Qt windows: the bridge between QWidget geometry and the placement
// rules of core/ui.
#include "quay/views/placement_keeper.h"

#include <algorithm>

#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace quay::core {

namespace {

bool isResizable(const QWidget* w) { return w->minimumSize() != w->maximumSize(); }

// The width a window's title bar needs to show its whole title: the caption in the
// bold face window managers use, with room for the icon and the three buttons.
int titleBarWidth(const QWidget* window) {
    constexpr int kIconAndButtons = 150;
    QFont font = window->font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(window->windowTitle()) + kIconAndButtons;
}

// A window opening without a saved placement is made wide enough for its title
// (a narrow selection window showed "Custo... ection"), as far as its own maximum
// width allows.
void widenForTitle(QWidget* window) {
    const int want = std::min(titleBarWidth(window), window->maximumWidth());
    if (window->width() >= want) return;
    if (window->minimumWidth() == window->maximumWidth()) return;  // a fixed size keeps its size
    window->resize(want, window->height());
}

}  // namespace

PlacementArea placementArea(const QWidget* window) {
    QRect room;
    if (window->isWindow()) {
        const QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
        if (screen != nullptr) room = screen->availableVirtualGeometry();
    } else if (const QWidget* parent = window->parentWidget(); parent != nullptr && parent->isVisible()) {
        room = parent->rect();  // a child of the frame lies in the frame's client area, once laid out
    }
    if (!room.isValid()) return {};
    return PlacementArea{room.x(), room.y(), room.width(), room.height()};
}

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
    if (g.w > 0 && g.h > 0)
        widget->setGeometry(g.x, g.y, g.w, g.h);
    else
        widget->move(g.x, g.y);
}

PlacementKeeper::PlacementKeeper(QWidget* window, Settings& settings, QString section)
    : QObject(window), m_window(window), m_settings(settings), m_section(std::move(section)) {
    WindowGeometry g = widgetGeometry(window);
    m_restored = restorePlacement(m_settings, m_section.toStdString(), g, placementArea(window));
    if (m_restored) applyGeometry(window, g);
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
    savePlacement(m_settings, m_section.toStdString(), current(), placementArea(m_window));
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
            // Once shown at its final size a window is brought onto its screen: a
            // form placed by the window system (it grows with its fields after it is
            // centred over its owner) wholly, a window where the user left it (perhaps
            // on a larger screen) far enough that its title bar can be reached.
            if (m_window->isWindow()) {
                if (!m_restored) widenForTitle(m_window);
                const OnScreen how = m_restored ? OnScreen::TitleBar : OnScreen::Whole;
                QTimer::singleShot(0, this, [this, how] { keepOnScreen(m_window, how); });
            }
            break;
        default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void keepOnScreen(QWidget* window, OnScreen how) {
    if (window == nullptr || !window->isWindow() || window->isMaximized() || window->isMinimized()) return;
    QScreen* screen = window->screen();
    if (screen == nullptr) return;
    const QRect room = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    if (room.contains(frame)) return;
    if (how == OnScreen::TitleBar) {
        // The left end of the title bar within the screen, with some of the window beside it.
        constexpr int kReach = 120;
        const int x = std::clamp(frame.x(), room.left(), std::max(room.left(), room.right() - kReach));
        const int y = std::clamp(frame.y(), room.top(), std::max(room.top(), room.bottom() - kReach));
        if (x != frame.x() || y != frame.y()) window->move(x, y);
        return;
    }
    // A window larger than the screen is made to fit (less its frame), then moved in.
    const int frameW = frame.width() - window->width();
    const int frameH = frame.height() - window->height();
    if (frame.width() > room.width() || frame.height() > room.height())
        window->resize(std::min(window->width(), room.width() - frameW),
                       std::min(window->height(), room.height() - frameH));
    const QRect sized = window->frameGeometry();
    const int x = std::clamp(sized.x(), room.left(), std::max(room.left(), room.right() + 1 - sized.width()));
    const int y = std::clamp(sized.y(), room.top(), std::max(room.top(), room.bottom() + 1 - sized.height()));
    window->move(x, y);
}

PlacementKeeper* keepPlacement(QWidget* window, const QString& section) {
    return new PlacementKeeper(window, programSettings(), section);
}

Settings& programSettings() {
    static Settings settings;
    return settings;
}

}  // namespace quay::core
