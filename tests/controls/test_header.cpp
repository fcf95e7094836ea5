#include "controls/ControlError.h"
#include "controls/zelHeader.h"

#include <QApplication>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

void PrintTo(const QString& text, std::ostream* out)
{
    *out << text.toStdString();
}

namespace {

struct Recorder
{
    QStringList events;
    bool cancelStart = false;
    bool cancelChanging = false;

    void attach(zelHeader& header)
    {
        QObject::connect(&header, &zelHeader::StartColumnWidthChange,
                         [this](int index, int width, bool& cancel) {
                             events << QStringLiteral("start %1 %2").arg(index).arg(width);
                             cancel = cancelStart;
                         });
        QObject::connect(&header, &zelHeader::ColumnWidthChanging,
                         [this](int index, int width, bool& cancel) {
                             events << QStringLiteral("changing %1 %2").arg(index).arg(width);
                             cancel = cancelChanging;
                         });
        QObject::connect(&header, &zelHeader::ColumnWidthChanged, [this](int index, int width) {
            events << QStringLiteral("changed %1 %2").arg(index).arg(width);
        });
        QObject::connect(&header, &zelHeader::ColumnClick,
                         [this](int index) { events << QStringLiteral("click %1").arg(index); });
        QObject::connect(&header, &zelHeader::ColumnDblClick,
                         [this](int index) { events << QStringLiteral("dblclick %1").arg(index); });
        QObject::connect(&header, &zelHeader::DividerDblClick, [this](int index) {
            events << QStringLiteral("divider dblclick %1").arg(index);
        });
        QObject::connect(&header, &zelHeader::ColumnBeginDrag, [this](int index) {
            events << QStringLiteral("begin drag %1").arg(index);
        });
        QObject::connect(&header, &zelHeader::ColumnEndDrag, [this](int index, int position) {
            events << QStringLiteral("end drag %1 %2").arg(index).arg(position);
        });
        QObject::connect(&header, &zelHeader::RightClick, [this](int x, int y) {
            events << QStringLiteral("right click %1 %2").arg(x).arg(y);
        });
    }
};

// A header of three columns, 100, 60 and 80 pixels wide, shown 400 pixels wide.
struct Fixture
{
    zelHeader header;
    Recorder recorder;

    Fixture()
    {
        header.AddColumn(QStringLiteral("Equipe"), 100);
        header.AddColumn(QStringLiteral("Pts"), 60, 2);
        header.AddColumn(QStringLiteral("Diff"), 80, 1);
        header.resize(400, zelHeader::Height);
        header.show();
        recorder.attach(header);
    }

    QWidget* viewport() { return header.viewport(); }
    // On the divider at the right end of the column that ends at x.
    QPoint divider(int x) const { return {x - 1, 10}; }
};

void drag(QWidget* widget, QPoint from, QPoint to)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    QTest::mouseMove(widget, (from + to) / 2);
    QTest::mouseMove(widget, to);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
}

void expectError(const std::function<void()>& action, int number, const QString& text)
{
    try {
        action();
        ADD_FAILURE() << "no error raised";
    } catch (const ControlError& e) {
        EXPECT_EQ(e.number, number);
        EXPECT_EQ(e.source, QStringLiteral("zelHeader"));
        EXPECT_EQ(e.description, text);
    }
}

QPixmap solid(const QColor& colour)
{
    QPixmap pixmap(8, 8);
    pixmap.fill(colour);
    return pixmap;
}

int firstColumnWith(const QImage& image, const QColor& colour, int y)
{
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) == colour)
            return x;
    }
    return -1;
}

} // namespace

TEST(Header, ColumnsAreAppendedInsertedAndRemovedByIndex)
{
    zelHeader header;
    EXPECT_EQ(header.AddColumn(QStringLiteral("B"), 50), 0);
    EXPECT_EQ(header.AddColumn(QStringLiteral("C"), 60, 0, 0, -1, false, -1), 1);
    EXPECT_EQ(header.AddColumn(QStringLiteral("A"), 40, 2, 7, -1, false, 0), 0);
    EXPECT_EQ(header.AddColumn(QStringLiteral("D"), 70, 1, 0, -1, false, 99), 3);
    ASSERT_EQ(header.ColumnCount(), 4);
    EXPECT_EQ(header.ColumnHeader(0), QStringLiteral("A"));
    EXPECT_EQ(header.ColumnHeader(1), QStringLiteral("B"));
    EXPECT_EQ(header.ColumnHeader(3), QStringLiteral("D"));
    EXPECT_EQ(header.ColumnWidth(0), 40);
    EXPECT_EQ(header.ColumnTextAlign(0), 2);
    EXPECT_EQ(header.ColumnExtraData(0), 7);
    EXPECT_EQ(header.ColumnIndex(3), 3);

    header.RemoveColumn(1);
    EXPECT_EQ(header.ColumnCount(), 3);
    EXPECT_EQ(header.ColumnHeader(1), QStringLiteral("C"));
    EXPECT_EQ(header.ColumnWidth(1), 60);

    header.setColumnHeader(0, QString(300, QLatin1Char('x')));
    EXPECT_EQ(header.ColumnHeader(0).size(), 255);
}

