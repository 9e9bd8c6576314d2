// The about window: the product's title, its version and one "&Close" button.
#pragma once

#include <QDialog>

namespace quay::desk {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kProductTitle = "Billquay";
    static constexpr const char* kTagLine = "Quotes, invoices and accounts for the business that sells on account";
    static constexpr const char* kVersionText = "Version 1.01.00";

    explicit AboutWindow(QWidget* parent = nullptr);
};

}  // namespace quay::desk
