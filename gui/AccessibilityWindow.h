// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

#include <QWidget>
#include <array>
#include <optional>

class EditorColour;
class MemoryColour;
class QComboBox;
class QLabel;
class QPushButton;

// "Accesibilidad": how the editor's colour reads as text on the memory
// sample's colour (white until an entry is chosen), or the other way round
// after "Intercambiar", with a line saying which is which: the WCAG 2.2 ratio
// and verdicts for normal text, large text and controls, the APCA figure,
// sample text at each size, "Corregir" (the nearest colour of the editor's
// hue that reaches the chosen level, applied as a pick, with a note of what
// changed, or the nearest colour of any hue proposed) and both colours as
// people with each colour-vision deficiency see them. It follows both colours
// live; each result a screen reader reads carries its figure in its name. A
// small window of its own, beside the main one, made when first asked for.
class AccessibilityWindow : public QWidget
{
    Q_OBJECT
public:
    // main: the window it belongs to and stands beside.
    AccessibilityWindow(EditorColour& edited, const MemoryColour& chosen, QWidget& main);

    // Shows the window beside the main one (or raises it).
    void ShowBeside();

private:
    void Update();
    void Fix();
    // Gives the note the height of the longest it can be, so that nothing
    // moves when one shows.
    void ReserveNoteRoom();
    // Empties the note and forgets the corrected or proposed colour.
    void ClearNote();
    // The memory sample's colour, white until an entry is chosen.
    Colour::Rgb8 ChosenOrWhite() const;

    EditorColour& m_edited;
    const MemoryColour& m_chosen;
    QWidget& m_main;
    bool m_swapped = false;
    // The colour the note names (corrected or proposed), while it shows.
    std::optional<Colour::Rgb8> m_noted;
    QLabel* m_roles = nullptr;
    QLabel* m_ratio = nullptr;
    QLabel* m_verdicts = nullptr;
    QLabel* m_apca = nullptr;
    std::array<QLabel*, 3> m_samples{};
    std::array<QLabel*, 4> m_seen{};
    std::array<QLabel*, 4> m_seenRatio{};
    QPushButton* m_swap = nullptr;
    QPushButton* m_fix = nullptr;
    QComboBox* m_level = nullptr;
    QLabel* m_fixNote = nullptr;
    QPushButton* m_useProposal = nullptr;
    QPushButton* m_copy = nullptr;
};
