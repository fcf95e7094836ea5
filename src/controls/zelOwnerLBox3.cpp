#include "controls/zelOwnerLBox3.h"

#include "controls/zelHeader.h"

#include <QEvent>

namespace {
constexpr int kMinTextHeight = 18;
} // namespace

zelOwnerLBox3::zelOwnerLBox3(QWidget* parent)
    : zelOwnerLBox(true, parent), m_model(new BetListModel(this)),
      m_delegate(new ListDelegate(this))
{
    zelHeader* h = header();
    h->AddColumn(QStringLiteral("Date"), 100, 0);
    h->AddColumn(QStringLiteral("Description"), 300, 0);
    h->AddColumn(QStringLiteral("Mise"), 100, 0);
    h->AddColumn(QStringLiteral("Statut"), 24, 2);
    h->AddColumn(QStringLiteral("Gain"), 100, 2);
    setListModel(m_model);
    hwnd()->setItemDelegate(m_delegate);
    hwnd()->setWordWrap(true);
    m_delegate->padding = m_padding;
    m_delegate->separatorStyle = m_separatorStyle;
    m_delegate->separatorPadding = m_separatorPadding;
}

int zelOwnerLBox3::rowHeightFor(const store::BetRow& bet) const
{
    const int width = qMax(1, header()->sectionSize(BetListModel::Description) - 2 * m_padding);
    const QRect text = QFontMetrics(font()).boundingRect(QRect(0, 0, width, 100000),
                                                         Qt::TextWordWrap, bet.description);
    int height = qMax(kMinTextHeight, text.height());
    if (m_separatorStyle != 0)
        height += EdgeHeight;
    return height + 2 * m_padding;
}

void zelOwnerLBox3::setItems(std::vector<store::BetRow> items)
{
    m_model->setItems(std::move(items));
    relayout();
}

void zelOwnerLBox3::Clear()
{
    setItems({});
}

void zelOwnerLBox3::relayout()
{
    m_delegate->padding = m_padding;
    m_delegate->separatorStyle = m_separatorStyle;
    m_delegate->separatorPadding = m_separatorPadding;
    std::vector<int> heights;
    heights.reserve(m_model->items().size());
    for (const store::BetRow& bet : m_model->items())
        heights.push_back(rowHeightFor(bet));
    setVariableRows(heights);
    hwnd()->viewport()->update();
}

void zelOwnerLBox3::setPadding(int pixels)
{
    m_padding = qMax(0, pixels);
    relayout();
}

void zelOwnerLBox3::setSeparatorStyle(int style)
{
    m_separatorStyle = style;
    relayout();
}

void zelOwnerLBox3::setSeparatorPadding(int pixels)
{
    m_separatorPadding = qMax(0, pixels);
    relayout();
}

void zelOwnerLBox3::setBetweenItem(int value)
{
    m_betweenItem = value;
    relayout();
}

void zelOwnerLBox3::changeEvent(QEvent* event)
{
    zelOwnerLBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        relayout();
}
