// The list window widget: a thin view that forwards every event to ListWindow and
// shows the rows ListModel pages in.
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
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

#include "quay/views/list_model.h"
#include "quay/views/placement_keeper.h"

namespace quay::core {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

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

    m_tabs = new QTabBar(this);
    for (const auto& t : spec.tabs) m_tabs->addTab(qs(t.caption));
    m_tabs->setVisible(spec.tabs.size() > 1 || !spec.tabs.front().caption.empty());
    m_tabs->setDrawBase(true);
    m_tabs->setExpanding(false);
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
    m_locator->setMaximumWidth(220);
    locLabel->setBuddy(m_locator);
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
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    const int charWidth = m_table->fontMetrics().averageCharWidth();
    for (std::size_t c = 0; c < spec.columns.size(); ++c)
        m_table->setColumnWidth(static_cast<int>(c), spec.columns[c].width * charWidth + 12);
    m_table->installEventFilter(this);
    layout->addWidget(m_table, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_select = new QPushButton(tr("&Select"), this);
    m_select->setVisible(m_window.isSelecting());
    auto* insert = new QPushButton(tr("&Insert"), this);
    auto* change = new QPushButton(tr("&Change"), this);
    auto* del = new QPushButton(tr("&Delete"), this);
    auto* close = new QPushButton(tr("Close"), this);
    insert->setEnabled(spec.allowInsert && !spec.formProcedure.empty());
    change->setEnabled(spec.allowChange && !spec.formProcedure.empty());
    del->setEnabled(spec.allowDelete && !spec.formProcedure.empty());
    for (auto* b : {m_select, insert, change, del, close}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    if (m_window.isSelecting()) m_select->setDefault(true);
    layout->addLayout(buttons);

    connect(m_tabs, &QTabBar::currentChanged, this, [this](int i) { command([this, i] { m_window.selectTab(i); }); });
    if (m_active)
        connect(m_active, &QCheckBox::toggled, this, [this](bool on) { command([this, on] { m_window.setActiveOnly(on); }); });
    connect(m_locator, &QLineEdit::textEdited, this, [this](const QString& t) {
        const std::string text = t.toStdString();
        command([this, text] { m_window.locate(text); });
    });
    connect(m_locator, &QLineEdit::returnPressed, this, [this] {
        m_locator->clear();
        m_table->setFocus();
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
    connect(m_model, &ListModel::rowsReset, this, &ListView::showCurrent);
    if (m_detail) {
        connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex& i) { showDetail(i.row()); });
        connect(m_model, &ListModel::rowsReset, this, &ListView::showDetail);
    }
    connect(m_table->verticalScrollBar(), &QScrollBar::valueChanged, this, &ListView::onScroll);

    m_window.open();
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
    syncCurrent();
    what();
    if (m_window.isClosed()) emit finished();
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
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrl = key->modifiers() & Qt::ControlModifier;
        switch (key->key()) {
            case Qt::Key_Insert: command([this] { m_window.insert(); }); return true;
            case Qt::Key_Delete: command([this] { m_window.remove(); }); return true;
            case Qt::Key_Return:
            case Qt::Key_Enter: command([this] { m_window.activate(); }); return true;
            case Qt::Key_Home:
                if (ctrl) { command([this] { m_window.toStart(); }); return true; }
                break;
            case Qt::Key_End:
                if (ctrl) { command([this] { m_window.toEnd(); }); return true; }
                break;
            default: break;
        }
        const QString text = key->text();
        if (!ctrl && text.size() == 1 && text.at(0).isLetterOrNumber() &&
            m_window.spec().tabs[static_cast<std::size_t>(m_window.tab())].locatorField >= 0) {
            m_locator->setFocus();
            m_locator->setText(text);
            const std::string t = text.toStdString();
            command([this, t] { m_window.locate(t); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

WindowResponse openListWindow(WindowContext& context, const WindowRequest& request, std::shared_ptr<void> tables,
                              Table& table, ListSpec spec) {
    const std::string section = spec.procedure;
    auto logic = std::make_shared<ListWindow>(context.ui, table, std::move(spec), request);
    auto owner = std::make_shared<std::pair<std::shared_ptr<void>, std::shared_ptr<ListWindow>>>(tables, logic);

    if (request.request == Request::Select) {
        QDialog dialog(context.parent);
        dialog.setWindowTitle(QString::fromStdString(logic->spec().title));
        auto* layout = new QVBoxLayout(&dialog);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* view = new ListView(*logic, &dialog);
        layout->addWidget(view);
        // A value typed into a field that named no record: the list opens where it
        // would stand, on its first tab's key.
        if (!request.text.empty()) logic->locate(request.text);
        // Wide enough for every column of the list the user picks from, within reason.
        const int columns = view->table()->horizontalHeader()->length() + 48;
        dialog.resize(std::clamp(columns, 640, 1000), 420);
        keepPlacement(&dialog, QString::fromStdString(section));
        QObject::connect(view, &ListView::finished, &dialog, [&dialog, &logic] {
            if (logic->response().response == Response::Completed) dialog.accept();
            else dialog.reject();
        });
        dialog.exec();
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
    view->resize(640, 420);
    QMdiSubWindow* sub = context.showChild(view);
    QWidget* window = sub ? static_cast<QWidget*>(sub) : view;
    // Records change in other windows and at other stations: the list reads its rows
    // again each time the user brings it back to the front, keeping the highlight.
    if (sub != nullptr && sub->mdiArea() != nullptr)
        QObject::connect(sub->mdiArea(), &QMdiArea::subWindowActivated, view, [view, sub](QMdiSubWindow* active) {
            if (active == sub) view->refresh();
        });
    keepPlacement(window, QString::fromStdString(section));
    QObject::connect(view, &ListView::finished, window, &QWidget::close);
    return WindowResponse{Response::Completed, 0, {}};
}

}  // namespace quay::core
