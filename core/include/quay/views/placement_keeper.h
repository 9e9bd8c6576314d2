// Window placement for Qt windows: reads a widget's placement into a
// WindowGeometry and applies one back, and PlacementKeeper, which restores a
// window's placement from its settings section when installed and saves it when
// the window closes.
//
// For a child window of the frame (QMdiSubWindow) Qt keeps no normal geometry
// while it is maximised, so the keeper remembers the last position and size the
// window had while it was neither maximised nor minimised.
#pragma once

#include <QObject>
#include <QRect>
#include <QString>

#include "quay/app/settings.h"
#include "quay/export.h"
#include "quay/ui/placement.h"

class QWidget;

namespace quay::core {

// The placement of `widget` (its normal geometry when maximised).
QUAY_EXPORT WindowGeometry widgetGeometry(const QWidget* widget);
// The area `window` must be reachable in: the available area of every screen for a
// top-level window, the parent's client area for a child window of the frame; not
// valid when neither is known yet.
QUAY_EXPORT PlacementArea placementArea(const QWidget* window);
// Moves, sizes, maximises or restores `widget` as `geometry` says.
QUAY_EXPORT void applyGeometry(QWidget* widget, const WindowGeometry& geometry);

class QUAY_EXPORT PlacementKeeper : public QObject {
    Q_OBJECT
public:
    // Restores the placement of `window` from `section` now and saves it when the
    // window closes. The keeper is a child of `window`. `settings` must outlive it.
    PlacementKeeper(QWidget* window, Settings& settings, QString section);

    // Saves the placement now (also done on close).
    void save();
    const QString& section() const { return m_section; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowGeometry current() const;

    QWidget* m_window;
    Settings& m_settings;
    QString m_section;
    QRect m_normal;
    bool m_saved = false;
    bool m_restored = false;  // the placement came from the settings file
};

// Brings a top-level window onto its screen's available area: Whole moves (and if need
// be shrinks) it to lie wholly on it; TitleBar only moves it far enough that the left
// end of its title bar can be reached, keeping its size. Keepers do it each time their
// window is shown: TitleBar for a placement restored from the settings, Whole otherwise.
enum class OnScreen { Whole, TitleBar };
QUAY_EXPORT void keepOnScreen(QWidget* window, OnScreen how = OnScreen::Whole);

// Convenience: installs a keeper on `window` for `section` with the program's
// settings file.
QUAY_EXPORT PlacementKeeper* keepPlacement(QWidget* window, const QString& section);

// The program's settings file (tallvane.ini at its default place).
QUAY_EXPORT Settings& programSettings();

}  // namespace quay::core
