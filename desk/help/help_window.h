// HelpWindow: the program's own help viewer. The user guide is built into the program, so
// Help works on any desktop, with or without a web browser, and wherever the program is
// installed. One help window serves the whole frame: choosing Help again brings it to the
// front at the subject asked for.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QTextBrowser;

namespace quay::desk {

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the guide at `subject` (an anchor of the guide: "backup", "using-help"), or at
    // its contents when empty. With `search` the find field takes the focus.
    void showSubject(const QString& subject, bool search = false);

    QTextBrowser* browser() const { return m_browser; }
    QLineEdit* findField() const { return m_find; }

    // Moves to the next place the find field's text occurs, from the top once the end is
    // passed; says in the window's status when it occurs nowhere.
    bool findNext();

private:
    QTextBrowser* m_browser = nullptr;
    QLineEdit* m_find = nullptr;
    QLabel* m_status = nullptr;
};

}  // namespace quay::desk
