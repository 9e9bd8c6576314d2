// The selection window's widgets, laid out top to bottom in the order the user fills
// them: dates and presets, pick lists, flags, choices, then the commands. Placement is
// kept by the window framework's keeper, which restores it once the layout has its size
// and saves it on close.
#include "quay/reports/select/selection_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "quay/views/placement_keeper.h"

namespace quay::reports {
namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

constexpr DatePreset kPresets[] = {DatePreset::MonthToDate, DatePreset::YearToDate, DatePreset::ThisMonth,
                                   DatePreset::ThisYear,    DatePreset::LastMonth,  DatePreset::LastYear};

}  // namespace

SelectionWindow::SelectionWindow(ReportSelection& logic, QWidget* parent)
    : SelectionWindow(logic, core::programSettings(), parent) {}

SelectionWindow::SelectionWindow(ReportSelection& logic, core::Settings& settings, QWidget* parent)
    : QDialog(parent), m_logic(logic) {
    const QString procedure = qs(logic.spec().procedure);
    setObjectName(procedure);
    setWindowTitle(qs(logic.spec().title));
    m_logic.open();
    build();
    refresh();
    new core::PlacementKeeper(this, settings, procedure);
}

QLineEdit* SelectionWindow::addDateField(QGridLayout* grid, int row, const char* caption,
                                         ReportSelection::Field field) {
    auto* edit = new QLineEdit(this);
    edit->setMaxLength(10);
    edit->setToolTip(QStringLiteral("F2 opens the calendar"));
    edit->installEventFilter(this);
    auto* label = new QLabel(QString::fromLatin1(caption), this);
    label->setBuddy(edit);
    auto* calendar = new QToolButton(this);
    calendar->setText(QStringLiteral("..."));
    calendar->setToolTip(QStringLiteral("Choose the date on the calendar"));
    connect(calendar, &QToolButton::clicked, this, [this, field] {
        m_logic.calendar(field);
        refresh();
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, field] { storeDate(edit, field); });
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(calendar, row, 2);
    return edit;
}

void SelectionWindow::build() {
    const SelectionSpec& spec = m_logic.spec();
    auto* layout = new QVBoxLayout(this);

    if (spec.dates) {
        auto* grid = new QGridLayout;
        const SelectionDates& d = *spec.dates;
        if (!d.endOnly) m_begin = addDateField(grid, 0, "&Begin Date:", ReportSelection::Field::BeginDate);
        m_end = addDateField(grid, 1, d.endCaption.empty() ? "&End Date:" : d.endCaption.c_str(),
                             ReportSelection::Field::EndDate);
        layout->addLayout(grid);
        if (d.presets && !d.endOnly) {
            auto* presets = new QHBoxLayout;
            for (DatePreset p : kPresets) {
                auto* b = new QPushButton(QString::fromLatin1(presetCaption(p)), this);
                b->setAutoDefault(false);
                connect(b, &QPushButton::clicked, this, [this, p] {
                    m_logic.applyPreset(p);
                    refresh();
                    followFocusRequest();
                });
                presets->addWidget(b);
            }
            layout->addLayout(presets);
        }
    }

    for (PickKind kind : spec.picks) {
        auto* b = new QPushButton(QString::fromLatin1(pickCaption(kind)), this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, kind] {
            m_logic.pick(kind);
            refresh();
        });
        layout->addWidget(b);
        m_picks.push_back(b);
    }

    for (std::size_t i = 0; i < spec.flags.size(); ++i) {
        auto* box = new QCheckBox(qs(spec.flags[i].caption), this);
        connect(box, &QCheckBox::toggled, this, [this, i](bool on) { m_logic.setFlag(i, on); });
        layout->addWidget(box);
        m_flags.push_back(box);
    }

    for (std::size_t i = 0; i < spec.choices.size(); ++i) {
        const SelectionChoice& c = spec.choices[i];
        auto* group = new QGroupBox(qs(c.caption), this);
        auto* column = new QVBoxLayout(group);
        std::vector<QRadioButton*> buttons;
        for (const SelectionChoice::Option& o : c.options) {
            auto* r = new QRadioButton(qs(o.caption), group);
            connect(r, &QRadioButton::toggled, this, [this, i, value = o.value](bool on) {
                if (on) m_logic.setChoice(i, value);
            });
            column->addWidget(r);
            buttons.push_back(r);
        }
        layout->addWidget(group);
        m_choices.push_back(std::move(buttons));
    }

    if (!spec.note.empty()) {
        auto* note = new QLabel(qs(spec.note), this);
        note->setWordWrap(true);
        layout->addWidget(note);
    }

    auto* commands = new QHBoxLayout;
    commands->addStretch(1);
    m_print = new QPushButton(qs(spec.printCaption), this);
    m_print->setDefault(true);
    m_print->setStatusTip(QStringLiteral("Run the report; the window stays open"));
    connect(m_print, &QPushButton::clicked, this, [this] { print(); });
    auto* close = new QPushButton(qs(spec.closeCaption), this);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, [this] { reject(); });
    commands->addWidget(m_print);
    commands->addWidget(close);
    layout->addLayout(commands);
}

