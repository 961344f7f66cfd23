// SPDX-License-Identifier: MIT
#include "CodeBoxHints.h"

#include "ColourAPI.h"
#include "CssColourReader.h"
#include "CssColourWriter.h"
#include "EditorColour.h"
#include "TextBox.h"
#include "UntrustedText.h"

CodeBoxHints::CodeBoxHints(TextBox& box, const EditorColour& edited, QObject* parent)
    : QObject(parent), m_box(box), m_edited(edited)
{
    connect(&edited, &EditorColour::Changed, this, &CodeBoxHints::Update);
    connect(&box, &QLineEdit::textChanged, this, &CodeBoxHints::Update);
    Update();
}

void CodeBoxHints::Update()
{
    const QString css = Colour::WriteCssColour(m_edited.Value(), Colour::CssFormat::Hex);
    const QString about = QStringLiteral("Código de Tintaro (azul, verde, rojo). CSS: ") + css +
                          QStringLiteral(" — Ctrl+Mayús+C copia el código CSS");
    m_box.setAccessibleDescription(about);
    // "Ver" reads only a "#" and six characters, blue first: any other CSS
    // colour typed here is one it cannot take.
    const QString text = m_box.text();
    const bool otherCss = !ColourAPI::HasCodeShape(text) && Colour::ReadCssColour(text);
    m_box.setToolTip(otherCss ? about + QStringLiteral("\n") + UntrustedText::Quoted(text) +
                                    QStringLiteral(" es un color CSS: cópielo y péguelo con "
                                                   "Ctrl+Mayús+V para aplicarlo")
                              : about);
}
