#pragma once

#include <QSpinBox>

// A spin box that lets every digit typed stay, even past its range, so that the value can be
// refused on saving with the range named, instead of digits vanishing as they are typed. The
// arrows and the Up and Down keys stay within the range.
class RangeSpinBox : public QSpinBox
{
public:
    RangeSpinBox(int minimum, int maximum, QWidget* parent = nullptr);

    int allowedMinimum() const { return m_minimum; }
    int allowedMaximum() const { return m_maximum; }
    bool inRange() const { return value() >= m_minimum && value() <= m_maximum; }

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_minimum, m_maximum;
};
