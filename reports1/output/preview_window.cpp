// The preview window. The canvas is sized from the state's scale: in the fit modes it fills
// the scroll area's viewport, at a percentage it grows and the scroll bars appear. A
// problem (a refused print, a PDF that cannot be written) is shown in a message over the
// window, which stays open, and stays in the status line until the next success.
#include "preview_window.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QKeySequence>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>

#include "page_canvas.h"
#include "quay/reports/output/pdf_output.h"

namespace quay::reports::detail {
namespace {

struct TileChoice {
    const char* label;
    int across;
    int down;
};
constexpr std::array<TileChoice, 6> kTiles{
    {{"1 x 1", 1, 1}, {"2 x 1", 2, 1}, {"1 x 2", 1, 2}, {"2 x 2", 2, 2}, {"3 x 2", 3, 2}, {"4 x 4", 4, 4}}};

struct ZoomChoice {
    const char* label;
    ZoomMode mode;
    int percent;
};
constexpr std::array<ZoomChoice, 8> kZooms{{{"Fit Page", ZoomMode::FitPage, 0},
                                            {"Fit Width", ZoomMode::FitWidth, 0},
                                            {"50%", ZoomMode::Percent, 50},
                                            {"75%", ZoomMode::Percent, 75},
                                            {"100%", ZoomMode::Percent, 100},
                                            {"150%", ZoomMode::Percent, 150},
                                            {"200%", ZoomMode::Percent, 200},
                                            {"300%", ZoomMode::Percent, 300}}};

}  // namespace

PreviewWindow::PreviewWindow(const PageList& pages, const std::string& reportTitle, QWidget* parent,
                             PrintAction printAction)
    : QDialog(parent),
      m_pages(pages),
      m_reportTitle(reportTitle),
      m_state(pages.pageCount()),
      m_print(std::move(printAction)) {
    setWindowTitle(QStringLiteral("Report Preview"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    auto* bar = new QToolBar(this);
    QAction* print = bar->addAction(QStringLiteral("&Print"), this, [this] { requestPrint(); });
    print->setShortcut(QKeySequence::Print);
    print->setStatusTip(QStringLiteral("Print the report"));
    QAction* pdf = bar->addAction(QStringLiteral("Save as P&DF\u2026"), this, [this] { saveAsPdf(); });
    pdf->setShortcut(QKeySequence::Save);
    pdf->setStatusTip(QStringLiteral("Keep the report as a PDF file"));
    QAction* exit = bar->addAction(QStringLiteral("E&xit"), this, [this] { reject(); });
    exit->setStatusTip(QStringLiteral("Close the preview without printing"));
    bar->addSeparator();
    m_previous = bar->addAction(QStringLiteral("P&revious"), this, [this] { goPrevious(); });
    m_previous->setShortcut(QKeySequence::MoveToPreviousPage);
    m_previous->setStatusTip(QStringLiteral("Show the previous pages"));
    m_next = bar->addAction(QStringLiteral("&Next"), this, [this] { goNext(); });
    m_next->setShortcut(QKeySequence::MoveToNextPage);
    m_next->setStatusTip(QStringLiteral("Show the next pages"));
    bar->addSeparator();
    bar->addWidget(new QLabel(QStringLiteral(" Page: "), bar));
    m_pageBox = new QSpinBox(bar);
    m_pageBox->setRange(std::min(1, m_state.pageCount()), std::max(1, m_state.pageCount()));
    m_pageBox->setStatusTip(QStringLiteral("Jump to a page"));
    bar->addWidget(m_pageBox);
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int page) { goToPage(page); });
    bar->addWidget(new QLabel(QStringLiteral("  Pages: "), bar));
    m_tiles = new QComboBox(bar);
    for (const TileChoice& t : kTiles) m_tiles->addItem(QString::fromLatin1(t.label));
    m_tiles->setStatusTip(QStringLiteral("Pages across and down"));
    bar->addWidget(m_tiles);
    connect(m_tiles, &QComboBox::activated, this, [this](int i) { chooseTiles(i); });
    bar->addWidget(new QLabel(QStringLiteral("  Zoom: "), bar));
    m_zoom = new QComboBox(bar);
    for (const ZoomChoice& z : kZooms) m_zoom->addItem(QString::fromLatin1(z.label));
    m_zoom->setStatusTip(QStringLiteral("Zoom"));
    bar->addWidget(m_zoom);
    connect(m_zoom, &QComboBox::activated, this, [this](int i) { chooseZoom(i); });

    m_scroll = new QScrollArea(this);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_canvas = new PageCanvas(m_pages, m_state, m_scroll);
    m_scroll->setWidget(m_canvas);
    m_scroll->setWidgetResizable(false);
    m_scroll->viewport()->installEventFilter(this);

    m_status = new QLabel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_status);
    placeOnScreen();
    refresh();
}

void PreviewWindow::placeOnScreen() {
    // A letter page fits a tall window; on a small screen the window takes the free area
    // less room for its frame, so its foot never hides under the task bar.
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QSize wanted(1000, 900);
    if (screen == nullptr) {
        resize(wanted);
        return;
    }
    const QRect free = screen->availableGeometry();
    constexpr int kFrameWidth = 16;
    constexpr int kFrameHeight = 48;
    const QSize size = wanted.boundedTo(QSize(free.width() - kFrameWidth, free.height() - kFrameHeight));
    resize(size);
    move(free.x() + (free.width() - size.width() - kFrameWidth) / 2,
         free.y() + (free.height() - size.height() - kFrameHeight) / 2);
}

