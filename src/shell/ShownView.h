#pragma once

#include "models/CsvExport.h"

#include <QList>
#include <QPageLayout>
#include <QString>
#include <functional>

class ReportDocument;

// What a window shows, for Fichier > Exporter, Imprimer and Exporter en PDF: its tables and
// how its printed pages are laid out.
struct ShownView
{
    QString name; // part of the proposed file name: "Classement Général J12"
    QList<ShownTable> tables;
    std::function<void(ReportDocument&)> render;
    QPageLayout::Orientation orientation = QPageLayout::Portrait; // of the printed pages

    bool isEmpty() const { return tables.isEmpty(); }
};
