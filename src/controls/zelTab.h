#pragma once

#include "controls/cTabSection.h"
#include "controls/mListBox.h"

#include <QWidget>

class tabSection;

// A stack of collapsible sections. The open (active) section fills the height that the
// header bars of the others leave; every other section shows its header bar alone. The
// first section added to an empty container opens. Section indexes count from 1. Every
// section event is raised again with the section's index first.
class zelTab : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(quint32 SectionBackColor READ SectionBackColor WRITE setSectionBackColor)
    Q_PROPERTY(int Disposition READ Disposition WRITE setDisposition)
    Q_PROPERTY(quint32 SectionForeColor READ SectionForeColor WRITE setSectionForeColor)
    Q_PROPERTY(quint32 LeftShadow READ LeftShadow WRITE setLeftShadow)
    Q_PROPERTY(quint32 RightShadow READ RightShadow WRITE setRightShadow)
    Q_PROPERTY(bool UseMaskColor READ UseMaskColor WRITE setUseMaskColor)
    Q_PROPERTY(quint32 MaskColor READ MaskColor WRITE setMaskColor)

public:
    explicit zelTab(QWidget* parent = nullptr);

    // Index 0 (or below) appends; 1 to SectionCount + 1 inserts at that place.
    cTabSection AddSection(const QString& Caption = {}, const QString& Key = {},
                           const QString& Tag = {}, int Index = 0);
    void RemoveSection(int Index);
    void Clear();
    // 0 no border, 1 a single line.
    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 colour);
    cTabSection Section(int Index) const;
    cTabSection ActiveSection() const;
    void setActiveSection(const cTabSection& section);
    int SectionCount() const { return int(m_sections.size()); }
    QWidget* hwnd() { return this; }
    // The section under the point, or a null section.
    cTabSection HitTest(int X, int Y) const;
    void Refresh();
    // Defaults given to each new section.
    quint32 SectionBackColor() const { return m_sectionBackColor; }
    void setSectionBackColor(quint32 colour) { m_sectionBackColor = colour; }
    int Disposition() const { return m_disposition; }
    void setDisposition(int disposition) { m_disposition = disposition; }
    quint32 SectionForeColor() const { return m_sectionForeColor; }
    void setSectionForeColor(quint32 colour) { m_sectionForeColor = colour; }
    quint32 LeftShadow() const { return m_leftShadow; }
    void setLeftShadow(quint32 colour) { m_leftShadow = colour; }
    quint32 RightShadow() const { return m_rightShadow; }
    void setRightShadow(quint32 colour) { m_rightShadow = colour; }
    bool UseMaskColor() const { return m_useMaskColor; }
    void setUseMaskColor(bool on) { m_useMaskColor = on; }
    quint32 MaskColor() const { return m_maskColor; }
    void setMaskColor(quint32 colour) { m_maskColor = colour; }

    int indexOf(const tabSection* section) const;
    bool keyTaken(const QString& key, const tabSection* except) const;

signals:
    void HeaderClick(int Section);
    void HeaderMouseDown(int Section, int Button, int Shift, int X, int Y);
    void HeaderMouseUp(int Section, int Button, int Shift, int X, int Y);
    void ItemClick(int Section, int Item);
    void Click(int Section);
    void DblClick(int Section);
    void MouseDown(int Section, int Button, int Shift, int X, int Y);
    void MouseUp(int Section, int Button, int Shift, int X, int Y);
    void MouseMove(int Section, int Button, int Shift, int X, int Y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void checkIndex(int Index) const;
    void connectSection(tabSection* section);
    void layoutSections();

    QList<tabSection*> m_sections;
    int m_active = 0;
    bool m_layingOut = false;
    int m_borderStyle = 0;
    quint32 m_backColor = mListBox::ButtonFaceColor;
    quint32 m_sectionBackColor = mListBox::WindowColor;
    quint32 m_sectionForeColor = mListBox::WindowTextColor;
    int m_disposition = 0;
    quint32 m_leftShadow = mListBox::ButtonFaceColor;
    quint32 m_rightShadow = mListBox::DarkShadowColor;
    bool m_useMaskColor = false;
    quint32 m_maskColor = 0;
};
