// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

#include <QWidget>
#include <array>

class EditorColour;
class QDoubleSpinBox;
class QLabel;
class QSlider;

// "Ajustar color": the editor's colour as OKLCH lightness, chroma and hue,
// and as HSL hue, saturation and lightness, each a slider with a number box.
// Moving any of them applies the colour they make to the editor, and the
// other group follows the colour that results; the group moved keeps the
// values asked for. OKLCH values outside sRGB are brought in as CSS does
// (the chroma reduced), and a mark says so. A small window of its own,
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
        QSlider* slider = nullptr;
        QDoubleSpinBox* box = nullptr;
        double scale = 1; // slider steps per unit
    };

    // Rows 0 to 2 are OKLCH, 3 to 5 HSL.
    void Moved(int row);
    void Follow(Colour::Rgb8 colour);
    void SetRows(int first, const std::array<double, 3>& values);

    EditorColour& m_edited;
    QWidget& m_main;
    std::array<Row, 6> m_rows;
    QLabel* m_mapped = nullptr;
    int m_moving = -1; // the group whose values the user is setting
};
