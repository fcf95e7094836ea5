#include "controls/ControlError.h"

ControlError::ControlError(int number, QString source, QString description)
    : number(number), source(std::move(source)), description(std::move(description)),
      m_what(QStringLiteral("%1 (%2): %3")
                 .arg(this->source)
                 .arg(this->number)
                 .arg(this->description)
                 .toUtf8())
{
}

ControlError ControlError::duplicateKey(const QString& source)
{
    return {DuplicateKey, source, QStringLiteral("Valeur dupliquée de Key.")};
}

ControlError ControlError::indexOutOfRange(const QString& source)
{
    return {IndexOutOfRange, source, QStringLiteral("Dépassement d'index.")};
}

ControlError ControlError::invalidSection(const QString& source)
{
    return {InvalidSection, source, QStringLiteral("Section non valide.")};
}

ControlError ControlError::invalidPropertyIndex(const QString& source)
{
    return {InvalidPropertyIndex, source,
            QStringLiteral("Indice de tableau de propriétés non valide.")};
}

ControlError ControlError::imageList(const QString& source)
{
    return {ImageListError, source,
            QStringLiteral("Erreur dans l'initialisation de la liste d'images.")};
}
