// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class EditorColour;
class TextBox;

// Makes the code box say what it holds, in its tooltip and in what a screen
// reader is told: the program's own code (blue, green, red), the same colour
// as style sheets write it, and the shortcut that copies that. When the box
// holds a CSS colour that "Ver" would not read (a short code, a name, six
// digits without "#"), the tooltip offers pasting it as CSS.
class CodeBoxHints : public QObject
{
    Q_OBJECT
public:
    CodeBoxHints(TextBox& box, const EditorColour& edited, QObject* parent = nullptr);

private:
    void Update();

    TextBox& m_box;
    const EditorColour& m_edited;
};
