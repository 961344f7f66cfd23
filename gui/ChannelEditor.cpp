// SPDX-License-Identifier: MIT
#include "ChannelEditor.h"

#include "ColourAPI.h"
#include "ColourBox.h"
#include "EditorColour.h"
#include "TextBox.h"

#include <QPushButton>
#include <QScrollBar>

using namespace ColourAPI;

Colour::Rgb8 CodeColour(const QString& code)
{
    return {CodeChannel(code, Red), CodeChannel(code, Green), CodeChannel(code, Blue)};
}

ChannelEditor::ChannelEditor(const ChannelControls& controls, QObject* parent)
    : QObject(parent), m_c(controls)
{
    for (int i = 0; i < 3; ++i) {
        QScrollBar* slider = m_c.CScroll[i];
        // Dragging the thumb is a scroll; every other change (arrows, trough,
        // keyboard, wheel, a handler setting the value) is a change.
        connect(slider, &QScrollBar::valueChanged, this, [this, i, slider] {
            if (slider->isSliderDown()) {
                CScroll_Scroll(i);
            } else {
                CScroll_Change(i);
            }
        });
        connect(slider, &QScrollBar::sliderReleased, this, [this, i] { CScroll_Change(i); });
        connect(m_c.SValue[i], &QLineEdit::textChanged, this, [this, i] { SValue_Change(i); });
        connect(m_c.SValue[i], &TextBox::Clicked, this, [this, i] { SValue_Click(i); });
    }
    connect(m_c.Res, &TextBox::Clicked, this, &ChannelEditor::Res_Click);
    connect(m_c.CmdGo, &QPushButton::clicked, this, &ChannelEditor::CmdGo_Click);
}

void ChannelEditor::CScroll_Change(int Index)
{
    const Colour::Rgb8 shown = {m_c.CScroll[0]->value(), m_c.CScroll[1]->value(),
                                m_c.CScroll[2]->value()};
    m_c.Preview->SetBackColour(ToQColor(PackColour(shown.red, shown.green, shown.blue)));
    m_c.Edited->Shown(shown);
    m_c.SValue[Index]->setTextIfChanged(QString::number(m_c.CScroll[Index]->value()));
}

void ChannelEditor::CScroll_Scroll(int Index)
{
    CScroll_Change(Index);
}

void ChannelEditor::SValue_Change(int Index)
{
    TextBox* box = m_c.SValue[Index];
    const double number = TextToNumber(box->text());
    if (number < 0 || number > 255) {
        box->setTextIfChanged(QStringLiteral("0"));
    }
    // Read again: setting "0" ran this handler nested, which may have
    // rewritten the box.
    m_c.CScroll[Index]->setValue(RoundToInteger(TextToNumber(box->text())));
    m_c.Res->setTextIfChanged(ComposeCode(static_cast<qint16>(m_c.CScroll[0]->value()),
                                          static_cast<qint16>(m_c.CScroll[1]->value()),
                                          static_cast<qint16>(m_c.CScroll[2]->value())));
}

void ChannelEditor::SValue_Click(int Index)
{
    m_c.SValue[Index]->selectAll();
}

void ChannelEditor::Res_Click()
{
    m_c.Res->selectAll();
}

void ChannelEditor::CmdGo_Click()
{
    const QString code = m_c.Res->text();
    if (HasCodeShape(code)) {
        m_c.Edited->Apply(CodeColour(code));
    }
}
