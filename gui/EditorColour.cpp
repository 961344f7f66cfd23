// SPDX-License-Identifier: MIT
#include "EditorColour.h"

#include <QScopedValueRollback>
#include <QScrollBar>
#include <utility>

EditorColour::EditorColour(const std::array<QScrollBar*, 3>& sliders, Colour::Rgb8 start,
                           QObject* parent)
    : QObject(parent), m_sliders(sliders), m_value(start)
{
}

void EditorColour::Apply(Colour::Rgb8 colour)
{
    const Colour::Rgb8 before = m_value;
    {
        const QScopedValueRollback applying(m_applying, true);
        // Red first, each slider's own chain running before the next is set.
        m_sliders[0]->setValue(colour.red);
        m_sliders[1]->setValue(colour.green);
        m_sliders[2]->setValue(colour.blue);
    }
    if (m_value != before) {
        emit Changed(m_value);
    }
}

void EditorColour::Shown(Colour::Rgb8 colour)
{
    const Colour::Rgb8 before = std::exchange(m_value, colour);
    if (!m_applying && colour != before) {
        emit Changed(colour);
    }
}
