// How the order windows show their values: texts of the record buffers as Qt
// strings, dates as mm/dd/yyyy, amounts grouped with two places and a leading minus,
// and a column of captioned amounts aligned on their right edge.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QString>

#include "quay/types/decimal.h"
#include "quay/types/picture.h"

namespace quay::desk::text {

inline QString qstr(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// "@d2"; empty for no date.
inline QString dateText(std::int32_t day) {
    static const auto picture = core::Picture::parse("@d2");
    return picture ? qstr(picture->format(static_cast<std::int64_t>(day))) : QString();
}

// "-1,234.56": grouped, two places, minus in front, no padding.
template <int D>
QString amountText(const core::Decimal<D, 2>& value) {
    static const auto picture = core::Picture::parse("@n-20.2");
    std::string shown = picture ? picture->format(value) : value.toString();
    shown.erase(0, shown.find_first_not_of(' '));
    return qstr(shown);
}

// Adds "caption  amount" at (row, column) and (row, column + 1) of `grid`, both
// right-aligned, the amount wide enough for the largest money value; returns the
// amount's label. `bold` for a total.
inline QLabel* amountRow(QGridLayout* grid, int row, int column, const char* caption, bool bold = false) {
    auto* name = new QLabel(caption);
    name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* value = new QLabel;
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(QFontMetrics(value->font()).horizontalAdvance("-9,999,999,999.99"));
    if (bold) {
        QFont f = value->font();
        f.setBold(true);
        name->setFont(f);
        value->setFont(f);
    }
    grid->addWidget(name, row, column);
    grid->addWidget(value, row, column + 1);
    return value;
}

}  // namespace quay::desk::text
