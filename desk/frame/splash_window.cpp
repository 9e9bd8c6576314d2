// The splash window: a framed panel centred over the frame, closed by its own timer.
#include "frame/splash_window.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "about/about_window.h"

namespace quay::desk {

SplashWindow::SplashWindow(QWidget* frame) : QFrame(frame, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("SplashWindow");
    setFrameShape(QFrame::Box);
    setLineWidth(2);
    setStyleSheet("#SplashWindow { background: #f4f7fb; border: 2px solid #2f5d8a; }");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, 28, 36, 28);
    auto* title = new QLabel(QString::fromUtf8(AboutWindow::kProductTitle), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() * 2 + 4);
    big.setBold(true);
    title->setFont(big);
    title->setStyleSheet("color: #2f5d8a;");
    title->setAlignment(Qt::AlignCenter);
    auto* line = new QLabel(QString::fromUtf8(AboutWindow::kTagLine), this);
    line->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QString::fromUtf8(AboutWindow::kVersionText), this);
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addWidget(line);
    layout->addSpacing(8);
    layout->addWidget(version);
    adjustSize();
    if (frame) move(frame->geometry().center() - rect().center());
    QTimer::singleShot(kShowMilliseconds, this, &QWidget::close);
}

void SplashWindow::mousePressEvent(QMouseEvent* event) {
    event->accept();
    close();
}

}  // namespace quay::desk
