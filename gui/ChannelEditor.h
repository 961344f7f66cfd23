// SPDX-License-Identifier: MIT
#pragma once

#include "Rgb8.h"

#include <QObject>
#include <QString>
#include <array>

class ColourBox;
class EditorColour;
class QPushButton;
class QScrollBar;
class TextBox;

// The controls that hold the colour being edited, and that colour as one
// value. Index 0, 1, 2 is red, green, blue.
struct ChannelControls
{
    std::array<QScrollBar*, 3> CScroll{};
    std::array<TextBox*, 3> SValue{};
    TextBox* Res = nullptr;
    ColourBox* Preview = nullptr;
    QPushButton* CmdGo = nullptr;
    EditorColour* Edited = nullptr;
};

// The colour of a code as "Ver" and "Cargar" apply it, each channel as
// CodeChannel reads it.
Colour::Rgb8 CodeColour(const QString& code);

// Keeps sliders, value boxes, code box and sample in step. The sliders hold
// the colour; every handler reads the controls afresh and talks to the others
// only by setting a control, whose own change signal runs the next handler
// at once, nested. Where a slider's chain sets the sample, it tells the
// editor's colour (EditorColour::Shown), the one place the colour leaves
// the chain.
class ChannelEditor : public QObject
{
    Q_OBJECT
public:
    ChannelEditor(const ChannelControls& controls, QObject* parent = nullptr);

    void CScroll_Change(int Index);
    void CScroll_Scroll(int Index);
    void SValue_Change(int Index);
    void SValue_Click(int Index);
    void Res_Click();
    void CmdGo_Click();

private:
    ChannelControls m_c;
};
