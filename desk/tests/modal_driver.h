// ModalDriver: works the modal windows a window test opens, the way a user would,
// while the test's own call is blocked inside the first one. The test lists the
// windows it expects in order, each with what to do in it (keys, typing, clicks);
// a timer watches the active modal window and, when the next expected one is up,
// runs its action from a fresh event (so an action may itself open further modal
// windows, which the driver goes on to work). Message boxes are recorded with their
// caption and text. The report preview and the missing-printer question are
// answered whenever they come up, so a print never holds the test.
//
// When an expected window does not come within the time limit, the driver records
// what was showing instead and closes the modal windows one by one, so a failing
// test ends instead of hanging.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quay::desk::testing {

class ModalDriver {
public:
    using Action = std::function<void(QWidget*)>;
    using Match = std::function<bool(QWidget*)>;

    struct Message {
        QString caption;
        QString text;
    };

    explicit ModalDriver(int timeoutMs = 20000) : m_timeoutMs(timeoutMs) {
        m_timer.setInterval(15);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    }

    // The next expected window: the active modal window whose objectName is `name`.
    ModalDriver& window(const QString& name, Action act) {
        return step(
            "window " + name.toStdString(), [name](QWidget* w) { return w->objectName() == name; }, std::move(act));
    }
    // The next expected message box, by its caption.
    ModalDriver& message(const QString& caption, Action act) {
        return step(
            "message \"" + caption.toStdString() + "\"",
            [caption](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr && w->windowTitle() == caption; },
            std::move(act));
    }
    ModalDriver& step(std::string what, Match match, Action act) {
        m_steps.push_back({std::move(what), std::move(match), std::move(act)});
        return *this;
    }

    void start() {
        m_clock.start();
        m_timer.start();
    }
    void stop() { m_timer.stop(); }

    bool done() const { return m_next == m_steps.size() && m_failure.empty(); }
    const std::string& failure() const { return m_failure; }
    // The expected steps not reached.
    std::string pending() const { return m_next < m_steps.size() ? m_steps[m_next].what : std::string(); }
    const std::vector<Message>& messages() const { return m_messages; }
    int previews() const { return m_previews; }

    // The text of a message box (what the user reads).
    static QString textOf(QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        return box != nullptr ? box->text() : QString();
    }
    // The button of a message box or dialog with `text` (mnemonic marks ignored).
    static QAbstractButton* button(QWidget* w, const QString& text) {
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            if (QString(b->text()).remove('&') == QString(text).remove('&')) return b;
        return nullptr;
    }

private:
    struct Step {
        std::string what;
        Match match;
        Action act;
    };

    void tick() {
        if (m_acting) return;
        QWidget* w = QApplication::activeModalWidget();
        if (w == nullptr || !w->isVisible()) return checkTime(nullptr);
        // A window acted upon that is still closing is not the next one.
        if (m_last != nullptr && w == m_last.data()) return checkTime(w);
        if (incidental(w)) return;
        if (m_next < m_steps.size() && m_steps[m_next].match(w)) {
            Step& s = m_steps[m_next++];
            record(w);
            act(w, s.act);
            return;
        }
        checkTime(w);
    }

    // The preview of a print and the question about a missing printer.
    bool incidental(QWidget* w) {
        if (w->windowTitle() == "Report Preview") {
            ++m_previews;
            act(w, [](QWidget* x) { static_cast<QDialog*>(x)->reject(); });
            return true;
        }
        if (textOf(w).contains("No DEFAULT Printer")) {
            record(w);
            act(w, [](QWidget* x) {
                if (QAbstractButton* yes = button(x, "Yes")) yes->click();
            });
            return true;
        }
        return false;
    }

    void record(QWidget* w) {
        if (qobject_cast<QMessageBox*>(w) != nullptr) m_messages.push_back({w->windowTitle(), textOf(w)});
    }

    void act(QWidget* w, const Action& action) {
        m_acting = true;
        m_last = w;
        m_clock.restart();
        QPointer<QWidget> target(w);
        QTimer::singleShot(0, [this, target, action] {
            m_acting = false;
            if (target != nullptr) action(target.data());
        });
    }

    // A modal window that is not the one expected, for longer than the time limit.
    void checkTime(QWidget* showing) {
        if (showing == nullptr || m_clock.elapsed() < m_timeoutMs) return;
        if (m_failure.empty()) {
            m_failure =
                "waited for " + (m_next < m_steps.size() ? m_steps[m_next].what : std::string("nothing")) +
                "; showing: " +
                (showing->objectName() + " \"" + showing->windowTitle() + "\" " + textOf(showing)).toStdString();
        }
        m_next = m_steps.size();
        // Unwind: every modal window is closed so the test's call returns.
        if (auto* d = qobject_cast<QDialog*>(showing))
            d->reject();
        else
            showing->close();
        m_clock.restart();
        m_timeoutMs = 200;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    int m_timeoutMs;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    bool m_acting = false;
    QPointer<QWidget> m_last;
    std::vector<Message> m_messages;
    int m_previews = 0;
    std::string m_failure;
};

}  // namespace quay::desk::testing
