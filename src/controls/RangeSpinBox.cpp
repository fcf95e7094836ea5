#include "controls/RangeSpinBox.h"

namespace {
// Enough for the digits anyone types by mistake, never an overflow.
constexpr int kTypedLimit = 99999;
} // namespace

RangeSpinBox::RangeSpinBox(int minimum, int maximum, QWidget* parent)
    : QSpinBox(parent), m_minimum(minimum), m_maximum(maximum)
{
    setRange(qMin(0, minimum), qMax(kTypedLimit, maximum));
    setValue(minimum);
}

void RangeSpinBox::stepBy(int steps)
{
    setValue(qBound(m_minimum, value() + steps, m_maximum));
    selectAll();
}

QAbstractSpinBox::StepEnabled RangeSpinBox::stepEnabled() const
{
    if (!inRange()) // either way brings the value back within the range
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (value() > m_minimum)
        enabled |= StepDownEnabled;
    if (value() < m_maximum)
        enabled |= StepUpEnabled;
    return enabled;
}
