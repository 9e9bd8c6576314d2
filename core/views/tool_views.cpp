// The calendar, the pick lists and the desktop launcher.
#include "quay/views/tool_views.h"

#include <vector>

#include <QDesktopServices>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "quay/app/globals.h"
#include "quay/app/table_access.h"
#include "quay/types/date.h"
#include "quay/views/defaults_form_view.h"
#include "quay/views/placement_keeper.h"
#include "quay/views/window_registry.h"

namespace quay::core {

// --- calendar ---

DateSelectView::DateSelectView(std::int32_t date, QWidget* parent)
    : QDialog(parent), m_calendar(date), m_chosen(m_calendar.cancel()) {
    setObjectName("DATESELECT");
    setWindowTitle(QString::fromStdString(m_calendar.title()));
    auto* layout = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    auto nav = [this, head](const char* text, const QString& tip, void (DateSelect::*step)()) {
        auto* b = new QPushButton(text, this);
        b->setToolTip(tip);
        b->setAutoDefault(false);
        b->setFixedWidth(fontMetrics().horizontalAdvance("<<") + 20);
        connect(b, &QPushButton::clicked, this, [this, step] {
            (m_calendar.*step)();
            refresh();
        });
        head->addWidget(b);
    };
    nav("<<", tr("Previous month"), &DateSelect::previousMonth);
    m_month = new QLabel(this);
    m_month->setAlignment(Qt::AlignCenter);
    m_month->setMinimumWidth(fontMetrics().horizontalAdvance("September") + 12);
    head->addWidget(m_month);
    nav(">>", tr("Next month"), &DateSelect::nextMonth);
    head->addSpacing(12);
    nav("<<", tr("Previous year"), &DateSelect::previousYear);
    m_year = new QLabel(this);
    m_year->setAlignment(Qt::AlignCenter);
    m_year->setMinimumWidth(fontMetrics().horizontalAdvance("0000") + 12);
    head->addWidget(m_year);
    nav(">>", tr("Next year"), &DateSelect::nextYear);
    layout->addLayout(head);

    auto* grid = new QGridLayout;
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int c = 0; c < DateSelect::kColumns; ++c) {
        auto* l = new QLabel(tr(kDays[c]), this);
        l->setAlignment(Qt::AlignCenter);
        grid->addWidget(l, 0, c);
    }
    for (int i = 0; i < DateSelect::kCells; ++i) {
        auto* b = new QPushButton(this);
        b->setAutoDefault(false);
        b->setFixedSize(fontMetrics().horizontalAdvance("00") + 22, fontMetrics().height() + 12);
        connect(b, &QPushButton::clicked, this, [this, i] {
            const std::int32_t d = m_calendar.pick(i);
            if (d == 0) return;
            m_chosen = d;
            accept();
        });
        m_days[i] = b;
        grid->addWidget(b, 1 + i / DateSelect::kColumns, i % DateSelect::kColumns);
    }
    layout->addLayout(grid);
    auto* cancel = new QPushButton(tr("&Cancel"), this);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* foot = new QHBoxLayout;
    foot->addStretch(1);
    foot->addWidget(cancel);
    layout->addLayout(foot);
    refresh();
    keepPlacement(this, "DATESELECT");
}

void DateSelectView::refresh() {
    m_month->setText(QString::fromStdString(m_calendar.monthName()));
    m_year->setText(QString::number(m_calendar.year()));
    const auto cells = m_calendar.grid();
    const int highlight = m_calendar.highlightedCell();
    for (int i = 0; i < DateSelect::kCells; ++i) {
        const int d = cells[static_cast<std::size_t>(i)];
        m_days[i]->setVisible(d != 0);
        m_days[i]->setText(QString::number(d));
        m_days[i]->setDefault(i == highlight);
        if (i == highlight) m_days[i]->setFocus();
    }
}

// --- pick lists ---

