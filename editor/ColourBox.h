// SPDX-License-Identifier: MIT
#pragma once

#include "ColourAPI.h"

#include <QColor>
#include <QFrame>

// Converts a packed 0x00BBGGRR colour value to a QColor.
QColor ToQColor(ColourAPI::ColourValue value);

// A framed box that shows nothing but its background colour.
class ColourBox : public QFrame
{
    Q_OBJECT
public:
    explicit ColourBox(QWidget* parent = nullptr);

    // Repaints the whole box in the given colour.
    void SetBackColour(const QColor& colour);
    QColor BackColour() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
