// SPDX-License-Identifier: MIT
#include "DecimalBox.h"

#include <QLocale>

DecimalBox::DecimalBox(QWidget* parent) : QDoubleSpinBox(parent)
{
    QLocale spanish(QLocale::Spanish, QLocale::Spain);
    // No group separator: in Spanish it is the point, which here means the comma.
    spanish.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    setLocale(spanish);
}

QValidator::State DecimalBox::validate(QString& text, int& position) const
{
    text.replace(u'.', u',');
    return QDoubleSpinBox::validate(text, position);
}

double DecimalBox::valueFromText(const QString& text) const
{
    return QDoubleSpinBox::valueFromText(QString(text).replace(u'.', u','));
}