PickListView::PickListView(PickList& list, QWidget* parent) : QDialog(parent), m_list(list) {
    const PickSpec& spec = list.spec();
    setObjectName(QString::fromStdString(spec.procedure));
    setWindowTitle(QString::fromStdString(spec.title));
    auto* layout = new QVBoxLayout(this);
    auto* help =
        new QLabel(tr("<b>Select 1 item:</b> click it.<br><b>Select multiple items:</b> hold Ctrl and click "
                      "each.<br><b>Select range of items:</b> click the first, hold Shift and click the last."),
                   this);
    help->setWordWrap(true);
    layout->addWidget(help);
    if (spec.hasLocator) {
        auto* row = new QHBoxLayout;
        auto* l = new QLabel(tr("&Locate:"), this);
        m_locator = new QLineEdit(this);
        l->setBuddy(m_locator);
        row->addWidget(l);
        row->addWidget(m_locator, 1);
        layout->addLayout(row);
        connect(m_locator, &QLineEdit::returnPressed, this, [this] {
            m_list.locate(m_locator->text().toStdString());
            m_locator->clear();
            if (auto c = m_list.current()) m_table->scrollToItem(m_table->item(static_cast<int>(*c), 0));
            if (auto c = m_list.current())
                m_table->setCurrentCell(static_cast<int>(*c), 0, QItemSelectionModel::NoUpdate);
            m_table->setFocus();
        });
    }
    m_table = new QTableWidget(0, static_cast<int>(spec.headings.size()), this);
    QStringList headings;
    for (const auto& h : spec.headings) headings << QString::fromStdString(h);
    m_table->setHorizontalHeaderLabels(headings);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The marks are the logic's: the view draws them, the clicks go to PickList.
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setFocusPolicy(Qt::StrongFocus);
    connect(m_table, &QTableWidget::cellPressed, this, [this](int row, int) {
        const auto mods = QGuiApplication::keyboardModifiers();
        m_list.click(static_cast<std::size_t>(row), mods & Qt::ShiftModifier     ? PickClick::Shift
                                                    : mods & Qt::ControlModifier ? PickClick::Ctrl
                                                                                 : PickClick::Plain);
        showMarks();
    });
    layout->addWidget(m_table, 1);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    layout->addWidget(m_progress);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(tr("&Ok"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        m_list.ok();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] {
        if (!m_list.isClosed()) m_list.cancel();
    });

    m_list.open();
    rebuild();
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &PickListView::tick);
    if (m_list.isLoading()) m_timer->start(0);
    m_progress->setVisible(m_list.progressVisible());
    resize(420, 460);
    keepPlacement(this, QString::fromStdString(spec.procedure));
}

void PickListView::tick() {
    const bool more = m_list.tick();
    rebuild();
    if (m_list.takeProgressChanged()) m_progress->setValue(m_list.progress());
    m_progress->setVisible(m_list.progressVisible());
    if (!more && m_timer) m_timer->stop();
}

void PickListView::rebuild() {
    const int n = static_cast<int>(m_list.size());
    m_table->setRowCount(n);
    for (int r = m_shown; r < n; ++r) {
        const auto cells = m_list.cells(static_cast<std::size_t>(r));
        for (std::size_t c = 0; c < cells.size(); ++c)
            m_table->setItem(r, static_cast<int>(c), new QTableWidgetItem(QString::fromStdString(cells[c])));
    }
    m_shown = n;
    showMarks();
}

void PickListView::refreshMarks() { showMarks(); }

void PickListView::showMarks() {
    const QPalette p = palette();
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const bool on = m_list.marked(static_cast<std::size_t>(r));
        for (int c = 0; c < m_table->columnCount(); ++c) {
            if (QTableWidgetItem* item = m_table->item(r, c)) {
                item->setBackground(on ? p.highlight() : p.base());
                item->setForeground(on ? p.highlightedText() : p.text());
            }
        }
    }
}

// --- launcher ---

std::string DesktopLauncher::resolve(const std::string& target) {
    const QString t = QString::fromStdString(target).trimmed();
    if (t.isEmpty()) return {};
    if (t.startsWith("mailto:", Qt::CaseInsensitive)) return t.toStdString();
    QUrl url(t, QUrl::StrictMode);
    if (url.scheme().isEmpty()) url = QUrl("http://" + t, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != "http" && scheme != "https" && scheme != "ftp")) return {};
    return url.toString().toStdString();
}

void DesktopLauncher::open(const std::string& target) {
    const std::string url = resolve(target);
    if (!url.empty()) QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

// --- registration ---

void registerFrameworkWindows(WindowRegistry& registry) {
    static DesktopLauncher launcher;
    setProgramLauncher(&launcher);
    registerDefaultsForm(registry);
    registry.add("DATESELECT", [](WindowContext& c, const WindowRequest& r) {
        DateSelectView view(r.number, c.parent);
        const bool picked = view.exec() == QDialog::Accepted;
        return WindowResponse{picked ? Response::Completed : Response::Cancelled, view.chosen(), {}};
    });
    for (const PickSpec& spec : pickSpecs()) {
        registry.add(spec.procedure, [&spec](WindowContext& c, const WindowRequest&) {
            if (c.database == nullptr) return WindowResponse{};
            // A buffer for the table's records, aligned for any record struct.
            std::vector<std::max_align_t> buffer(spec.table->recordSize / sizeof(std::max_align_t) + 1);
            Table table(*c.database, *spec.table, buffer.data());
            TableAccess access(c.ui, table);
            if (!access.isOpen()) return WindowResponse{};
            PickList list(c.ui, table, spec);
            PickListView view(list, c.parent);
            view.exec();
            if (!list.isClosed()) list.cancel();
            return WindowResponse{list.response(), 0, {}};
        });
    }
}

}  // namespace quay::core
