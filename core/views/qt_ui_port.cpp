// The desktop's UI port over Qt: message boxes, beep, busy cursor, program end and
// sub-windows through the window registry.
#include "quay/views/qt_ui_port.h"

#include <cstdlib>

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QString>
#include <QWidget>

#include "quay/views/window_registry.h"

namespace quay::core {

namespace {

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

struct ButtonPair {
    Button button;
    QMessageBox::StandardButton standard;
};

// In the order the boxes lay them out.
constexpr ButtonPair kButtons[] = {
    {Button::Ok, QMessageBox::Ok},         {Button::Yes, QMessageBox::Yes},     {Button::No, QMessageBox::No},
    {Button::Retry, QMessageBox::Retry},   {Button::Abort, QMessageBox::Abort}, {Button::Ignore, QMessageBox::Ignore},
    {Button::Cancel, QMessageBox::Cancel},
};

QMessageBox::StandardButton standardOf(Button b) {
    for (const auto& p : kButtons)
        if (p.button == b) return p.standard;
    return QMessageBox::NoButton;
}

Button buttonOf(int standard) {
    for (const auto& p : kButtons)
        if (p.standard == standard) return p.button;
    return Button::None;
}

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

QtUiPort::QtUiPort(WindowRegistry& registry, QWidget* parent) : m_registry(registry), m_parent(parent) {}

QtUiPort::~QtUiPort() {
    while (m_busyDepth > 0) setBusy(false);
}

std::string QtUiPort::displayText(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '|') c = '\n';
    return out;
}

Button QtUiPort::message(std::string_view caption, std::string_view text, Icon icon, ButtonSet buttons,
                         Button defaultButton) {
    QWidget* parent = m_parent ? m_parent : QApplication::activeWindow();
    QMessageBox box(boxIcon(icon), qs(caption), qs(displayText(text)), QMessageBox::NoButton, parent);
    for (const auto& p : kButtons)
        if (buttons.has(p.button)) box.addButton(p.standard);
    if (buttons.isEmpty()) box.addButton(QMessageBox::Ok);
    if (buttons.has(defaultButton)) box.setDefaultButton(standardOf(defaultButton));
    // Escape answers the box's way out: Cancel, else No, else the only button.
    if (buttons.has(Button::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    else if (buttons.has(Button::No))
        box.setEscapeButton(QMessageBox::No);
    // A question must be answered even while the busy cursor shows.
    const bool busy = m_busyDepth > 0;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy) QApplication::restoreOverrideCursor();
    if (box.clickedButton() == nullptr) return Button::None;
    return buttonOf(box.standardButton(box.clickedButton()));
}

void QtUiPort::beep(int /*frequency*/, int /*duration*/) {
    // The platform offers one alert sound; frequency and length are not adjustable.
    QApplication::beep();
}

void QtUiPort::setBusy(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_busyDepth;
    } else if (m_busyDepth > 0) {
        QApplication::restoreOverrideCursor();
        --m_busyDepth;
    }
}

void QtUiPort::endProgram(std::string_view text) {
    while (m_busyDepth > 0) setBusy(false);
    QMessageBox::critical(m_parent, QApplication::applicationDisplayName(), qs(displayText(text)));
    if (m_endHandler) {
        m_endHandler(text);
        return;
    }
    // Every write of the record store is already committed or rolled back whole, so
    // ending here loses nothing that was stored.
    std::exit(1);
}

WindowResponse QtUiPort::runWindow(WindowName name, const WindowRequest& request) {
    const std::string_view window = name.name();
    return m_registry.run(*this, window, request, m_parent);
}

}  // namespace quay::core
