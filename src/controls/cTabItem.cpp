#include "controls/cTabItem.h"

#include "controls/ControlError.h"
#include "controls/tabSection.h"
#include "controls/tooCommand.h"

#include <QLabel>

cTabItem::cTabItem(tabSection* section, tooCommand* button, QLabel* label)
    : m_section(section), m_button(button), m_label(label)
{
}

tabSection* cTabItem::section() const
{
    return m_section;
}

bool cTabItem::operator==(const cTabItem& other) const
{
    return m_section == other.m_section && m_label == other.m_label;
}

bool cTabItem::isNull() const
{
    return !m_section || !m_button || !m_label || m_section->indexOfLabel(m_label) == 0;
}

void cTabItem::check() const
{
    if (isNull())
        throw ControlError::indexOutOfRange(QStringLiteral("tabSection"));
}

QString cTabItem::Caption() const
{
    check();
    return m_label->text();
}

void cTabItem::setCaption(const QString& caption)
{
    check();
    m_label->setText(caption);
    m_button->setAccessibleName(caption);
    m_section->Rearrange();
}

QPixmap cTabItem::Picture() const
{
    check();
    return m_button->Picture();
}

void cTabItem::setPicture(const QPixmap& picture)
{
    check();
    m_button->setPicture(picture);
    m_section->Rearrange();
}

QPixmap cTabItem::HotPicture() const
{
    check();
    return m_button->HotPicture();
}

void cTabItem::setHotPicture(const QPixmap& picture)
{
    check();
    m_button->setHotPicture(picture);
}

QString cTabItem::Tag() const
{
    check();
    return m_button->property("Tag").toString();
}

void cTabItem::setTag(const QString& tag)
{
    check();
    m_button->setProperty("Tag", tag);
}

QString cTabItem::Key() const
{
    check();
    return m_label->property("Key").toString();
}

int cTabItem::Index() const
{
    check();
    return m_section->indexOfLabel(m_label);
}

bool cTabItem::UseMaskColor() const
{
    check();
    return m_button->UseMaskColor();
}

void cTabItem::setUseMaskColor(bool on)
{
    check();
    m_button->setUseMaskColor(on);
}

quint32 cTabItem::MaskColor() const
{
    check();
    return m_button->MaskColor();
}

void cTabItem::setMaskColor(quint32 colour)
{
    check();
    m_button->setMaskColor(colour);
}
