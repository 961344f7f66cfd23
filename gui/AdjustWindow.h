// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

#include <QWidget>
#include <array>

class DecimalBox;
class EditorColour;
class QLabel;
class ValueSlider;

// "Ajustar color": the editor's colour as OKLCH lightness, chroma and hue,
// and as HSL hue, saturation and lightness, each a slider with a number box.
// Moving any of them applies the colour they make to the editor, and the
// other group follows the colour that results; the group moved keeps the
// values asked for. Each slider's track shows the colours its positions give
// with the other two values kept; on the OKLCH chroma track the part outside
// sRGB is shaded. OKLCH values outside sRGB are brought in as CSS does (the
// chroma reduced), and a note says what is shown instead of what was asked
// for, in room kept for it so that nothing moves. A small window of its own,
// beside the main one, made when first asked for.
class AdjustWindow : public QWidget
{
    Q_OBJECT
public:
    // main: the window it belongs to and stands beside.
    AdjustWindow(EditorColour& edited, QWidget& main);

    // Shows the window beside the main one (or raises it) with the keyboard.
    void ShowBeside();

private:
    struct Row
    {
        ValueSlider* slider = nullptr;
        DecimalBox* box = nullptr;
    };

    // Rows 0 to 2 are OKLCH, 3 to 5 HSL.
    void Moved(int row);
    void Follow(Colour::Rgb8 colour);
    void SetRows(int first, const std::array<double, 3>& values);
    // Paints each track from the values the boxes hold.
    void PaintTracks();

    EditorColour& m_edited;
    QWidget& m_main;
    std::array<Row, 6> m_rows;
    QLabel* m_mapped = nullptr;
    int m_moving = -1; // the group whose values the user is setting
};
