// The "Report Preview" window: a tool bar (print, save as PDF, exit, previous, next, the
// page spin box, pages across and down, zoom) over a scrolling canvas that paints the
// pages in view with the page painter, and a status line. All navigation state lives in
// PreviewState; the window only shows it. It opens within its screen's free area, so the
// tool bar and the foot of the page can both be reached.
//
// Print, with a print action: the action sends the pages; the window closes when they
// went and stays open with the reason when they did not. Without one, Print closes the
// window and the caller prints (PRINTPREVIEW).
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "quay/reports/engine/page_list.h"
#include "quay/reports/engine/preview_state.h"

class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;

namespace quay::reports::detail {

class PageCanvas;

// Sends the pages to the printer: empty when they went, else why not, for the user.
using PrintAction = std::function<std::string()>;

// REQUIRES: pages outlives the window.
class PreviewWindow final : public QDialog {
public:
    PreviewWindow(const PageList& pages, const std::string& reportTitle, QWidget* parent = nullptr,
                  PrintAction print = {});

    bool printRequested() const { return m_printRequested; }
    // With a print action: the pages went to the printer / the last print failed.
    bool printed() const { return m_printed; }
    bool printFailed() const { return m_printFailed; }
    const PreviewState& state() const { return m_state; }

    // The tool bar's commands, for the tool bar and for tests.
    void goNext();
    void goPrevious();
    void goToPage(int page);
    void chooseTiles(int index);  // an entry of tileChoices()
    void chooseZoom(int index);   // an entry of zoomChoices()
    void requestPrint();
    // "Save as PDF...": asks for the file, then writes it.
    void saveAsPdf();
    // Writes the pages to path (".pdf" added when it has no suffix). False, with the
    // reason shown in the status line and a message, when the file cannot be written;
    // an existing file is then left as it was.
    bool saveAsPdf(const QString& path);

    QSpinBox* pageBox() const { return m_pageBox; }
    QLabel* statusLabel() const { return m_status; }
    QComboBox* tilesBox() const { return m_tiles; }
    QComboBox* zoomBox() const { return m_zoom; }

protected:
    // Refits the pages when the scroll area's viewport changes size.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void placeOnScreen();
    void showProblem(const QString& caption, const QString& text);
    void readAhead(const std::vector<int>& visible);

    const PageList& m_pages;
    std::string m_reportTitle;
    PreviewState m_state;
    PrintAction m_print;
    bool m_printRequested = false;
    bool m_printed = false;
    bool m_printFailed = false;
    QString m_notice;  // the status line's message after a print or a save
    QAction* m_previous = nullptr;
    QAction* m_next = nullptr;
    QSpinBox* m_pageBox = nullptr;
    QComboBox* m_tiles = nullptr;
    QComboBox* m_zoom = nullptr;
    QLabel* m_status = nullptr;
    QScrollArea* m_scroll = nullptr;
    PageCanvas* m_canvas = nullptr;
};

}  // namespace quay::reports::detail
