#include "controls/zelOwnerLBox.h"

#include "controls/ControlError.h"
#include "controls/zelHeader.h"
#include "store/CrestCache.h"

#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

int shiftState(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

} // namespace

zelOwnerLBox::zelOwnerLBox(bool withHeader, QWidget* parent)
    : QWidget(parent), m_list(new OwnerDrawList(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_list);
    if (withHeader) {
        m_header = new zelHeader(this);
        m_header->setObjectName(QStringLiteral("zelHeader"));
        connect(m_list->horizontalScrollBar(), &QScrollBar::valueChanged, m_header,
                [this](int x) { m_header->setOffset(x); });
        connect(m_header, &QHeaderView::sectionResized, this, [this] { syncHeader(); });
    }
    m_list->setRowPainter(
        [this](QPainter& p, int row, const QRect& rect, const OwnerDrawList::RowState& state) {
            // A row that cannot be read is drawn with what could be read.
            try {
                drawRow(p, row, rect, state);
            } catch (...) {
            }
        });
    m_itemHeight = qMax(26, textLineHeight());
    connect(m_list, &OwnerDrawList::selectionChanged, this, &zelOwnerLBox::Click);
    connect(m_list, &OwnerDrawList::rowDoubleClicked, this, &zelOwnerLBox::DblClick);
    connect(m_list, &OwnerDrawList::scrolled, this, &zelOwnerLBox::Scroll);
    connect(m_list, &OwnerDrawList::mousePressed, this, &zelOwnerLBox::MouseDown);
    connect(m_list, &OwnerDrawList::mouseReleased, this, &zelOwnerLBox::MouseUp);
    connect(m_list, &OwnerDrawList::keyPressed, this, [this](QKeyEvent* e) {
        emit KeyDown(e->key(), shiftState(e->modifiers()));
        if (!e->text().isEmpty())
            emit KeyPress(e->text().at(0).unicode());
    });
    connect(m_list, &OwnerDrawList::keyReleased, this,
            [this](QKeyEvent* e) { emit KeyUp(e->key(), shiftState(e->modifiers())); });
}

zelOwnerLBox::~zelOwnerLBox() = default;

void zelOwnerLBox::setBackColor(quint32 c)
{
    m_back = c;
    m_list->viewport()->update();
}

void zelOwnerLBox::setAlternBackColor(quint32 c)
{
    m_alternBack = c;
    m_list->viewport()->update();
}

void zelOwnerLBox::setForeColor(quint32 c)
{
    m_fore = c;
    m_list->viewport()->update();
}

void zelOwnerLBox::setAlternForeColor(quint32 c)
{
    m_alternFore = c;
    m_list->viewport()->update();
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

void zelOwnerLBox::setFixedRows(int count)
{
    m_itemHeight = qMax(26, textLineHeight());
    forgetCrests();
    m_list->setRows(count, m_itemHeight);
}

void zelOwnerLBox::setVariableRows(std::vector<int> heights)
{
    forgetCrests();
    m_list->setRows(std::move(heights));
}

QColor zelOwnerLBox::colour(quint32 value) const
{
    return mListBox::ToQColor(value, &palette());
}

void zelOwnerLBox::fillAlternating(QPainter& p, int row, const QRect& rect,
                                   const OwnerDrawList::RowState&) const
{
    const bool alternate = row % 2 == 0;
    p.fillRect(rect, colour(alternate ? m_alternBack : m_back));
    p.setPen(colour(alternate ? m_alternFore : m_fore));
}

void zelOwnerLBox::drawFocus(QPainter& p, const QRect& rect,
                             const OwnerDrawList::RowState& state) const
{
    if (!state.focus)
        return;
    p.save();
    QPen pen(p.pen().color(), 1, Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect.adjusted(0, 0, -1, -1));
    p.restore();
}

QRect zelOwnerLBox::cell(const QRect& row, int column, int inset) const
{
    if (!m_header || column < 0 || column >= m_header->count())
        return {};
    const int x = row.left() + m_header->sectionPosition(column);
    return QRect(x + inset, row.top() + inset, m_header->sectionSize(column) - 2 * inset,
                 row.height() - 2 * inset);
}

void zelOwnerLBox::drawText(QPainter& p, const QRect& cell, const QString& text,
                            Qt::Alignment align) const
{
    if (cell.width() <= 0)
        return;
    const QString shown = p.fontMetrics().elidedText(text, Qt::ElideRight, cell.width());
    p.drawText(cell, int(align | Qt::AlignVCenter | Qt::TextSingleLine), shown);
}

void zelOwnerLBox::addRecordColumns()
{
    m_header->AddColumn(QStringLiteral("Pts"), 40, 2);
    for (const char* c : {"J", "G", "N", "P", "B+", "B-"})
        m_header->AddColumn(QString::fromLatin1(c), 30, 2);
    m_header->AddColumn(QStringLiteral("Diff"), 40, 2);
}

void zelOwnerLBox::drawRecordCells(QPainter& p, const QRect& row, int firstColumn, const cResult& r,
                                   const cResult::Points& points) const
{
    const int values[] = {r.points(points), r.played(), r.Won,        r.Nul,
                          r.Lost,           r.ButsPour, r.ButsContre, r.difference()};
    for (int k = 0; k < 8; ++k)
        drawText(p, cell(row, firstColumn + k), QString::number(values[k]), Qt::AlignHCenter);
}

void zelOwnerLBox::drawCrest(QPainter& p, int x, const QRect& row, const QString& team)
{
    auto it = m_crests.find(team);
    if (it == m_crests.end()) {
        QPixmap icon;
        const QString path = CrestCache::iconPath(team);
        if (!path.isEmpty() && QFileInfo::exists(path))
            icon.load(path);
        if (!icon.isNull() && icon.size() != QSize(24, 24))
            icon = icon.scaled(24, 24, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        it = m_crests.insert(team, icon);
    }
    if (!it->isNull())
        p.drawPixmap(x, row.top() + (row.height() - 24) / 2, *it);
}

void zelOwnerLBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int top = m_header ? zelHeader::Height : 0;
    if (m_header)
        m_header->setGeometry(0, 0, width(), zelHeader::Height);
    m_list->setGeometry(0, top, width(), qMax(0, height() - top));
    // The columns fill the list beside its vertical scroll bar.
    layoutColumns(qMax(0, width() - 2 * m_list->frameWidth() -
                              m_list->verticalScrollBar()->sizeHint().width()));
    syncHeader();
}

void zelOwnerLBox::syncHeader()
{
    if (!m_header)
        return;
    m_list->setHorizontalExtent(m_header->length());
    m_header->setOffset(m_list->horizontalScrollBar()->value());
}

void zelOwnerLBox::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_list->setFocus(event->reason());
}
