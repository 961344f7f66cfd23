// SPDX-License-Identifier: MIT
#include "AdjustWindow.h"

#include "ColourBox.h"
#include "ColourForms.h"
#include "Contrast.h"
#include "CssColourWriter.h"
#include "DecimalBox.h"
#include "EditorColour.h"
#include "ValueSlider.h"
#include "WindowFonts.h"
#include "WindowLook.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <cmath>

using ColourForms::Form;

namespace {

struct SliderRange
{
    const char* label;
    const char* spoken;
    const char* tip;
    double maximum;
    int decimals;
    double pageStep;
};

// OKLCH chroma reaches about 0.32 in sRGB; 0.37 leaves room to ask for more.
constexpr SliderRange Rows[6] = {
    {"Luminosidad", "Luminosidad OKLCH", "Luminosidad OKLCH (L), de 0 (negro) a 1 (blanco)", 1, 3,
     0.05},
    {"Croma", "Croma OKLCH",
     "Croma OKLCH (C), de 0 (gris) en adelante; la parte rayada cae fuera "
     "de sRGB",
     0.37, 3, 0.02},
    {"Tono", "Tono OKLCH", "Tono OKLCH (H), en grados", 360, 1, 15},
    {"Tono", "Tono HSL", "Tono HSL (H), en grados", 360, 1, 15},
    {"Saturación", "Saturación HSL", "Saturación HSL (S), en porcentaje", 100, 1, 5},
    {"Luminosidad", "Luminosidad HSL", "Luminosidad HSL (L), en porcentaje", 100, 1, 5},
};

// Positions sampled along a track.
constexpr int TrackSamples = 48;
constexpr int Halvings = 20;
// OKLCH values whose note is among the longest: lightness, chroma and hue
// all shown moved, and both colours.
constexpr ColourForms::Triple LongNote = {0.7, 0.37, 150};

// "0,370" with the decimals of the row.
QString Figure(double value, int row)
{
    return Contrast::WithComma(QString::number(value, 'f', Rows[row].decimals));
}

// What the colour shown has instead of the OKLCH values asked for, when
// they lie outside sRGB: the chroma, and lightness or hue where they moved
// visibly too; and both colours when clipping would give another (the one
// CSS shows, and the one browsers paint today). Empty inside sRGB.
QString MappedNote(const ColourForms::Triple& asked, const ColourForms::Converted& result)
{
    if (!result.mapped) {
        return {};
    }
    const ColourForms::Triple shown = ColourForms::FromRgb8(Form::Oklch, result.colour);
    const char* names[] = {"L", "C", "H"};
    const double visible[] = {0.005, 0, 1};
    QStringList changes;
    for (int i = 0; i < 3; ++i) {
        const double gap = std::abs(shown[i] - asked[i]);
        const double turn = i == 2 ? std::min(gap, 360 - gap) : gap;
        if (i == 1 || turn > visible[i]) {
            changes << QStringLiteral("%1 %2 → %3")
                           .arg(QLatin1String(names[i]), Figure(asked[i], i), Figure(shown[i], i));
        }
    }
    QString note =
        QStringLiteral("Fuera de sRGB: %1 en sRGB.").arg(changes.join(QStringLiteral(", ")));
    const QString both = Colour::WriteBothColours(result);
    if (!both.isEmpty()) {
        note += u'\n' + QString(both).replace(QStringLiteral(", "), QStringLiteral(";\n"));
    }
    return note;
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
        const double scale = std::pow(10.0, range.decimals);
        auto* label = new QLabel(QString::fromUtf8(range.label));
        label->setFont(TahomaFont(true));
        label->setToolTip(QString::fromUtf8(range.tip));
        row.slider = new ValueSlider(scale);
        row.slider->setObjectName(QStringLiteral("Slider%1").arg(i));
        row.slider->setRange(0, int(std::lround(range.maximum * scale)));
        row.slider->setPageStep(int(std::lround(range.pageStep * scale)));
        row.slider->setMinimumWidth(200);
        row.slider->setAccessibleName(QString::fromUtf8(range.spoken));
        row.slider->setToolTip(QString::fromUtf8(range.tip));
        row.box = new DecimalBox;
        row.box->setObjectName(QStringLiteral("Box%1").arg(i));
        row.box->setFont(TahomaFont());
        row.box->setRange(0, range.maximum);
        row.box->setDecimals(range.decimals);
        row.box->setSingleStep(1 / scale);
        row.box->setKeyboardTracking(false);
        row.box->setAccessibleName(QStringLiteral("Valor de ") + QString::fromUtf8(range.spoken));
        label->setBuddy(row.slider);
        grid->addWidget(label, i % 3, 0);
        grid->addWidget(row.slider, i % 3, 1);
        grid->addWidget(row.box, i % 3, 2);
        connect(row.slider, &QSlider::valueChanged, this, [this, i] {
            const QSignalBlocker blocker(m_rows[i].box);
            m_rows[i].box->setValue(m_rows[i].slider->Decimal());
            Moved(i);
        });
        connect(row.box, &QDoubleSpinBox::valueChanged, this, [this, i](double value) {
            const QSignalBlocker blocker(m_rows[i].slider);
            m_rows[i].slider->setValue(int(std::lround(value * m_rows[i].slider->StepsPerUnit())));
            Moved(i);
        });
    }
    m_mapped = new QLabel;
    m_mapped->setObjectName(QStringLiteral("MappedMark"));
    m_mapped->setWordWrap(true);
    m_mapped->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_mapped->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // As wide as the rows make the window; its height is set below.
    m_mapped->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    layout->addWidget(m_mapped);
    // Tab runs down the rows, slider then box.
    for (int i = 1; i < 6; ++i) {
        setTabOrder(m_rows[i - 1].slider, m_rows[i - 1].box);
        setTabOrder(m_rows[i - 1].box, m_rows[i].slider);
    }
    setTabOrder(m_rows[5].slider, m_rows[5].box);