void PreviewWindow::goNext() {
    if (m_state.next()) refresh();
}

void PreviewWindow::goPrevious() {
    if (m_state.previous()) refresh();
}

void PreviewWindow::goToPage(int page) {
    if (page != m_state.currentPage() && m_state.jumpTo(page)) refresh();
}

void PreviewWindow::chooseTiles(int index) {
    if (index < 0 || index >= static_cast<int>(kTiles.size())) return;
    m_state.setTiles(kTiles[static_cast<std::size_t>(index)].across, kTiles[static_cast<std::size_t>(index)].down);
    refresh();
}

void PreviewWindow::chooseZoom(int index) {
    if (index < 0 || index >= static_cast<int>(kZooms.size())) return;
    const ZoomChoice& z = kZooms[static_cast<std::size_t>(index)];
    if (z.mode == ZoomMode::FitPage) m_state.setFitPage();
    if (z.mode == ZoomMode::FitWidth) m_state.setFitWidth();
    if (z.mode == ZoomMode::Percent) m_state.setPercent(z.percent);
    refresh();
}

void PreviewWindow::requestPrint() {
    m_printRequested = true;
    if (!m_print) {
        accept();
        return;
    }
    const std::string why = m_print();
    if (why.empty()) {
        m_printed = true;
        m_printFailed = false;
        accept();
        return;
    }
    m_printFailed = true;
    showProblem(QStringLiteral("Print"), QStringLiteral("The report could not be printed.\n\n") +
                                             QString::fromStdString(why) +
                                             QStringLiteral("\n\nYou can try again, or save it with Save as PDF."));
}

void PreviewWindow::saveAsPdf() {
    QString suggested = QString::fromStdString(m_reportTitle).simplified();
    suggested.replace(QLatin1Char('/'), QLatin1Char('-'));
    suggested.remove(QLatin1Char('#'));
    if (suggested.isEmpty()) suggested = QStringLiteral("Report");
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save as PDF"), suggested + ".pdf",
                                                      QStringLiteral("PDF files (*.pdf)"));
    if (!path.isEmpty()) saveAsPdf(path);
}

bool PreviewWindow::saveAsPdf(const QString& chosen) {
    QString path = chosen;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    std::string error;
    if (!writePdf(m_pages, path.toStdString(), &error)) {
        showProblem(QStringLiteral("Save as PDF"),
                    QStringLiteral("The PDF file was not written.\n\n") + QString::fromStdString(error));
        return false;
    }
    m_notice = QStringLiteral("Saved as ") + QDir::toNativeSeparators(path);
    refresh();
    return true;
}

void PreviewWindow::showProblem(const QString& caption, const QString& text) {
    m_notice = QString(text).replace(QStringLiteral("\n\n"), QStringLiteral("  "));
    refresh();
    // Window-modal and not waited for: the preview stays usable behind it.
    auto* box = new QMessageBox(QMessageBox::Warning, caption, text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize) refresh();
    return QDialog::eventFilter(watched, event);
}

void PreviewWindow::readAhead(const std::vector<int>& visible) {
    // The screenful after the one in view is read back now, so Next paints from pages
    // already decoded; the page store keeps more pages than two screenfuls of the largest
    // tiling.
    if (visible.empty()) return;
    const int screenful = m_state.across() * m_state.down();
    for (int page = visible.back() + 1; page <= std::min(visible.back() + screenful, m_state.pageCount()); ++page)
        (void)m_pages.readPage(page - 1);
}

void PreviewWindow::refresh() {
    m_previous->setEnabled(m_state.canGoPrevious());
    m_next->setEnabled(m_state.canGoNext());
    {
        QSignalBlocker block(m_pageBox);
        m_pageBox->setValue(m_state.currentPage());
    }
    m_tiles->setCurrentIndex([this] {
        for (std::size_t i = 0; i < kTiles.size(); ++i)
            if (kTiles[i].across == m_state.across() && kTiles[i].down == m_state.down()) return static_cast<int>(i);
        return 0;
    }());
    m_zoom->setCurrentIndex([this] {
        for (std::size_t i = 0; i < kZooms.size(); ++i)
            if (kZooms[i].mode == m_state.zoomMode() &&
                (m_state.zoomMode() != ZoomMode::Percent || kZooms[i].percent == m_state.percent()))
                return static_cast<int>(i);
        return 0;
    }());
    QSize view = m_scroll->viewport()->size();
    const PageGeometry& g = m_pages.geometry;
    double scale = m_state.scale(view.width(), view.height(), g.width, g.height, kPageGap, logicalDpiX());
    m_canvas->setScale(scale);
    if (m_state.zoomMode() != ZoomMode::Percent) {
        // Fill the viewport so that the pages stay centred.
        m_canvas->resize(std::max(m_canvas->width(), view.width()), std::max(m_canvas->height(), view.height()));
    }
    std::vector<int> visible = m_state.visiblePages();
    readAhead(visible);
    QString shown = visible.empty()       ? QStringLiteral("0")
                    : visible.size() == 1 ? QString::number(visible.front())
                                          : QStringLiteral("%1-%2").arg(visible.front()).arg(visible.back());
    QString status = QStringLiteral(" %1    Page %2 of %3")
                         .arg(QString::fromStdString(m_reportTitle), shown)
                         .arg(m_state.pageCount());
    if (!m_notice.isEmpty()) status += QStringLiteral("    ") + m_notice;
    m_status->setText(status);
}

}  // namespace quay::reports::detail
