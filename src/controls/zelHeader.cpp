#include "controls/zelHeader.h"

#include "controls/ControlError.h"
#include "controls/mSubClass.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyleOptionHeader>
#include <algorithm>

namespace {

enum Role { AlignRole = Qt::UserRole, ExtraRole, ImageRole, ImageOnRightRole };

const QString kSource = QStringLiteral("zelHeader");

Qt::Alignment qtAlignment(int alignment)
{
    switch (alignment) {
    case 1:
        return Qt::AlignRight | Qt::AlignVCenter;
    case 2:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

QPixmap pixmapOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QPixmap:
        return value.value<QPixmap>();
    case QMetaType::QImage:
        return QPixmap::fromImage(value.value<QImage>());
    case QMetaType::QIcon: {
        const QIcon icon = value.value<QIcon>();
        const QList<QSize> sizes = icon.availableSizes();
        return icon.pixmap(sizes.isEmpty() ? QSize(16, 16) : sizes.first());
    }
    default:
        return {};
    }
}

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

} // namespace

zelHeader::zelHeader(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), m_columns(new QStandardItemModel(0, 0, this))
{
    QHeaderView::setModel(m_columns);
    setSectionsClickable(true);
    setSectionsMovable(false);
    setHighlightSections(false);
    setStretchLastSection(false);
    setMinimumSectionSize(0);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFixedHeight(Height);
    viewport()->setMouseTracking(true);

    connect(this, &QHeaderView::sectionClicked, this, [this](int index) {
        if (index >= 0)
            emit ColumnClick(index);
    });
    connect(this, &QHeaderView::sectionDoubleClicked, this, [this](int index) {
        if (index >= 0)
            emit ColumnDblClick(index);
    });
    connect(this, &QHeaderView::sectionHandleDoubleClicked, this, &zelHeader::DividerDblClick);
    mSubClass::Subclass(viewport(), this);
}

zelHeader::~zelHeader()
{
    mSubClass::UnSubclass(viewport());
}

void zelHeader::setHasButtons(bool on)
{
    setSectionsClickable(on);
}

void zelHeader::setFullDrag(bool on)
{
    m_fullDrag = on;
}

void zelHeader::setHotTrack(bool on)
{
    m_hotTrack = on;
    viewport()->update();
}

void zelHeader::setDragReOrderColumns(bool on)
{
    setSectionsMovable(on);
}

void zelHeader::setImageList(const QVariant& images)
{
    QList<QPixmap> list;
    bool ok = true;
    if (!images.isValid() || (isNumber(images) && images.toLongLong() == 0)) {
        // no image list
    } else if (images.typeId() == qMetaTypeId<QList<QPixmap>>()) {
        list = images.value<QList<QPixmap>>();
    } else if (images.typeId() == qMetaTypeId<QList<QIcon>>()) {
        for (const QIcon& icon : images.value<QList<QIcon>>())
            list << pixmapOf(QVariant::fromValue(icon));
    } else if (images.typeId() == QMetaType::QVariantList) {
        for (const QVariant& image : images.toList())
            list << pixmapOf(image);
    } else {
        ok = false;
    }
    ok = ok && std::none_of(list.cbegin(), list.cend(),
                            [](const QPixmap& image) { return image.isNull(); });
    if (!ok) {
        setImageList(QList<QPixmap>());
        throw ControlError::imageList(kSource);
    }
    setImageList(list);
}

void zelHeader::setImageList(const QList<QPixmap>& images)
{
    m_images = images;
    viewport()->update();
}

void zelHeader::check(int Index) const
{
    if (Index < 0 || Index >= count())
        throw ControlError::invalidPropertyIndex(kSource);
}

QVariant zelHeader::columnData(int Index, int role) const
{
    check(Index);
    return m_columns->headerData(Index, Qt::Horizontal, role);
}

void zelHeader::setColumnData(int Index, int role, const QVariant& value)
{
    check(Index);
    m_columns->setHeaderData(Index, Qt::Horizontal, value, role);
}

int zelHeader::ColumnIndex(int Index) const
{
    check(Index);
    return visualIndex(Index);
}

void zelHeader::setColumnIndex(int Index, int Position)
{
    check(Index);
    check(Position);
    moveSection(visualIndex(Index), Position);
}

qint32 zelHeader::ColumnExtraData(int Index) const
{
    return columnData(Index, ExtraRole).toInt();
}

void zelHeader::setColumnExtraData(int Index, qint32 value)
{
    setColumnData(Index, ExtraRole, value);
}

int zelHeader::ColumnTextAlign(int Index) const
{
    return columnData(Index, AlignRole).toInt();
}

void zelHeader::setColumnTextAlign(int Index, int alignment)
{
    setColumnData(Index, AlignRole, alignment);
    setColumnData(Index, Qt::TextAlignmentRole, int(qtAlignment(alignment)));
}