TEST(Header, AColumnThatDoesNotExistRaisesError381)
{
    zelHeader header;
    header.AddColumn(QStringLiteral("A"), 40);
    const QString text = QStringLiteral("Indice de tableau de propriétés non valide.");
    expectError([&] { header.setColumnWidth(1, 10); }, 381, text);
    expectError([&] { (void)header.ColumnWidth(-1); }, 381, text);
    expectError([&] { (void)header.ColumnHeader(5); }, 381, text);
    expectError([&] { header.RemoveColumn(1); }, 381, text);
    expectError([&] { header.setColumnIndex(0, 3); }, 381, text);
    EXPECT_EQ(header.ColumnCount(), 1);
}

TEST(Header, SettingAWidthRaisesColumnWidthChangedOnlyWhenItChanges)
{
    Fixture f;
    f.header.setColumnWidth(1, 60);
    EXPECT_TRUE(f.recorder.events.isEmpty());
    f.header.setColumnWidth(1, 75);
    EXPECT_EQ(f.recorder.events, QStringList{QStringLiteral("changed 1 75")});
    EXPECT_EQ(f.header.sectionPosition(2), 175);
}

TEST(Header, DraggingADividerRaisesItsEventsInOrder)
{
    Fixture f;
    drag(f.viewport(), f.divider(100), f.divider(100) + QPoint(30, 0));
    EXPECT_EQ(f.recorder.events,
              (QStringList{QStringLiteral("start 0 100"), QStringLiteral("changing 0 115"),
                           QStringLiteral("changing 0 130"), QStringLiteral("changed 0 130")}));
    EXPECT_EQ(f.header.ColumnWidth(0), 130);

    // The divider at the left edge of a column belongs to the column before it.
    f.recorder.events.clear();
    drag(f.viewport(), {131, 10}, {141, 10}); // 1 pixel into column 1
    ASSERT_FALSE(f.recorder.events.isEmpty());
    EXPECT_EQ(f.recorder.events.first(), QStringLiteral("start 0 130"));
}

TEST(Header, CancellingStopsTheDividerAtTheRightStep)
{
    Fixture f;
    f.recorder.cancelStart = true;
    drag(f.viewport(), f.divider(160), {200, 10});
    EXPECT_EQ(f.recorder.events, QStringList{QStringLiteral("start 1 60")});
    EXPECT_EQ(f.header.ColumnWidth(1), 60);

    f.recorder.cancelStart = false;
    f.recorder.cancelChanging = true;
    f.recorder.events.clear();
    drag(f.viewport(), f.divider(160), {200, 10});
    EXPECT_EQ(f.header.ColumnWidth(1), 60);
    EXPECT_EQ(f.recorder.events.last(), QStringLiteral("changed 1 60"));
}

TEST(Header, WithoutFullDragTheWidthChangesOnRelease)
{
    Fixture f;
    f.header.setFullDrag(false);
    QTest::mousePress(f.viewport(), Qt::LeftButton, {}, f.divider(100));
    QTest::mouseMove(f.viewport(), f.divider(150));
    EXPECT_EQ(f.header.ColumnWidth(0), 100);
    QTest::mouseRelease(f.viewport(), Qt::LeftButton, {}, f.divider(150));
    EXPECT_EQ(f.header.ColumnWidth(0), 150);
    EXPECT_EQ(f.recorder.events.last(), QStringLiteral("changed 0 150"));
}

TEST(Header, ClicksDoubleClicksAndRightClicks)
{
    Fixture f;
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, {120, 10});
    QTest::mouseDClick(f.viewport(), Qt::LeftButton, {}, {50, 10});
    QTest::mouseDClick(f.viewport(), Qt::LeftButton, {}, f.divider(160));
    QTest::mouseClick(f.viewport(), Qt::RightButton, {}, {30, 12});
    EXPECT_TRUE(f.recorder.events.contains(QStringLiteral("click 1")));
    EXPECT_TRUE(f.recorder.events.contains(QStringLiteral("dblclick 0")));
    EXPECT_TRUE(f.recorder.events.contains(QStringLiteral("divider dblclick 1")));
    EXPECT_EQ(f.recorder.events.last(), QStringLiteral("right click 30 12"));

    f.recorder.events.clear();
    f.header.setHasButtons(false);
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, {120, 10});
    EXPECT_FALSE(f.recorder.events.contains(QStringLiteral("click 1")));
}

