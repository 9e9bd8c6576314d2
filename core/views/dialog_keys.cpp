// Enter and Escape for windows that are not dialogs.
#include "quay/views/dialog_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace quay::core {

DialogKeys::DialogKeys(QWidget* window, QAbstractButton* enterButton, QAbstractButton* escapeButton)
    : QObject(window), m_enter(enterButton), m_escape(escapeButton) {
    window->installEventFilter(this);
    // The keys reach the window through whichever of its children has the focus.
    for (QWidget* child : window->findChildren<QWidget*>()) child->installEventFilter(this);
}

bool DialogKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier) return false;
    QAbstractButton* button = nullptr;
    if (key->key() == Qt::Key_Escape)
        button = m_escape;
    else if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && m_enter) {
        // A button with the focus answers Enter itself, as in a dialog.
        auto* focused = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
        button = focused != nullptr && focused->window() == m_enter->window() ? focused : m_enter.data();
    }
    if (button == nullptr || !button->isEnabled()) return false;
    button->click();
    return true;
}

}  // namespace quay::core