int zelHeader::ColumnWidth(int Index) const
{
    check(Index);
    return sectionSize(Index);
}

void zelHeader::setColumnWidth(int Index, int width)
{
    check(Index);
    width = qMax(0, width);
    if (width == sectionSize(Index))
        return;
    resizeSection(Index, width);
    emit ColumnWidthChanged(Index, sectionSize(Index));
}

int zelHeader::ColumnImage(int Index) const
{
    const QVariant image = columnData(Index, ImageRole);
    return image.isValid() ? image.toInt() : -1;
}

void zelHeader::setColumnImage(int Index, int image)
{
    check(Index);
    if (image < -1 || image >= ImageCount())
        return;
    setColumnData(Index, ImageRole, image);
}

bool zelHeader::ColumnImageOnRight(int Index) const
{
    return columnData(Index, ImageOnRightRole).toBool();
}

void zelHeader::setColumnImageOnRight(int Index, bool on)
{
    setColumnData(Index, ImageOnRightRole, on);
}

QString zelHeader::ColumnHeader(int Index) const
{
    return columnData(Index, Qt::DisplayRole).toString().left(255);
}

void zelHeader::setColumnHeader(int Index, const QString& caption)
{
    setColumnData(Index, Qt::DisplayRole, caption);
}

void zelHeader::RemoveColumn(int Index)
{
    check(Index);
    m_tracking = -1;
    m_dragColumn = -1;
    m_dragging = false;
    m_hot = -1;
    m_columns->removeColumn(Index);
}

int zelHeader::AddColumn(const QString& Caption, int Width, int Alignment, qint32 ExtraData,
                         int Image, bool ImageOnRight, int Index)
{
    const int column = Index < 0 || Index > count() ? count() : Index;
    m_columns->insertColumn(column);
    m_columns->setHeaderData(column, Qt::Horizontal, Caption, Qt::DisplayRole);
    m_columns->setHeaderData(column, Qt::Horizontal, Alignment, AlignRole);
    m_columns->setHeaderData(column, Qt::Horizontal, int(qtAlignment(Alignment)),
                             Qt::TextAlignmentRole);
    m_columns->setHeaderData(column, Qt::Horizontal, ExtraData, ExtraRole);
    const bool withImage = Image >= 0 && Image < ImageCount();
    m_columns->setHeaderData(column, Qt::Horizontal, withImage ? Image : -1, ImageRole);
    m_columns->setHeaderData(column, Qt::Horizontal, withImage && ImageOnRight, ImageOnRightRole);
    resizeSection(column, qMax(0, Width));
    return column;
}

QSize zelHeader::sizeHint() const
{
    return {QHeaderView::sizeHint().width(), Height};
}

void zelHeader::setModel(QAbstractItemModel* model)
{
    if (model == m_columns)
        QHeaderView::setModel(model);
}

void zelHeader::setSelectionModel(QItemSelectionModel* selectionModel)
{
    if (selectionModel && selectionModel->model() != m_columns)
        return;
    QHeaderView::setSelectionModel(selectionModel);
}

// The divider under x, as the column it ends, or -1; the same grip margin as the header's own.
int zelHeader::dividerAt(int x) const
{
    int visual = visualIndexAt(x);
    if (visual < 0)
        return -1;
    const int logical = logicalIndex(visual);
    const int start = sectionViewportPosition(logical);
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    bool atStart = x < start + grip;
    bool atEnd = x > start + sectionSize(logical) - grip;
    if (isRightToLeft())
        std::swap(atStart, atEnd);
    if (atStart) {
        while (visual > 0) {
            const int previous = logicalIndex(--visual);
            if (!isSectionHidden(previous))
                return previous;
        }
        return -1;
    }
    return atEnd ? logical : -1;
}

