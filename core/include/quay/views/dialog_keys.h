// DialogKeys: the keys of a dialog for a window that is not a QDialog (the tip of
// the day and the alarm windows stand on their own beside the frame): Enter presses
// the default button, Escape the button that leaves the window. Modified keys
// (Ctrl+Enter, Shift+Escape) are left to the window.
#pragma once

#include <QObject>
#include <QPointer>

#include "quay/export.h"

class QAbstractButton;
class QWidget;

namespace quay::core {

class QUAY_EXPORT DialogKeys : public QObject {
public:
    // Watches `window` (and is owned by it). Either button may be null: that key is
    // then left to the window.
    DialogKeys(QWidget* window, QAbstractButton* enterButton, QAbstractButton* escapeButton);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QAbstractButton> m_enter;
    QPointer<QAbstractButton> m_escape;
};

}  // namespace quay::core
