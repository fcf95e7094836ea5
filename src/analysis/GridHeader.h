#pragma once

#include <QHeaderView>

// The captions above the grid: from column rotatedFrom on, the team's crest at the bottom
// and its name written upwards, so that narrow score columns still show whole names.
class GridHeader : public QHeaderView
{
    Q_OBJECT
public:
    static constexpr int kMaxHeight = 180;

    explicit GridHeader(int rotatedFrom, QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    int m_rotatedFrom;
};
