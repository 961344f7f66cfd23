// SPDX-License-Identifier: MIT
#pragma once

#include <QDoubleSpinBox>

// A number box with decimals that shows them with the Spanish decimal comma
// ("0,623") and takes a typed point as the comma: the point is what CSS and
// most keyboards' number pads give.
class DecimalBox : public QDoubleSpinBox
{
    Q_OBJECT
public:
    explicit DecimalBox(QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& text, int& position) const override;
    double valueFromText(const QString& text) const override;
};