TEST(Header, ReorderingByDragReportsTheNewPosition)
{
    Fixture f;
    drag(f.viewport(), {20, 10}, {200, 10});
    EXPECT_FALSE(f.recorder.events.join(' ').contains(QStringLiteral("drag")));
    EXPECT_EQ(f.header.ColumnIndex(0), 0);

    f.recorder.events.clear();
    f.header.setDragReOrderColumns(true);
    drag(f.viewport(), {20, 10}, {230, 10});
    EXPECT_EQ(f.recorder.events.first(), QStringLiteral("begin drag 0"));
    EXPECT_EQ(f.recorder.events.last(),
              QStringLiteral("end drag 0 %1").arg(f.header.ColumnIndex(0)));
    EXPECT_EQ(f.header.ColumnIndex(0), 2);
    EXPECT_EQ(f.header.ColumnHeader(0), QStringLiteral("Equipe"));
}

TEST(Header, ImageListAcceptsImagesOnlyAndImagesFollowTheirSide)
{
    Fixture f;
    f.header.setImageList(QList<QPixmap>{solid(Qt::red), solid(Qt::blue)});
    f.header.setColumnImage(0, 0);
    f.header.setColumnImage(1, 5);
    EXPECT_EQ(f.header.ColumnImage(0), 0);
    EXPECT_EQ(f.header.ColumnImage(1), -1);
    f.header.AddColumn(QStringLiteral("R"), 100, 0, 0, 1, true);
    EXPECT_EQ(f.header.ColumnImage(3), 1);
    EXPECT_TRUE(f.header.ColumnImageOnRight(3));

    const QImage image = f.header.grab().toImage();
    const int red = firstColumnWith(image, Qt::red, 10);
    const int blue = firstColumnWith(image, Qt::blue, 10);
    EXPECT_GE(red, 0);
    EXPECT_LT(red, 20);
    EXPECT_GT(blue, 240 + 80);
    EXPECT_LT(blue, 340);

    try {
        f.header.setImageList(QVariant(QStringLiteral("images")));
        ADD_FAILURE() << "no error raised";
    } catch (const ControlError& e) {
        EXPECT_EQ(e.description,
                  QStringLiteral("Erreur dans l'initialisation de la liste d'images."));
    }
    EXPECT_EQ(f.header.ImageCount(), 0);
    const QImage cleared = f.header.grab().toImage();
    EXPECT_EQ(firstColumnWith(cleared, Qt::red, 10), -1);

    f.header.setImageList(QVariant(QVariantList{QVariant::fromValue(solid(Qt::green))}));
    EXPECT_EQ(f.header.ImageCount(), 1);
    f.header.setImageList(QVariant(0));
    EXPECT_EQ(f.header.ImageCount(), 0);
}

TEST(Header, StaysAlignedWithCellsScrolledSideways)
{
    // Above a list: the list's horizontal scroll position becomes the header's offset.
    Fixture f;
    QScrollBar bar(Qt::Horizontal);
    bar.setRange(0, 200);
    QObject::connect(&bar, &QScrollBar::valueChanged, &f.header, &QHeaderView::setOffset);
    bar.setValue(70);
    EXPECT_EQ(f.header.sectionViewportPosition(1), 100 - 70);
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, {40, 10}); // column 1 is under x 40 now
    EXPECT_EQ(f.recorder.events.last(), QStringLiteral("click 1"));

    // As the horizontal header of a view, the columns stay the header's own.
    QTableView view;
    auto* header = new zelHeader;
    header->AddColumn(QStringLiteral("Equipe"), 300);
    header->AddColumn(QStringLiteral("Pts"), 300);
    view.setHorizontalHeader(header);
    view.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QStandardItemModel model(5, 2);
    view.setModel(&model);
    view.resize(250, 200);
    view.show();
    QApplication::processEvents();
    EXPECT_EQ(header->ColumnCount(), 2);
    EXPECT_EQ(header->ColumnHeader(1), QStringLiteral("Pts"));
    EXPECT_EQ(view.columnWidth(1), 300);
    EXPECT_EQ(header->height(), 20);
    view.horizontalScrollBar()->setValue(120);
    EXPECT_EQ(header->sectionViewportPosition(1), 300 - 120);
    EXPECT_EQ(header->sectionViewportPosition(1), view.columnViewportPosition(1));
}
