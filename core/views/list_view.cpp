// The list window widget: a thin view that forwards every event to ListWindow and
// shows the rows ListModel pages in. What a key or a button does is the window's
// business; the view only maps Qt's keys onto the window's events.
#include "quay/views/list_view.h"

#include <algorithm>
#include <cstring>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

#include "quay/views/list_model.h"
#include "quay/views/placement_keeper.h"

namespace quay::core {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Columns never grow past this many characters for one long text; the last one
// stretches into whatever room is left.
constexpr int kWidestColumn = 40;
const QSize kSmallest(200, 150);

}  // namespace

ListView::ListView(ListWindow& window, QWidget* parent) : QWidget(parent), m_window(window) {
    setWindowTitle(qs(window.spec().title));
    setObjectName(qs(window.spec().procedure));
    build();
}

ListView::~ListView() {
    // The model goes first: it refers to the window the owner holds.
    delete m_model;
    m_model = nullptr;
}

void ListView::build() {
    auto* layout = new QVBoxLayout(this);
    const ListSpec& spec = m_window.spec();

    if (!spec.heading.empty()) {
        auto* heading = new QLabel(qs(spec.heading), this);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        layout->addWidget(heading);
    }

    m_tabs = new QTabBar(this);
    for (const auto& t : spec.tabs) m_tabs->addTab(qs(t.caption));
    m_tabs->setVisible(spec.tabs.size() > 1 || !spec.tabs.front().caption.empty());
    m_tabs->setDrawBase(true);
    m_tabs->setExpanding(false);
    m_tabs->setFocusPolicy(Qt::TabFocus);
    layout->addWidget(m_tabs);

    auto* top = new QHBoxLayout;
    if (spec.activeField >= 0) {
        m_active = new QCheckBox(qs(spec.activeCaption), this);
        m_active->setChecked(m_window.activeOnly());
        m_active->setToolTip(qs(spec.activeTip));
        m_active->setStatusTip(qs(spec.activeTip));
        top->addWidget(m_active);
    }
    top->addStretch(1);
    auto* locLabel = new QLabel(tr("&Locate:"), this);
    m_locator = new QLineEdit(this);
    m_locator->setObjectName("Locator");
    m_locator->setMaxLength(static_cast<int>(ListWindow::kLocatorLength));
    m_locator->setMaximumWidth(220);
    locLabel->setBuddy(m_locator);
    const bool locates =
        std::any_of(spec.tabs.begin(), spec.tabs.end(), [](const ListTab& t) { return t.locatorField >= 0; });
    locLabel->setVisible(locates);
    m_locator->setVisible(locates);
    top->addWidget(locLabel);
    top->addWidget(m_locator);
    layout->addLayout(top);
    if (!spec.detailLabels.empty()) {
        m_detail = new QLabel(this);
        m_detail->setTextFormat(Qt::PlainText);
        layout->addWidget(m_detail);
    }

    m_model = new ListModel(m_window, nullptr);
    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_table->installEventFilter(this);
    layout->addWidget(m_table, 1);
    // Arrows, Enter and typing reach the list as soon as the window opens.
    setFocusProxy(m_table);
    // Window > Tile gives every window a slot of the same size, no smaller than the
    // largest minimum among them: a list may be made small (its buttons and columns
    // then give way) so that a dozen lists still fit the frame.
    setMinimumSize(kSmallest);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_select = new QPushButton(tr("&Select"), this);
    m_select->setVisible(m_window.isSelecting());
    auto* insert = new QPushButton(tr("&Insert"), this);
    auto* change = new QPushButton(qs(spec.changeCaption), this);
    auto* del = new QPushButton(tr("&Delete"), this);
    insert->setEnabled(spec.allowInsert && !spec.formProcedure.empty());
    change->setEnabled(spec.allowChange && !spec.formProcedure.empty());
    del->setEnabled(spec.allowDelete && !spec.formProcedure.empty());
    for (QPushButton* b : {insert, change, del}) b->setVisible(spec.formButtons);
    std::vector<QPushButton*> all{m_select, insert, change, del};
    for (std::size_t i = 0; i < spec.commands.size(); ++i) {
        auto* b = new QPushButton(qs(spec.commands[i].caption), this);
        connect(b, &QPushButton::clicked, this, [this, i] { command([this, i] { m_window.command(i); }); });
        all.push_back(b);
    }
    auto* close = new QPushButton(tr("Close"), this);
    all.push_back(close);
    for (auto* b : all) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus);
        // Buttons give way when Window > Tile makes the window narrow, so it fits its slot.
        b->setMinimumWidth(std::min(b->sizeHint().width(), 24));
        buttons->addWidget(b);
    }
    if (m_window.isSelecting()) m_select->setDefault(true);
    layout->addLayout(buttons);

    connect(m_tabs, &QTabBar::currentChanged, this, [this](int i) {
        command([this, i] { m_window.selectTab(i); });
        showLocator();
    });
    if (m_active)
        connect(m_active, &QCheckBox::toggled, this,
                [this](bool on) { command([this, on] { m_window.setActiveOnly(on); }); });
    connect(m_locator, &QLineEdit::textEdited, this, [this](const QString& t) {
        const std::string text = t.toStdString();
        command([this, text] { m_window.setLocatorText(text); });
        showLocator();
    });
    connect(m_locator, &QLineEdit::returnPressed, this, [this] {
        command([this] { m_window.acceptLocator(); });
        showLocator();
        if (!m_finished) m_table->setFocus();
    });
    connect(m_select, &QPushButton::clicked, this, [this] { command([this] { m_window.select(); }); });
    connect(insert, &QPushButton::clicked, this, [this] { command([this] { m_window.insert(); }); });
    connect(change, &QPushButton::clicked, this, [this] { command([this] { m_window.change(); }); });
    connect(del, &QPushButton::clicked, this, [this] { command([this] { m_window.remove(); }); });
    connect(close, &QPushButton::clicked, this, [this] { command([this] { m_window.close(); }); });
    connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex& i) {
        m_window.setCurrent(static_cast<std::size_t>(i.row()));
        command([this] { m_window.activate(); });
    });
    connect(m_model, &ListModel::resetTo, this, &ListView::showCurrent);
    connect(m_model, &ListModel::windowClosed, this, [this] {
        if (m_finished) return;
        m_finished = true;
        emit finished();
    });
    if (m_detail) {
        connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex& i) { showDetail(i.row()); });
        connect(m_model, &ListModel::resetTo, this, &ListView::showDetail);
    }
    connect(m_table->verticalScrollBar(), &QScrollBar::valueChanged, this, &ListView::onScroll);

    m_window.open();
    fitColumns();
}

