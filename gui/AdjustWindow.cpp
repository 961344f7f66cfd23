// SPDX-License-Identifier: MIT
#include "AdjustWindow.h"

#include "ColourForms.h"
#include "CssColourWriter.h"
#include "EditorColour.h"
#include "WindowFonts.h"
#include "WindowLook.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <cmath>

using ColourForms::Form;

namespace {

struct SliderRange
{
    const char* label;
    const char* spoken;
    double maximum;
    int decimals;
    double pageStep;
};

// OKLCH chroma reaches about 0.32 in sRGB; 0.37 leaves room to ask for more.
constexpr SliderRange Rows[6] = {
    {"L", "Luminosidad OKLCH", 1, 3, 0.05}, {"C", "Croma OKLCH", 0.37, 3, 0.02},
    {"H", "Tono OKLCH", 360, 1, 15},        {"H", "Tono HSL", 360, 1, 15},
    {"S", "Saturación HSL", 100, 1, 5},     {"L", "Luminosidad HSL", 100, 1, 5},
};

QString MappedText()
{
    return QStringLiteral("Fuera de sRGB: se muestra el color más cercano.");
}

} // namespace

AdjustWindow::AdjustWindow(EditorColour& edited, QWidget& main)
    : QWidget(&main, SmallWindowFlags), m_edited(edited), m_main(main)
{
    SetUpWindow(this, "AdjustWindow", QStringLiteral("Ajustar color"));

    auto* layout = new QVBoxLayout(this);
    QGridLayout* grid = nullptr;
    for (int i = 0; i < 6; ++i) {
        if (i % 3 == 0) {
            auto* group = new QGroupBox(i == 0 ? QStringLiteral("OKLCH") : QStringLiteral("HSL"));
            group->setFont(TahomaFont(true));
            grid = new QGridLayout(group);
            layout->addWidget(group);
        }
        const SliderRange& range = Rows[i];
        Row& row = m_rows[i];
        row.scale = std::pow(10.0, range.decimals);
        auto* label = new QLabel(QString::fromUtf8(range.label));
        label->setFont(TahomaFont(true));
        row.slider = new QSlider(Qt::Horizontal);
        row.slider->setObjectName(QStringLiteral("Slider%1").arg(i));
        row.slider->setRange(0, int(std::lround(range.maximum * row.scale)));
        row.slider->setPageStep(int(std::lround(range.pageStep * row.scale)));
        row.slider->setFocusPolicy(Qt::StrongFocus);
        row.slider->setMinimumWidth(200);
        row.slider->setAccessibleName(QString::fromUtf8(range.spoken));
        row.box = new QDoubleSpinBox;
        row.box->setObjectName(QStringLiteral("Box%1").arg(i));
        row.box->setFont(TahomaFont());
        row.box->setRange(0, range.maximum);
        row.box->setDecimals(range.decimals);
        row.box->setSingleStep(1 / row.scale);
        row.box->setKeyboardTracking(false);
        row.box->setAccessibleName(QStringLiteral("Valor de ") + QString::fromUtf8(range.spoken));
        label->setBuddy(row.slider);
        grid->addWidget(label, i % 3, 0);
        grid->addWidget(row.slider, i % 3, 1);
        grid->addWidget(row.box, i % 3, 2);
        connect(row.slider, &QSlider::valueChanged, this, [this, i](int value) {
            const QSignalBlocker blocker(m_rows[i].box);
            m_rows[i].box->setValue(value / m_rows[i].scale);
            Moved(i);
        });
        connect(row.box, &QDoubleSpinBox::valueChanged, this, [this, i](double value) {
            const QSignalBlocker blocker(m_rows[i].slider);
            m_rows[i].slider->setValue(int(std::lround(value * m_rows[i].scale)));
            Moved(i);
        });
    }
    m_mapped = new QLabel(MappedText());
    m_mapped->setObjectName(QStringLiteral("MappedMark"));
    m_mapped->setVisible(false);
    layout->addWidget(m_mapped);
    // Tab runs down the rows, slider then box.
    for (int i = 1; i < 6; ++i) {
        setTabOrder(m_rows[i - 1].slider, m_rows[i - 1].box);
        setTabOrder(m_rows[i - 1].box, m_rows[i].slider);
    }
    setTabOrder(m_rows[5].slider, m_rows[5].box);

    connect(&edited, &EditorColour::Changed, this, &AdjustWindow::Follow);
    Follow(edited.Value());
    // The window takes its layout's size, also when the mark shows.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AdjustWindow::ShowBeside()
{
    PlaceBeside(this, &m_main);
    m_rows[0].slider->setFocus(Qt::OtherFocusReason);
}

void AdjustWindow::Moved(int row)
{
    const int group = row / 3;
    const int first = group * 3;
    const ColourForms::Triple asked = {m_rows[first].box->value(), m_rows[first + 1].box->value(),
                                       m_rows[first + 2].box->value()};
    const ColourForms::Converted result =
        ColourForms::ToRgb8(group == 0 ? Form::Oklch : Form::Hsl, asked);
    m_mapped->setVisible(group == 0 && result.mapped);
    // Both colours, when clipping would give another: the one CSS shows, and
    // the one browsers paint today.
    QString both = Colour::WriteBothColours(result);
    m_mapped->setText(both.isEmpty()
                          ? MappedText()
                          : QStringLiteral("Fuera de sRGB. ") +
                                both.replace(QStringLiteral(", "), QStringLiteral(";\n")));
    m_moving = group;
    // As a pick is applied; the editor's Changed brings the other group up
    // to date (Follow), and leaves this one as asked.
    m_edited.Apply(result.colour);
    m_moving = -1;
}

void AdjustWindow::Follow(Colour::Rgb8 colour)
{
    if (m_moving != 0) {
        SetRows(0, ColourForms::FromRgb8(Form::Oklch, colour));
        m_mapped->setVisible(false);
    }
    if (m_moving != 1) {
        SetRows(3, ColourForms::FromRgb8(Form::Hsl, colour));
    }
}

void AdjustWindow::SetRows(int first, const std::array<double, 3>& values)
{
    for (int i = 0; i < 3; ++i) {
        Row& row = m_rows[first + i];
        const QSignalBlocker sliderBlocker(row.slider);
        const QSignalBlocker boxBlocker(row.box);
        row.box->setValue(values[i]);
        row.slider->setValue(int(std::lround(row.box->value() * row.scale)));
    }
}
