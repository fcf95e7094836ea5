#include "controls/zelTab.h"

#include "controls/ControlError.h"
#include "controls/tabSection.h"

#include <QPainter>

namespace {

const QString kSource = QStringLiteral("zelTab");

} // namespace

zelTab::zelTab(QWidget* parent) : QWidget(parent) {}

cTabSection zelTab::AddSection(const QString& Caption, const QString& Key, const QString& Tag,
                               int Index)
{
    if (!Key.isEmpty() && keyTaken(Key, nullptr))
        throw ControlError::duplicateKey(kSource);
    if (Index > SectionCount() + 1)
        throw ControlError::indexOutOfRange(kSource);
    const int position = Index <= 0 ? SectionCount() + 1 : Index;

    auto* section = new tabSection(this);
    section->setBackColor(m_sectionBackColor);
    section->setForeColor(m_sectionForeColor);
    section->setDisposition(m_disposition);
    section->setLeftShadow(m_leftShadow);
    section->setRightShadow(m_rightShadow);
    section->setUseMaskColor(m_useMaskColor);
    section->setMaskColor(m_maskColor);
    section->setCaption(Caption);
    section->setTag(Tag);
    section->setKey(Key);
    m_sections.insert(position - 1, section);

    if (m_active == 0)
        m_active = position;
    else if (position <= m_active)
        ++m_active;
    section->setReduced(position != m_active);
    connectSection(section);
    section->show();
    layoutSections();
    return cTabSection(section);
}

void zelTab::RemoveSection(int Index)
{
    checkIndex(Index);
    tabSection* section = m_sections.takeAt(Index - 1);
    section->markRemoved();
    disconnect(section, nullptr, this, nullptr);
    section->hide();
    // Later, so that a section can be removed from one of its own event handlers.
    section->deleteLater();

    if (m_sections.isEmpty()) {
        m_active = 0;
    } else if (Index == m_active) {
        m_active = qMin(Index, SectionCount());
        m_sections.at(m_active - 1)->setReduced(false);
    } else if (Index < m_active) {
        --m_active;
    }
    layoutSections();
}

void zelTab::Clear()
{
    while (!m_sections.isEmpty())
        RemoveSection(SectionCount());
    m_active = 0;
}

void zelTab::setBorderStyle(int style)
{
    m_borderStyle = style;
    const int margin = m_borderStyle == 1 ? 1 : 0;
    setContentsMargins(margin, margin, margin, margin);
    layoutSections();
    update();
}

void zelTab::setBackColor(quint32 colour)
{
    m_backColor = colour;
    update();
}

cTabSection zelTab::Section(int Index) const
{
    checkIndex(Index);
    return cTabSection(m_sections.at(Index - 1));
}

cTabSection zelTab::ActiveSection() const
{
    if (m_active < 1 || m_active > SectionCount())
        return {};
    return cTabSection(m_sections.at(m_active - 1));
}

void zelTab::setActiveSection(const cTabSection& section)
{
    const int index = section.isNull() ? 0 : indexOf(section.section());
    if (index == 0)
        throw ControlError::invalidSection(kSource);
    checkIndex(index);
    if (m_active >= 1 && m_active != index)
        m_sections.at(m_active - 1)->setReduced(true);
    m_active = index;
    section.section()->setReduced(false);
    layoutSections();
}

cTabSection zelTab::HitTest(int X, int Y) const
{
    for (tabSection* section : m_sections) {
        if (section->geometry().contains(X, Y))
            return cTabSection(section);
    }
    return {};
}

void zelTab::Refresh()
{
    repaint();
    for (tabSection* section : m_sections)
        section->Refresh();
}

int zelTab::indexOf(const tabSection* section) const
{
    for (qsizetype i = 0; i < m_sections.size(); ++i) {
        if (m_sections.at(i) == section)
            return int(i + 1);
    }
    return 0;
}

bool zelTab::keyTaken(const QString& key, const tabSection* except) const
{
    for (const tabSection* section : m_sections) {
        if (section != except && section->Key() == key)
            return true;
    }
    return false;
}

void zelTab::checkIndex(int Index) const
{
    if (Index < 1 || Index > SectionCount())
        throw ControlError::indexOutOfRange(kSource);
}

void zelTab::connectSection(tabSection* s)
{
    connect(s, &tabSection::HeaderClick, this, [this, s] { emit HeaderClick(indexOf(s)); });
    connect(s, &tabSection::HeaderMouseDown, this, [this, s](int b, int sh, int x, int y) {
        emit HeaderMouseDown(indexOf(s), b, sh, x, y);
    });
    connect(s, &tabSection::HeaderMouseUp, this, [this, s](int b, int sh, int x, int y) {
        emit HeaderMouseUp(indexOf(s), b, sh, x, y);
    });
    connect(s, &tabSection::Click, this, [this, s] { emit Click(indexOf(s)); });
    connect(s, &tabSection::DblClick, this, [this, s] { emit DblClick(indexOf(s)); });
    connect(s, &tabSection::MouseDown, this,
            [this, s](int b, int sh, int x, int y) { emit MouseDown(indexOf(s), b, sh, x, y); });
    connect(s, &tabSection::MouseUp, this,
            [this, s](int b, int sh, int x, int y) { emit MouseUp(indexOf(s), b, sh, x, y); });
    connect(s, &tabSection::MouseMove, this,
            [this, s](int b, int sh, int x, int y) { emit MouseMove(indexOf(s), b, sh, x, y); });
    connect(s, &tabSection::ItemClick, this,
            [this, s](int item) { emit ItemClick(indexOf(s), item); });
}

void zelTab::layoutSections()
{
    if (m_layingOut)
        return;
    m_layingOut = true;
    const QRect inner = contentsRect();
    const int open = qMax(0, inner.height() - (SectionCount() - 1) * tabSection::HeaderHeight);
    int top = inner.top();
    for (int i = 0; i < SectionCount(); ++i) {
        const int height = i + 1 == m_active ? open : tabSection::HeaderHeight;
        m_sections.at(i)->setGeometry(inner.left(), top, inner.width(), height);
        top += height;
    }
    m_layingOut = false;
}

void zelTab::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), mListBox::ToQColor(m_backColor));
    if (m_borderStyle == 1) {
        p.setPen(mListBox::ToQColor(mListBox::DarkShadowColor));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void zelTab::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutSections();
}