void ListView::fitColumns() {
    const ListSpec& spec = m_window.spec();
    const QFontMetrics cells = m_table->fontMetrics();
    const QFontMetrics heads = m_table->horizontalHeader()->fontMetrics();
    const int pad = 2 * m_table->style()->pixelMetric(QStyle::PM_HeaderMargin) + 18;
    const int charWidth = cells.averageCharWidth();
    for (std::size_t c = 0; c < spec.columns.size(); ++c) {
        int width = heads.horizontalAdvance(qs(spec.columns[c].heading));
        for (std::size_t r = 0; r < m_window.rowCount(); ++r) {
            const auto& row = m_window.row(r).cells;
            if (c < row.size()) width = std::max(width, cells.horizontalAdvance(qs(row[c])));
        }
        // Room for what a column may show beyond the first rows, never past its picture.
        const int most = std::max(spec.columns[c].width, 4) * charWidth;
        width = std::min(width, std::max(most, kWidestColumn * charWidth));
        if (m_window.rowCount() == 0) width = std::max(width, std::min(most, kWidestColumn * charWidth));
        m_table->setColumnWidth(static_cast<int>(c), width + pad);
    }
}

QSize ListView::sizeHint() const {
    const QMargins m = contentsMargins() + layout()->contentsMargins();
    int width = m_table->frameWidth() * 2 + m_table->verticalScrollBar()->sizeHint().width() + 4;
    for (int c = 0; c < m_model->columnCount(); ++c) width += m_table->columnWidth(c);
    // Never narrower than the buttons and the row above the list want to be.
    width = std::max(width, layout()->sizeHint().width() - m.left() - m.right());
    const int rows = 14;
    const int height = layout()->sizeHint().height() - m_table->sizeHint().height() +
                       m_table->horizontalHeader()->sizeHint().height() +
                       rows * m_table->verticalHeader()->defaultSectionSize() + m_table->frameWidth() * 2 +
                       m_table->horizontalScrollBar()->sizeHint().height();
    return {width + m.left() + m.right(), height};
}

