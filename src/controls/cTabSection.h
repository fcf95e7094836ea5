#pragma once

#include "controls/cTabItem.h"
#include "controls/tabSection.h"

#include <QPixmap>
#include <QPointer>
#include <QString>

// A section of a zelTab as callers reach it; forwards everything to its tabSection. A null
// section, or one that its container has removed, raises "Section non valide." when used.
class cTabSection
{
public:
    cTabSection() = default;
    explicit cTabSection(tabSection* section);

    bool isNull() const;
    tabSection* section() const { return m_section; }

    cTabItem AddItem(const QString& Caption = {}, const QString& Key = {}, const QString& Tag = {},
                     const QPixmap& Picture = {}, const QPixmap& HotPicture = {});
    void RemoveItem(int Index);
    void Clear();
    int ItemCount() const;
    quint32 BackColor() const;
    void setBackColor(quint32 colour);
    quint32 ForeColor() const;
    void setForeColor(quint32 colour);
    quint32 LeftShadow() const;
    void setLeftShadow(quint32 colour);
    quint32 RightShadow() const;
    void setRightShadow(quint32 colour);
    bool UseMaskColor() const;
    void setUseMaskColor(bool on);
    quint32 MaskColor() const;
    void setMaskColor(quint32 colour);
    QString Caption() const;
    void setCaption(const QString& caption);
    int Disposition() const;
    void setDisposition(int disposition);
    void EnsureVisible(int Index);
    QWidget* hwnd() const;
    bool Reduced() const;
    void setReduced(bool on);
    cTabItem SelectedItem() const;
    void setSelectedItem(const cTabItem& item);
    QPixmap MouseIcon() const;
    void setMouseIcon(const QPixmap& icon);
    int MousePointer() const;
    void setMousePointer(int pointer);
    cTabItem Item(int Index) const;
    QString Key() const;
    void setKey(const QString& key);
    cTabItem HitTest(int X, int Y) const;
    void Rearrange();
    QString Tag() const;
    void setTag(const QString& tag);
    void Refresh();
    int Index() const; // position in its container, from 1

    bool operator==(const cTabSection& other) const { return m_section == other.m_section; }

private:
    tabSection* checked() const;

    QPointer<tabSection> m_section;
};
