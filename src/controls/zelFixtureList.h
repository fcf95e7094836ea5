#pragma once

#include "controls/zelOwnerLBox.h"
#include "models/FixtureListModel.h"

// Fixtures still to play under a header: matchday, home team and visitor.
class zelFixtureList : public zelOwnerLBox
{
    Q_OBJECT
public:
    explicit zelFixtureList(QWidget* parent = nullptr);

    void setItems(std::vector<store::Fixture> items);
    const std::vector<store::Fixture>& Items() const { return m_model->items(); }
    FixtureListModel* fixtures() const { return m_model; }

protected:
    void layoutColumns(int width) override;

private:
    FixtureListModel* m_model;
};
