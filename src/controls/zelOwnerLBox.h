#pragma once

#include "controls/ListView.h"
#include "controls/mListBox.h"
#include "models/ListModel.h"
#include "ranking/cResult.h"

#include <QWidget>

class zelHeader;

// The family of lists over a data source they hold: a column header above (for the members
// that have one) and a table view over the source's model, which reads and paints only the
// rows on screen. Colours are 0x00BBGGRR values or system colours (0x80000000 + index).
class zelOwnerLBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(bool MultiSelect READ MultiSelect WRITE setMultiSelect)
public:
    ~zelOwnerLBox() override;

    quint32 BackColor() const { return m_back; }
    void setBackColor(quint32 colour);
    quint32 AlternBackColor() const { return m_alternBack; }
    void setAlternBackColor(quint32 colour);
    quint32 ForeColor() const { return m_fore; }
    void setForeColor(quint32 colour);
    quint32 AlternForeColor() const { return m_alternFore; }
    void setAlternForeColor(quint32 colour);

    bool MultiSelect() const { return m_list->multiSelect(); }
    void setMultiSelect(bool on) { m_list->setMultiSelect(on); }

    int ItemCount() const { return m_list->rowCount(); }
    int ItemHeight() const { return m_itemHeight; }
    int ListIndex() const { return m_list->currentRow(); }
    bool Selected(int index) const { return m_list->isSelected(index); }
    void setSelected(int index, bool on) { m_list->setSelected(index, on); }
    // Only in multiple selection; raises an error otherwise.
    int SelectedItemsCount() const;
    void EnsureVisible(int index) { m_list->setTopIndex(index); }
    int GetTopIndex() const { return m_list->topIndex(); }
    void SetTopIndex(int index) { m_list->setTopIndex(index); }

    ListView* hwnd() const { return m_list; }
    ListModel* model() const { return m_model; }
    // The rows shown, as tab-separated text under a header line (Ctrl+C).
    QString CopiedText() const { return m_list->copiedText(); }
    zelHeader* header() const { return m_header; }

signals:
    void Click();
    void DblClick();
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    void MouseDown(int Button, int X, int Y);
    void MouseUp(int Button, int X, int Y);
    void Scroll();

protected:
    zelOwnerLBox(bool withHeader, QWidget* parent);

    // The list shows this model; called once by each kind of list.
    void setListModel(ListModel* model);
    // Recomputes the columns that follow the control's width.
    virtual void layoutColumns(int width) { (void)width; }
    // Lays the columns out again for the control's present width.
    void relayoutColumns();

    // Rows of the fixed height: the taller of 26 pixels and one line of text.
    void setFixedRows();
    void setVariableRows(const std::vector<int>& heights);
    int textLineHeight() const;

    // Appends the header columns "Pts", "J", "G", "N", "P", "B+", "B-" and "Diff".
    void addRecordColumns();
    QColor colour(quint32 value) const;

    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void pushColours();

    ListView* m_list;
    ListModel* m_model = nullptr;
    zelHeader* m_header = nullptr;
    quint32 m_back = mListBox::WindowColor;
    quint32 m_alternBack = mListBox::HighlightColor;
    quint32 m_fore = mListBox::WindowTextColor;
    quint32 m_alternFore = mListBox::HighlightTextColor;
    int m_itemHeight = 26;
};
