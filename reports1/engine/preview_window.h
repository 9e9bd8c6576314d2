// The "Report Preview" window: a tool bar (print, exit, previous, next, the page spin box,
// pages across and down, zoom) over a scrolling canvas that paints the pages in view with
// the page painter. All navigation state lives in PreviewState; the window only shows it.
#pragma once

#include <QDialog>
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

// REQUIRES: pages outlives the window.
class PreviewWindow final : public QDialog {
 public:
  PreviewWindow(const PageList& pages, const std::string& reportTitle, QWidget* parent = nullptr);

  bool printRequested() const { return m_printRequested; }
  const PreviewState& state() const { return m_state; }

  // The tool bar's commands, for the tool bar and for tests.
  void goNext();
  void goPrevious();
  void goToPage(int page);
  void chooseTiles(int index);  // an entry of tileChoices()
  void chooseZoom(int index);   // an entry of zoomChoices()
  void requestPrint();

  QSpinBox* pageBox() const { return m_pageBox; }
  QLabel* statusLabel() const { return m_status; }
  QComboBox* tilesBox() const { return m_tiles; }
  QComboBox* zoomBox() const { return m_zoom; }

 protected:
  // Refits the pages when the scroll area's viewport changes size.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void refresh();
  void readAhead(const std::vector<int>& visible);

  const PageList& m_pages;
  std::string m_reportTitle;
  PreviewState m_state;
  bool m_printRequested = false;
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
