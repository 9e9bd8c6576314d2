// TipOfDayView: the "Tip Of The Day" window over a TipOfDayWindow: the tip's text,
// "Display Next Time", "&Next >>>" and "&Close". Closing it any way is "&Close",
// Escape and Enter among them.
// It deletes itself when closed; its placement is kept under "DisplayTipOfDay".
#pragma once

#include <memory>

#include <QWidget>

#include "quay/util/tip_of_day.h"

class QCheckBox;
class QTextBrowser;

namespace quay::util {

class TipOfDayView : public QWidget {
    Q_OBJECT
public:
    // REQUIRES: `window` is open.
    TipOfDayView(std::unique_ptr<TipOfDayWindow> window, QWidget* parent = nullptr);

    TipOfDayWindow& window() { return *m_window; }
    QTextBrowser* text() const { return m_text; }
    QCheckBox* displayNextTime() const { return m_display; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showTip();

    std::unique_ptr<TipOfDayWindow> m_window;
    QTextBrowser* m_text = nullptr;
    QCheckBox* m_display = nullptr;
};

}  // namespace quay::util
