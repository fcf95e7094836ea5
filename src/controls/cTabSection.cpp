#include "controls/cTabSection.h"

#include "controls/ControlError.h"
#include "controls/tabSection.h"
#include "controls/zelTab.h"

cTabSection::cTabSection(tabSection* section) : m_section(section) {}

bool cTabSection::isNull() const
{
    return !m_section || m_section->isRemoved();
}

tabSection* cTabSection::checked() const
{
    if (isNull())
        throw ControlError::invalidSection(QStringLiteral("zelTab"));
    return m_section;
}

cTabItem cTabSection::AddItem(const QString& Caption, const QString& Key, const QString& Tag,
                              const QPixmap& Picture, const QPixmap& HotPicture)
{
    return checked()->AddItem(Caption, Key, Tag, Picture, HotPicture);
}

void cTabSection::RemoveItem(int Index)
{
    checked()->RemoveItem(Index);
}

void cTabSection::Clear()
{
    checked()->Clear();
}

int cTabSection::ItemCount() const
{
    return checked()->ItemCount();
}

quint32 cTabSection::BackColor() const
{
    return checked()->BackColor();
}

void cTabSection::setBackColor(quint32 colour)
{
    checked()->setBackColor(colour);
}

quint32 cTabSection::ForeColor() const
{
    return checked()->ForeColor();
}

void cTabSection::setForeColor(quint32 colour)
{
    checked()->setForeColor(colour);
}

quint32 cTabSection::LeftShadow() const
{
    return checked()->LeftShadow();
}

void cTabSection::setLeftShadow(quint32 colour)
{
    checked()->setLeftShadow(colour);
}

quint32 cTabSection::RightShadow() const
{
    return checked()->RightShadow();
}

void cTabSection::setRightShadow(quint32 colour)
{
    checked()->setRightShadow(colour);
}

bool cTabSection::UseMaskColor() const
{
    return checked()->UseMaskColor();
}

void cTabSection::setUseMaskColor(bool on)
{
    checked()->setUseMaskColor(on);
}

quint32 cTabSection::MaskColor() const
{
    return checked()->MaskColor();
}

void cTabSection::setMaskColor(quint32 colour)
{
    checked()->setMaskColor(colour);
}

QString cTabSection::Caption() const
{
    return checked()->Caption();
}

void cTabSection::setCaption(const QString& caption)
{
    checked()->setCaption(caption);
}

int cTabSection::Disposition() const
{
    return checked()->Disposition();
}

void cTabSection::setDisposition(int disposition)
{
    checked()->setDisposition(disposition);
}

void cTabSection::EnsureVisible(int Index)
{
    checked()->EnsureVisible(Index);
}

QWidget* cTabSection::hwnd() const
{
    return checked()->hwnd();
}

bool cTabSection::Reduced() const
{
    return checked()->Reduced();
}

void cTabSection::setReduced(bool on)
{
    checked()->setReduced(on);
}

cTabItem cTabSection::SelectedItem() const
{
    return checked()->SelectedItem();
}

void cTabSection::setSelectedItem(const cTabItem& item)
{
    checked()->setSelectedItem(item);
}

QPixmap cTabSection::MouseIcon() const
{
    return checked()->MouseIcon();
}

void cTabSection::setMouseIcon(const QPixmap& icon)
{
    checked()->setMouseIcon(icon);
}

int cTabSection::MousePointer() const
{
    return checked()->MousePointer();
}

void cTabSection::setMousePointer(int pointer)
{
    checked()->setMousePointer(pointer);
}

cTabItem cTabSection::Item(int Index) const
{
    return checked()->Item(Index);
}

QString cTabSection::Key() const
{
    return checked()->Key();
}

void cTabSection::setKey(const QString& key)
{
    checked()->setKey(key);
}

cTabItem cTabSection::HitTest(int X, int Y) const
{
    return checked()->HitTest(X, Y);
}

void cTabSection::Rearrange()
{
    checked()->Rearrange();
}

QString cTabSection::Tag() const
{
    return checked()->Tag();
}

void cTabSection::setTag(const QString& tag)
{
    checked()->setTag(tag);
}

void cTabSection::Refresh()
{
    checked()->Refresh();
}

int cTabSection::Index() const
{
    tabSection* section = checked();
    auto* container = qobject_cast<zelTab*>(section->parentWidget());
    return container ? container->indexOf(section) : 0;
}
