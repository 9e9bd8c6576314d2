// AlarmWindowView: the "Alarm" window over an AlarmWindow: the entry's customer,
// entered moment, vendor, product, alarm moment, quote, invoice, PO#, action and
// comments, the postponement drop list and the four buttons. It deletes itself
// when closed; its placement is kept under "AlarmWindow".
#pragma once

#include <memory>

#include <QWidget>

#include "quay/util/alarm_window.h"

class QComboBox;

namespace quay::util {

class AlarmWindowView : public QWidget {
    Q_OBJECT
public:
    // REQUIRES: `window` is open.
    AlarmWindowView(std::unique_ptr<AlarmWindow> window, QWidget* parent = nullptr);

    AlarmWindow& window() { return *m_window; }
    QComboBox* choices() const { return m_choices; }

private:
    void build();

    std::unique_ptr<AlarmWindow> m_window;
    QComboBox* m_choices = nullptr;
};

}  // namespace quay::util