    connect(&edited, &EditorColour::Changed, this, &AdjustWindow::Follow);
    Follow(edited.Value());
    // The window takes its layout's size.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Room for the note whether it shows or not, and for a line more than
    // the longest known: the rows never move.
    layout->activate();
    m_mapped->setText(MappedNote(LongNote, ColourForms::ToRgb8(Form::Oklch, LongNote)));
    m_mapped->setFixedHeight(m_mapped->heightForWidth(m_mapped->width()) +
                             m_mapped->fontMetrics().lineSpacing());
    m_mapped->clear();
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
    m_mapped->setText(group == 0 ? MappedNote(asked, result) : QString());
    m_moving = group;
    // As a pick is applied; the editor's Changed brings the other group up
    // to date (Follow), and leaves this one as asked.
    m_edited.Apply(result.colour);
    m_moving = -1;
    PaintTracks();
}

void AdjustWindow::Follow(Colour::Rgb8 colour)
{
    if (m_moving != 0) {
        SetRows(0, ColourForms::FromRgb8(Form::Oklch, colour));
        m_mapped->clear();
    }
    if (m_moving != 1) {
        SetRows(3, ColourForms::FromRgb8(Form::Hsl, colour));
    }
    PaintTracks();
}

void AdjustWindow::SetRows(int first, const std::array<double, 3>& values)
{
    for (int i = 0; i < 3; ++i) {
        Row& row = m_rows[first + i];
        const QSignalBlocker sliderBlocker(row.slider);
        const QSignalBlocker boxBlocker(row.box);
        row.box->setValue(values[i]);
        row.slider->setValue(int(std::lround(row.box->value() * row.slider->StepsPerUnit())));
    }
}

void AdjustWindow::PaintTracks()
{
    for (int row = 0; row < 6; ++row) {
        const int first = row / 3 * 3;
        const Form form = row < 3 ? Form::Oklch : Form::Hsl;
        ColourForms::Triple values = {m_rows[first].box->value(), m_rows[first + 1].box->value(),
                                      m_rows[first + 2].box->value()};
        const auto at = [&](double fraction) {
            values[row - first] = fraction * Rows[row].maximum;
            return ColourForms::ToRgb8(form, values);
        };
        QList<QColor> colours;
        for (int i = 0; i < TrackSamples; ++i) {
            colours << ToQColor(at(double(i) / (TrackSamples - 1)).colour);
        }
        // The chroma track: shaded from the first chroma that sRGB cannot
        // hold at this lightness and hue.
        double reachable = 1;
        if (row == 1 && at(1).mapped) {
            double inside = 0;
            for (int i = 0; i < Halvings; ++i) {
                const double middle = (inside + reachable) / 2;
                (at(middle).mapped ? reachable : inside) = middle;
            }
        }
        m_rows[row].slider->SetTrack(colours, reachable);
    }
}
