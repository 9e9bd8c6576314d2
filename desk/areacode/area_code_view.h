// The Qt window of EnterDefaultAreaCode over AreaCodeWindow: the explanation, the
// "Default Area Code:" entry of three characters, "&Ok" and "&Cancel".
#pragma once

#include <QDialog>

#include "areacode/area_code_logic.h"
#include "quay/app/settings.h"

class QLineEdit;

namespace quay::desk {

class AreaCodeView : public QDialog {
    Q_OBJECT
public:
    // Keeps its placement in `settings`, section EnterDefaultAreaCode.
    AreaCodeView(core::UiPort& ui, core::Settings& settings, QWidget* parent = nullptr);

    const core::WindowResponse& response() const { return m_logic.response(); }
    QLineEdit* entry() const { return m_entry; }

    void done(int result) override;

private:
    AreaCodeWindow m_logic;
    QLineEdit* m_entry;
};

}  // namespace quay::desk
