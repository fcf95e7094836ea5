#pragma once

#include "controls/tooCommand.h"

#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QString>

class tabSection;

// One item of a section, as callers reach it: its picture button and its caption label.
// A null item, or one that its section has removed, raises "Dépassement d'index." when used.
class cTabItem
{
public:
    cTabItem() = default;
    cTabItem(tabSection* section, tooCommand* button, QLabel* label);

    bool isNull() const;
    tabSection* section() const;
    tooCommand* button() const { return m_button; }
    QLabel* label() const { return m_label; }

    QString Caption() const;
    void setCaption(const QString& caption);
    QPixmap Picture() const;
    void setPicture(const QPixmap& picture);
    QPixmap HotPicture() const;
    void setHotPicture(const QPixmap& picture);
    QString Tag() const;
    void setTag(const QString& tag);
    QString Key() const;
    int Index() const; // from 1 within its section
    bool UseMaskColor() const;
    void setUseMaskColor(bool on);
    quint32 MaskColor() const;
    void setMaskColor(quint32 colour);

    bool operator==(const cTabItem& other) const;

private:
    void check() const;

    QPointer<tabSection> m_section;
    QPointer<tooCommand> m_button;
    QPointer<QLabel> m_label;
};
