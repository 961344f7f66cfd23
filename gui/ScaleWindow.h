// SPDX-License-Identifier: MIT
#pragma once

#include "PaletteColours.h"

#include <QList>
#include <QWidget>
#include <array>

class EditorColour;
class QLabel;
class QLineEdit;
class QPushButton;

// "Escala": the editor's colour's scale of tints and shades (ColourScale),
// eleven steps from 50 to 950, each a swatch with its CSS code and its WCAG 2
// contrast against white and against black. A click on a swatch copies the
// step's code; "Añadir a la memoria" hands all eleven, named NAME-50 ...
// NAME-950 after the name box, to the memory list. Follows the editor's
// colour. A small window of its own, beside the main one, made when first
// asked for.
class ScaleWindow : public QWidget
{
    Q_OBJECT
public:
    // main: the window it belongs to and stands beside.
    ScaleWindow(EditorColour& edited, QWidget& main);

    // Shows the window beside the main one (or raises it) with the keyboard.
    void ShowBeside();

signals:
    // The steps, lightest first, each with its code and its name.
    void AddToMemory(const QList<PaletteColours::NamedColour>& steps);

private:
    void Follow(Colour::Rgb8 colour);
    void Copy(int step);
    void Add();

    EditorColour& m_edited;
    QWidget& m_main;
    QLineEdit* m_name = nullptr;
    QString m_defaultName; // the name box's text while the user has not changed it
    std::array<QPushButton*, 11> m_swatches{};
    std::array<QLabel*, 11> m_codes{};
    std::array<QLabel*, 11> m_onWhite{};
    std::array<QLabel*, 11> m_onBlack{};
    QLabel* m_copied = nullptr;
    std::array<Colour::Rgb8, 11> m_colours{};
};
