// SPDX-License-Identifier: MIT
#pragma once

#include "ColourAPI.h"
#include "Rgb8.h"

#include <QColor>
#include <QFrame>
#include <QPoint>

class QMimeData;

// Converts a packed 0x00BBGGRR colour value to a QColor.
QColor ToQColor(ColourAPI::ColourValue value);
// The same for a colour given by its channels.
QColor ToQColor(Colour::Rgb8 colour);

// What a dragged colour carries: the colour itself (application/x-color, as
// drawing programs take it) and its CSS code as text (#RRGGBB).
QMimeData* ColourMimeData(const QColor& colour);

// A framed box that shows nothing but its background colour. Once it has been
// given a colour, that colour can be dragged out of it to other programs.
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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool m_hasColour = false;  // false until the box is first given a colour
    QPoint m_pressPos{-1, -1}; // where a left press began; (-1, -1) when none
};
