// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

#include <QObject>
#include <array>

class QScrollBar;

// The colour being edited, as one value: what the colour tools and the small
// windows read and follow, so that none of them reads a control back or
// listens to a repaint. The three sliders still hold the colour and the
// editing chain still runs through them: Apply sets them, and the chain
// tells this object the colour each time it sets the sample (Shown).
//
// Changed comes once per applied colour or move of a control, and only when
// the colour differs, as QColorDialog's currentColorChanged does. An applied
// colour runs a chain for each slider it moves, each setting the sample;
// those are told as one change, at the end of Apply.
class EditorColour : public QObject
{
    Q_OBJECT
public:
    // sliders: red, green and blue, which hold start.
    EditorColour(const std::array<QScrollBar*, 3>& sliders, Colour::Rgb8 start,
                 QObject* parent = nullptr);

    Colour::Rgb8 Value() const { return m_value; }
    // Sets the three sliders, each slider's chain bringing its
    // box, the code and the sample up to date, then tells the change once.
    void Apply(Colour::Rgb8 colour);
    // For the chain: the sample has just been set to colour.
    void Shown(Colour::Rgb8 colour);

signals:
    void Changed(Colour::Rgb8 colour);

private:
    std::array<QScrollBar*, 3> m_sliders;
    Colour::Rgb8 m_value;
    bool m_applying = false;
};
