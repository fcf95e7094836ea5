#include "controls/zelOwnerLBox.h"

#include "controls/ControlError.h"
#include "controls/zelHeader.h"
#include "models/RecordCells.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QScrollBar>

namespace {

int shiftState(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

} // namespace

zelOwnerLBox::zelOwnerLBox(bool withHeader, QWidget* parent)
    : QWidget(parent), m_list(new ListView(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_list);
    if (withHeader) {
        m_header = new zelHeader(this);
        m_header->setObjectName(QStringLiteral("zelHeader"));
        m_header->setFixedHeight(zelHeader::Height);
        m_list->setHorizontalHeader(m_header);
    } else {
        m_list->horizontalHeader()->hide();
    }
    m_itemHeight = qMax(26, textLineHeight());
    connect(m_list, &ListView::rowSelectionChanged, this, &zelOwnerLBox::Click);
    connect(m_list, &ListView::rowDoubleClicked, this, &zelOwnerLBox::DblClick);
    connect(m_list, &ListView::scrolled, this, &zelOwnerLBox::Scroll);
    connect(m_list, &ListView::mousePressed, this, &zelOwnerLBox::MouseDown);
    connect(m_list, &ListView::mouseReleased, this, &zelOwnerLBox::MouseUp);
    connect(m_list, &ListView::keyPressed, this, [this](QKeyEvent* e) {
        emit KeyDown(e->key(), shiftState(e->modifiers()));
        if (!e->text().isEmpty())
            emit KeyPress(e->text().at(0).unicode());
    });
    connect(m_list, &ListView::keyReleased, this,
            [this](QKeyEvent* e) { emit KeyUp(e->key(), shiftState(e->modifiers())); });
}

zelOwnerLBox::~zelOwnerLBox() = default;

void zelOwnerLBox::setListModel(ListModel* model)
{
    m_model = model;
    model->setParent(this);
    pushColours();
    m_list->setListModel(model);
    // A new set of rows starts at the top with nothing selected, in the rows' height.
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        m_list->verticalScrollBar()->setValue(0);
        emit Click();
    });
}

void zelOwnerLBox::pushColours()
{
    if (m_model)
        m_model->setColours(
            {colour(m_back), colour(m_alternBack), colour(m_fore), colour(m_alternFore)});
}

void zelOwnerLBox::setBackColor(quint32 c)
{
    m_back = c;
    pushColours();
}

void zelOwnerLBox::setAlternBackColor(quint32 c)
{
    m_alternBack = c;
    pushColours();
}

void zelOwnerLBox::setForeColor(quint32 c)
{
    m_fore = c;
    pushColours();
}

void zelOwnerLBox::setAlternForeColor(quint32 c)
{
    m_alternFore = c;
    pushColours();
}

int zelOwnerLBox::SelectedItemsCount() const
{
    if (!m_list->multiSelect())
        throw ControlError(ControlError::ObjectErrorBase + 5, QStringLiteral("zelLBox"),
                           QStringLiteral("Disponible seulement en mode de sélection multiple."));
    return m_list->selectedCount();
}

int zelOwnerLBox::textLineHeight() const
{
    return QFontMetrics(font()).boundingRect(QStringLiteral("Essai")).height();
}

void zelOwnerLBox::setFixedRows()
{
    m_itemHeight = qMax(26, textLineHeight());
    m_list->setRowHeights(m_itemHeight);
}

void zelOwnerLBox::setVariableRows(const std::vector<int>& heights)
{
    m_list->setRowHeights(heights);
}

QColor zelOwnerLBox::colour(quint32 value) const
{
    return mListBox::ToQColor(value, &palette());
}

void zelOwnerLBox::addRecordColumns()
{
    const QStringList captions = RecordCells::captions();
    for (int k = 0; k < captions.size(); ++k)
        m_header->AddColumn(captions[k], k == 0 || k == 7 ? 40 : 30, 2);
}

void zelOwnerLBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_list->setGeometry(0, 0, width(), height());
    relayoutColumns();
}

void zelOwnerLBox::relayoutColumns()
{
    // The columns fill the list beside its vertical scroll bar.
    layoutColumns(qMax(0, width() - 2 * m_list->frameWidth() -
                              m_list->verticalScrollBar()->sizeHint().width()));
}

void zelOwnerLBox::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_list->setFocus(event->reason());
}

void zelOwnerLBox::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        pushColours();
    if (event->type() == QEvent::FontChange && m_model)
        m_list->setFont(font());
}