void ListView::showCurrent(int row) {
    if (row < 0) return;
    const QModelIndex index = m_model->index(row, 0);
    m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_table->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void ListView::showDetail(int row) {
    if (!m_detail) return;
    const ListSpec& spec = m_window.spec();
    QString text;
    if (row >= 0 && static_cast<std::size_t>(row) < m_window.rowCount()) {
        const std::vector<std::string>& cells = m_window.row(static_cast<std::size_t>(row)).cells;
        for (std::size_t d = 0; d < spec.detailLabels.size(); ++d) {
            const std::size_t c = spec.columns.size() + d;
            if (!text.isEmpty()) text += QStringLiteral("    ");
            text += qs(spec.detailLabels[d]) + QLatin1Char(' ') + (c < cells.size() ? qs(cells[c]) : QString());
        }
    }
    m_detail->setText(text);
}

void ListView::showLocator() {
    const QString text = qs(m_window.locatorText());
    if (m_locator->text() != text) m_locator->setText(text);
}

void ListView::syncCurrent() {
    const QModelIndex index = m_table->currentIndex();
    if (index.isValid()) m_window.setCurrent(static_cast<std::size_t>(index.row()));
}

void ListView::refresh() {
    if (m_window.isClosed()) return;
    syncCurrent();
    m_window.refresh();
}

void ListView::command(const std::function<void()>& what) {
    if (m_window.isClosed()) return;
    syncCurrent();
    what();
}

void ListView::onScroll(int value) {
    if (m_fetchingBefore || value > 2 || m_model->atStart()) return;
    m_fetchingBefore = true;
    const int added = m_model->fetchBefore();
    // Keep the rows the user was looking at in place.
    if (added > 0) m_table->verticalScrollBar()->setValue(value + added);
    m_fetchingBefore = false;
}

bool ListView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_table || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const bool plain = mods == Qt::NoModifier;
    const bool ctrl = mods == Qt::ControlModifier;
    const int k = key->key();
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) {
        const int n = k - Qt::Key_F1 + 1;
        if (ctrl && n == 4) {  // Ctrl+F4 closes the window, whatever F4 does
            command([this] { m_window.close(); });
            return true;
        }
        if (plain) {
            bool ran = false;
            command([this, n, &ran] { ran = m_window.functionKey(n); });
            if (ran) return true;
        }
        return QWidget::eventFilter(watched, event);
    }
    if (plain) {
        switch (k) {
        case Qt::Key_Insert: command([this] { m_window.insert(); }); return true;
        case Qt::Key_Delete: command([this] { m_window.remove(); }); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: command([this] { m_window.activate(); }); return true;
        case Qt::Key_Backspace:
            if (!m_window.hasLocator()) break;
            command([this] { m_window.backspaceLocator(); });
            showLocator();
            return true;
        default: break;
        }
    }
    if (ctrl && k == Qt::Key_Home) {
        command([this] { m_window.toStart(); });
        return true;
    }
    if (ctrl && k == Qt::Key_End) {
        command([this] { m_window.toEnd(); });
        return true;
    }
    const QString text = key->text();
    if ((plain || mods == Qt::ShiftModifier) && text.size() == 1 && text.at(0).isPrint() && m_window.hasLocator()) {
        // Typing builds the locator while the focus stays on the list.
        const std::string t = text.toStdString();
        command([this, t] { m_window.setLocatorText(m_window.locatorText() + t); });
        showLocator();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

WindowResponse openListWindow(WindowContext& context, const WindowRequest& request, std::shared_ptr<void> tables,
                              Table& table, ListSpec spec) {
    const std::string section = spec.procedure;
    auto logic = std::make_shared<ListWindow>(context.ui, table, std::move(spec), request);
    auto owner = std::make_shared<std::pair<std::shared_ptr<void>, std::shared_ptr<ListWindow>>>(tables, logic);

    if (request.request == Request::Select || logic->spec().modal) {
        QDialog dialog(context.parent);
        dialog.setWindowTitle(QString::fromStdString(logic->spec().title));
        dialog.setObjectName(QString::fromStdString(section));
        auto* layout = new QVBoxLayout(&dialog);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* view = new ListView(*logic, &dialog);
        layout->addWidget(view);
        if (logic->isClosed()) return WindowResponse{};
        // A value typed into a field that named no record: the list opens where it
        // would stand, on its first tab's key.
        if (!request.text.empty()) logic->locate(request.text);
        // Wide enough for every column of the list the user picks from, within reason.
        dialog.resize(std::clamp(view->sizeHint().width(), 640, 1000), std::max(420, view->sizeHint().height()));
        keepPlacement(&dialog, QString::fromStdString(section));
        QObject::connect(view, &ListView::finished, &dialog, [&dialog, &logic] {
            if (logic->response().response == Response::Completed)
                dialog.accept();
            else
                dialog.reject();
        });
        view->setFocus();
        if (!logic->isClosed()) dialog.exec();
        logic->close();
        WindowResponse response = logic->response();
        if (response.response == Response::Completed) {
            response.text = table.position();
            if (request.table && request.table != &table && request.table->desc().fileName == table.desc().fileName &&
                request.table->desc().recordSize == table.desc().recordSize)
                std::memcpy(request.table->buffer(), table.buffer(), table.desc().recordSize);
        }
        return response;
    }

    auto* view = new ListView(*logic);
    view->keep(owner);
    if (logic->isClosed()) {
        // The first read failed and the user was told: nothing to show.
        delete view;
        return WindowResponse{};
    }
    const QSize wanted = view->sizeHint();
    QMdiSubWindow* sub = context.showChild(view);
    QWidget* window = sub ? static_cast<QWidget*>(sub) : view;
    // As wide as the columns, within the frame's room (or the screen's).
    QSize room = sub != nullptr && sub->mdiArea() != nullptr ? sub->mdiArea()->viewport()->size()
                 : window->screen() != nullptr               ? window->screen()->availableGeometry().size()
                                                             : QSize(1024, 768);
    const QSize frame = sub != nullptr ? sub->size() - view->size() : QSize(0, 0);
    window->resize(std::min(wanted.width() + frame.width(), room.width()),
                   std::min(wanted.height() + frame.height(), room.height()));
    // Wholly inside the frame's room: moved left or up where the next free place the
    // frame chose would push it past the edge.
    if (sub != nullptr)
        sub->move(std::max(0, std::min(sub->x(), room.width() - sub->width())),
                  std::max(0, std::min(sub->y(), room.height() - sub->height())));
    // Records change in other windows and at other stations: the list reads its rows
    // again each time the user brings it back to the front, keeping the highlight.
    if (sub != nullptr && sub->mdiArea() != nullptr)
        QObject::connect(sub->mdiArea(), &QMdiArea::subWindowActivated, view, [view, sub](QMdiSubWindow* active) {
            if (active == sub) view->refresh();
        });
    keepPlacement(window, QString::fromStdString(section));
    QObject::connect(view, &ListView::finished, window, &QWidget::close);
    view->setFocus();
    return WindowResponse{Response::Completed, 0, {}};
}

}  // namespace quay::core
