// The loader's window.
#include "alarm_load_view.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "quay/schedule/alarm_loader.h"

namespace quay::core {

AlarmLoadView::AlarmLoadView(UiPort& ui, const std::string& dataDirectory, const std::string& userId, QWidget* parent)
    : QWidget(parent, Qt::Dialog), m_ui(ui), m_thread(std::make_unique<AlarmLoadJob>(userId), dataDirectory) {
    setObjectName(QStringLiteral("LoadAlarmQueue"));
    setWindowTitle(QStringLiteral("Loading Schedule Information"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please Wait . . . . . . . "), this));
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    row->addWidget(cancel);
    layout->addLayout(row);
    connect(cancel, &QPushButton::clicked, this, &AlarmLoadView::cancelLoad);
    // The listener runs on the worker thread; the end is handled on this one.
    m_thread.setListener([this](const WorkerState& s) {
        if (s.outcome == WorkerOutcome::Running) return;
        QMetaObject::invokeMethod(
            this, [this] { onEnded(); }, Qt::QueuedConnection);
    });
}

AlarmLoadView::~AlarmLoadView() {
    m_thread.cancel();
    m_thread.wait();
}

void AlarmLoadView::start() {
    m_thread.start();
    show();
}

WorkerOutcome AlarmLoadView::outcome() const { return m_thread.state().outcome; }

void AlarmLoadView::cancelLoad() {
    if (m_ended) return;
    m_thread.cancel();
    m_thread.wait();
    onEnded();
}

void AlarmLoadView::onEnded() {
    if (m_ended) return;
    m_ended = true;
    m_thread.wait();
    const WorkerState s = m_thread.state();
    hide();
    if (s.outcome == WorkerOutcome::Cancelled)
        m_ui.message(kLoadIncompleteCaption, kLoadIncompleteText, Icon::Warning, Button::Ok, Button::Ok);
    else if (s.outcome == WorkerOutcome::Failed)
        m_ui.message(kLoadIncompleteCaption, m_thread.job().failureText() + "  " + kLoadIncompleteText, Icon::Warning,
                     Button::Ok, Button::Ok);
    emit finished();
    close();
}

void AlarmLoadView::closeEvent(QCloseEvent* event) {
    // The close box is Cancel.
    if (!m_ended) cancelLoad();
    event->accept();
}

}  // namespace quay::core
