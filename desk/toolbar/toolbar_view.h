// ToolbarView: the toolbar of the frame, a dockable QToolBar of seven large buttons.
// Each button posts its user event (1025...) to the frame, which turns it into the
// menu command; the toolbar stays open. It docks at the frame's top or left edge or
// floats; at the left edge it lays its buttons out vertically. Its place is kept in
// tallvane.ini, section ToolBarWindow.
#pragma once

#include <QToolBar>

#include "quay/app/settings.h"
#include "toolbar/toolbar_logic.h"

class QMainWindow;

namespace quay::desk {

class ToolbarView : public QToolBar {
    Q_OBJECT
public:
    ToolbarView(QMainWindow* frame, core::Settings& settings);

    // Puts the toolbar where it was left (top when nothing is saved).
    void restorePlace();
    // Writes where it is now.
    void savePlace();

    ToolbarDock dock() const;
    QAction* buttonAction(int event) const;

private:
    QMainWindow* m_frame;
    core::Settings& m_settings;
};

}  // namespace quay::desk
