// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

#include <QObject>
#include <optional>

// The colour of the memory list's chosen entry, which the list sample shows:
// none until an entry is first chosen. Set where an entry is chosen; Changed
// comes only when the colour differs.
class MemoryColour : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    std::optional<Colour::Rgb8> Value() const { return m_value; }
    void Set(Colour::Rgb8 colour)
    {
        if (m_value != colour) {
            m_value = colour;
            emit Changed(colour);
        }
    }

signals:
    void Changed(Colour::Rgb8 colour);

private:
    std::optional<Colour::Rgb8> m_value;
};