void SelectionWindow::refresh() {
    if (m_begin) m_begin->setText(qs(ReportSelection::dateText(m_logic.beginDate())));
    if (m_end) m_end->setText(qs(ReportSelection::dateText(m_logic.endDate())));
    const SelectionSpec& spec = m_logic.spec();
    const QIcon mark = style()->standardIcon(QStyle::SP_DialogApplyButton);
    for (std::size_t i = 0; i < m_picks.size(); ++i)
        m_picks[i]->setIcon(ReportSelection::isPicked(spec.picks[i]) ? mark : QIcon());
    for (std::size_t i = 0; i < m_flags.size(); ++i) {
        QSignalBlocker block(m_flags[i]);
        m_flags[i]->setChecked(m_logic.flag(i));
    }
    for (std::size_t i = 0; i < m_choices.size(); ++i) {
        for (std::size_t j = 0; j < m_choices[i].size(); ++j) {
            QSignalBlocker block(m_choices[i][j]);
            m_choices[i][j]->setChecked(spec.choices[i].options[j].value == m_logic.choice(i));
        }
    }
}

bool SelectionWindow::storeDate(QLineEdit* edit, ReportSelection::Field field) {
    const std::string reason = m_logic.enterDate(field, edit->text().toStdString());
    if (reason.empty()) {
        // Only this field is shown again: the other may hold a date still being typed.
        const std::int32_t date = field == ReportSelection::Field::BeginDate ? m_logic.beginDate() : m_logic.endDate();
        edit->setText(qs(ReportSelection::dateText(date)));
        return true;
    }
    QApplication::beep();
    QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), qs(reason), edit);
    edit->setFocus();
    return false;
}

void SelectionWindow::followFocusRequest() {
    switch (m_logic.takeFocusRequest()) {
    case ReportSelection::Field::BeginDate:
        if (m_begin) m_begin->setFocus();
        break;
    case ReportSelection::Field::EndDate:
        if (m_end) m_end->setFocus();
        break;
    case ReportSelection::Field::None: break;
    }
}

void SelectionWindow::print() {
    // A date still being typed counts: it is read before the report runs.
    if (m_begin && !storeDate(m_begin, ReportSelection::Field::BeginDate)) return;
    if (m_end && !storeDate(m_end, ReportSelection::Field::EndDate)) return;
    m_logic.print();
    refresh();
    followFocusRequest();
}

bool SelectionWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
        if (watched == m_begin || watched == m_end) {
            const auto field = watched == m_begin ? ReportSelection::Field::BeginDate : ReportSelection::Field::EndDate;
            storeDate(static_cast<QLineEdit*>(watched), field);
            m_logic.calendar(field);
            refresh();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SelectionWindow::reject() {
    m_logic.close();
    QDialog::reject();
}

}  // namespace quay::reports
