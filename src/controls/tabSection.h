#pragma once

#include "controls/cTabItem.h"
#include "controls/mListBox.h"

#include <QPixmap>
#include <QWidget>

// One section of a zelTab: a header bar with its caption and, below it, a column of items
// (a picture button and its caption). Disposition 0 centres each caption under its picture;
// 1 puts it at the right of the picture. Arrows scroll the items when they do not all fit.
// Item indexes count from 1.
class tabSection : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(quint32 LeftShadow READ LeftShadow WRITE setLeftShadow)
    Q_PROPERTY(quint32 RightShadow READ RightShadow WRITE setRightShadow)
    Q_PROPERTY(bool UseMaskColor READ UseMaskColor WRITE setUseMaskColor)
    Q_PROPERTY(quint32 MaskColor READ MaskColor WRITE setMaskColor)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int Disposition READ Disposition WRITE setDisposition)
    Q_PROPERTY(bool Reduced READ Reduced WRITE setReduced)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(QString Key READ Key WRITE setKey)
    Q_PROPERTY(QString Tag READ Tag WRITE setTag)

public:
    static constexpr int HeaderHeight = 17;
    static constexpr int HeaderZone = 23; // a press above this is on the header bar
    static constexpr int FirstItemTop = 22;

    explicit tabSection(QWidget* parent = nullptr);

    cTabItem AddItem(const QString& Caption = {}, const QString& Key = {}, const QString& Tag = {},
                     const QPixmap& Picture = {}, const QPixmap& HotPicture = {});
    void RemoveItem(int Index);
    void Clear();
    int ItemCount() const { return int(m_items.size()); }
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 colour);
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 colour);
    quint32 LeftShadow() const { return m_leftShadow; }
    void setLeftShadow(quint32 colour);
    quint32 RightShadow() const { return m_rightShadow; }
    void setRightShadow(quint32 colour);
    bool UseMaskColor() const { return m_useMaskColor; }
    void setUseMaskColor(bool on);
    quint32 MaskColor() const { return m_maskColor; }
    void setMaskColor(quint32 colour);
    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    int Disposition() const { return m_disposition; }
    void setDisposition(int disposition);
    void EnsureVisible(int Index);
    QWidget* hwnd() { return this; }
    bool Reduced() const { return m_reduced; }
    void setReduced(bool on);
    cTabItem SelectedItem() const;
    // A null item clears the selection; an item of another section is out of range.
    void setSelectedItem(const cTabItem& item);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    cTabItem Item(int Index) const;
    QString Key() const { return m_key; }
    // Raises "Valeur dupliquée de Key." when another section of the same zelTab has the key.
    void setKey(const QString& key);
    // The item whose picture or caption is at the point, or a null item.
    cTabItem HitTest(int X, int Y) const;
    void Rearrange();
    QString Tag() const { return m_tag; }
    void setTag(const QString& tag);
    void Refresh();

    int indexOfLabel(const QLabel* label) const;
    int firstShownItem() const { return m_first + 1; }
    bool isRemoved() const { return m_removed; }
    void markRemoved() { m_removed = true; }

signals:
    void HeaderClick();
    void HeaderMouseDown(int Button, int Shift, int X, int Y);
    void HeaderMouseUp(int Button, int Shift, int X, int Y);
    void Click();
    void DblClick();
    void MouseDown(int Button, int Shift, int X, int Y);
    void MouseUp(int Button, int Shift, int X, int Y);
    void MouseMove(int Button, int Shift, int X, int Y);
    void ItemClick(int Index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    struct Entry
    {
        tooCommand* button;
        QLabel* label;
    };
    struct Place
    {
        QPoint picture;
        QPoint caption;
        int bottom;
    };

    void check(int Index) const;
    QList<Place> places(int first) const;
    int contentBottom(int first) const;
    void scroll(int step);
    void applyColours();
    void paintCaption(QLabel* label, bool selected) const;
    QPixmap arrow(bool up) const;

    QList<Entry> m_items;
    QLabel* m_up;
    QLabel* m_down;
    QPointer<QLabel> m_selected;
    int m_first = 0;
    quint32 m_backColor = mListBox::WindowColor;
    quint32 m_foreColor = mListBox::WindowTextColor;
    quint32 m_leftShadow = mListBox::ButtonFaceColor;
    quint32 m_rightShadow = mListBox::DarkShadowColor;
    bool m_useMaskColor = false;
    quint32 m_maskColor = 0;
    QString m_caption;
    int m_disposition = 0;
    bool m_reduced = false;
    QPixmap m_mouseIcon;
    int m_mousePointer = 0;
    QString m_key;
    QString m_tag;
    bool m_removed = false;
};
