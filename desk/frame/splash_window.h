// The splash window shown while the frame opens: the program's name and version over
// the frame. It closes itself after a few seconds, on a click, or when the first menu
// command is chosen.
#pragma once

#include <QFrame>

namespace quay::desk {

class SplashWindow : public QFrame {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 2500;

    explicit SplashWindow(QWidget* frame);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace quay::desk