bool zelHeader::Message(QWidget* hwnd, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return pressed(hwnd, static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        return moved(hwnd, static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        return released(hwnd, static_cast<QMouseEvent*>(event));
    case QEvent::Leave:
        if (m_hot != -1) {
            m_hot = -1;
            if (m_hotTrack)
                hwnd->update();
        }
        return mSubClass::CallOrigWndProc(hwnd, event);
    case QEvent::Paint: {
        const bool result = mSubClass::CallOrigWndProc(hwnd, event);
        if (m_tracking >= 0 && !m_fullDrag && m_trackWidth >= 0) {
            // Without full drag the column keeps its width until release; a line shows
            // where the divider would go.
            const int start = sectionViewportPosition(m_tracking);
            const int x = isRightToLeft() ? start + sectionSize(m_tracking) - m_trackWidth
                                          : start + m_trackWidth;
            QPainter p(hwnd);
            p.setPen(palette().color(QPalette::WindowText));
            p.drawLine(x, 0, x, hwnd->height());
        }
        return result;
    }
    default:
        return mSubClass::CallOrigWndProc(hwnd, event);
    }
}

bool zelHeader::pressed(QWidget* hwnd, QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return mSubClass::CallOrigWndProc(hwnd, event);
    const int x = event->position().toPoint().x();
    const int divider = dividerAt(x);
    if (divider >= 0 && sectionResizeMode(divider) == Interactive) {
        bool cancel = false;
        emit StartColumnWidthChange(divider, sectionSize(divider), cancel);
        if (cancel)
            return true;
        m_tracking = divider;
        m_trackStartX = x;
        m_trackStartWidth = sectionSize(divider);
        m_trackWidth = -1;
        return mSubClass::CallOrigWndProc(hwnd, event);
    }
    m_dragColumn = logicalIndexAt(x);
    m_dragStartX = x;
    m_dragging = false;
    return mSubClass::CallOrigWndProc(hwnd, event);
}

bool zelHeader::moved(QWidget* hwnd, QMouseEvent* event)
{
    const int x = event->position().toPoint().x();
    const int hot = logicalIndexAt(x);
    if (hot != m_hot) {
        m_hot = hot;
        if (m_hotTrack)
            hwnd->update();
    }
    if (m_tracking >= 0 && (event->buttons() & Qt::LeftButton)) {
        const int delta = isRightToLeft() ? m_trackStartX - x : x - m_trackStartX;
        const int width =
            qBound(minimumSectionSize(), m_trackStartWidth + delta, maximumSectionSize());
        bool cancel = false;
        emit ColumnWidthChanging(m_tracking, width, cancel);
        if (cancel)
            return true;
        if (!m_fullDrag) {
            m_trackWidth = width;
            hwnd->update();
            return true;
        }
        return mSubClass::CallOrigWndProc(hwnd, event);
    }
    if (m_dragColumn >= 0 && !m_dragging && sectionsMovable() &&
        (event->buttons() & Qt::LeftButton) &&
        qAbs(x - m_dragStartX) >= QApplication::startDragDistance()) {
        m_dragging = true;
        emit ColumnBeginDrag(m_dragColumn);
    }
    return mSubClass::CallOrigWndProc(hwnd, event);
}

bool zelHeader::released(QWidget* hwnd, QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        const bool result = mSubClass::CallOrigWndProc(hwnd, event);
        const QPoint pos = hwnd->mapTo(this, event->position().toPoint());
        emit RightClick(pos.x(), pos.y());
        return result;
    }
    if (event->button() != Qt::LeftButton)
        return mSubClass::CallOrigWndProc(hwnd, event);

    if (m_tracking >= 0) {
        const int column = m_tracking;
        if (!m_fullDrag && m_trackWidth >= 0)
            resizeSection(column, m_trackWidth);
        m_tracking = -1;
        m_trackWidth = -1;
        const bool result = mSubClass::CallOrigWndProc(hwnd, event);
        hwnd->update();
        emit ColumnWidthChanged(column, sectionSize(column));
        return result;
    }
    const int column = m_dragColumn;
    const bool dragged = m_dragging;
    m_dragColumn = -1;
    m_dragging = false;
    const bool result = mSubClass::CallOrigWndProc(hwnd, event);
    if (dragged && column >= 0 && column < count()) {
        const int position = visualIndex(column);
        if (position >= 0)
            emit ColumnEndDrag(column, position);
    }
    return result;
}

void zelHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    initStyleOptionForIndex(&opt, logicalIndex);
    opt.rect = rect;
    if (m_hotTrack && logicalIndex == m_hot && isEnabled())
        opt.state |= QStyle::State_MouseOver;
    else
        opt.state &= ~QStyle::State_MouseOver;
    const QString text = opt.text;
    opt.text.clear();
    opt.icon = QIcon();

    painter->save();
    style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
    QRect content = style()->subElementRect(QStyle::SE_HeaderLabel, &opt, this);
    const QVariant imageValue = m_columns->headerData(logicalIndex, Qt::Horizontal, ImageRole);
    const int image = imageValue.isValid() ? imageValue.toInt() : -1;
    if (image >= 0 && image < m_images.size()) {
        const QPixmap& pixmap = m_images.at(image);
        QSize size = pixmap.deviceIndependentSize().toSize();
        if (size.height() > content.height())
            size.scale(size.width(), content.height(), Qt::KeepAspectRatio);
        const bool onRight =
            m_columns->headerData(logicalIndex, Qt::Horizontal, ImageOnRightRole).toBool();
        const int x = onRight ? content.right() + 1 - size.width() : content.left();
        const QRect target(QPoint(x, content.top() + (content.height() - size.height()) / 2), size);
        painter->drawPixmap(target, pixmap);
        if (onRight)
            content.setRight(target.left() - 3);
        else
            content.setLeft(target.right() + 3);
    }
    const QString shown = opt.fontMetrics.elidedText(text, Qt::ElideRight, content.width());
    style()->drawItemText(painter, content, int(opt.textAlignment), opt.palette, isEnabled(), shown,
                          QPalette::ButtonText);
    painter->restore();
}
