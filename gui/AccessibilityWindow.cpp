// SPDX-License-Identifier: MIT
#include "AccessibilityWindow.h"

#include "Apca.h"
#include "ColourVision.h"
#include "Contrast.h"
#include "ContrastFix.h"
#include "EditorColour.h"
#include "MemoryColour.h"
#include "WindowFonts.h"
#include "WindowLook.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <cmath>

namespace {

using Colour::Rgb8;

QColor ToColor(Rgb8 c)
{
    return QColor(c.red, c.green, c.blue);
}

// A label showing text in the given colours.
void Paint(QLabel* label, Rgb8 text, Rgb8 background)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, ToColor(text));
    p.setColor(QPalette::Window, ToColor(background));
    label->setPalette(p);
}

QLabel* SampleLabel(const QString& text, const QFont& font, const QString& spoken)
{
    auto* label = new QLabel(text);
    label->setFont(font);
    label->setAutoFillBackground(true);
    // Painted in the pair's colours, whatever the window's own roles.
    label->setBackgroundRole(QPalette::Window);
    label->setForegroundRole(QPalette::WindowText);
    label->setContentsMargins(6, 3, 6, 3);
    label->setAccessibleName(spoken);
    return label;
}

QFont PixelFont(int pixels, bool bold)
{
    QFont font = ArialFont(9, bold);
    font.setPixelSize(pixels);
    return font;
}

QString YesNo(bool passes)
{
    return passes ? QStringLiteral("sí") : QStringLiteral("no");
}

struct LevelChoice
{
    const char* name;
    double ratio;
};

constexpr LevelChoice Levels[] = {{"AA, texto normal (4,5:1)", Contrast::NormalTextAa},
                                  {"AAA, texto normal (7:1)", Contrast::NormalTextAaa},
                                  {"AA, texto grande (3:1)", Contrast::LargeTextAa},
                                  {"AAA, texto grande (4,5:1)", Contrast::LargeTextAaa},
                                  {"Controles y gráficos (3:1)", Contrast::NonText}};

constexpr const char* Deficiencies[] = {"Protanopía", "Deuteranopía", "Tritanopía", "Acromatopsia"};

} // namespace

AccessibilityWindow::AccessibilityWindow(EditorColour& edited, const MemoryColour& chosen,
                                         QWidget& main)
    : QWidget(&main, SmallWindowFlags), m_edited(edited), m_chosen(chosen), m_main(main)
{
    SetUpWindow(this, "AccessibilityWindow", QStringLiteral("Accesibilidad"));
    auto* layout = new QVBoxLayout(this);

    const QString sample = QStringLiteral("Texto de ejemplo");
    m_samples = {
        SampleLabel(sample, PixelFont(16, false), QStringLiteral("Texto normal")),
        SampleLabel(sample, PixelFont(24, false), QStringLiteral("Texto grande")),
        SampleLabel(sample, PixelFont(19, true), QStringLiteral("Texto grande en negrita"))};
    for (int i = 0; i < 3; ++i) {
        m_samples[i]->setObjectName(QStringLiteral("Sample%1").arg(i));
        layout->addWidget(m_samples[i]);
    }

    auto* wcag = new QGroupBox(QStringLiteral("WCAG 2.2"));
    auto* wcagLayout = new QVBoxLayout(wcag);
    m_ratio = new QLabel;
    m_ratio->setObjectName(QStringLiteral("Ratio"));
    m_ratio->setFont(PixelFont(20, true));
    m_verdicts = new QLabel;
    m_verdicts->setObjectName(QStringLiteral("Verdicts"));
    m_apca = new QLabel;
    for (QLabel* label : {m_ratio, m_verdicts, m_apca}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setFocusPolicy(Qt::StrongFocus);
        wcagLayout->addWidget(label);
    }
    m_ratio->setAccessibleName(QStringLiteral("Contraste"));
    m_verdicts->setAccessibleName(QStringLiteral("Niveles WCAG"));
    m_apca->setAccessibleName(QStringLiteral("APCA"));
    layout->addWidget(wcag);

    auto* actions = new QHBoxLayout;
    m_swap = new QPushButton(QStringLiteral("&Intercambiar"));
    m_swap->setObjectName(QStringLiteral("SwapButton"));
    m_level = new QComboBox;
    m_level->setObjectName(QStringLiteral("Level"));
    for (const LevelChoice& level : Levels) {
        m_level->addItem(QString::fromUtf8(level.name), level.ratio);
    }
    m_level->setAccessibleName(QStringLiteral("Nivel que alcanzar"));
    m_fix = new QPushButton(QStringLiteral("C&orregir"));
    m_fix->setObjectName(QStringLiteral("FixButton"));
    m_fix->setToolTip(QStringLiteral("Cambia solo la luminosidad (OKLCH) del color del editor, "
                                     "hasta el nivel elegido"));
    actions->addWidget(m_swap);
    actions->addWidget(m_level, 1);
    actions->addWidget(m_fix);
    layout->addLayout(actions);
    m_fixNote = new QLabel;
    m_fixNote->setObjectName(QStringLiteral("FixNote"));
    m_fixNote->setWordWrap(true);
    layout->addWidget(m_fixNote);

    auto* vision = new QGroupBox(QStringLiteral("Visión del color"));
    auto* visionLayout = new QGridLayout(vision);
    for (int i = 0; i < 4; ++i) {
        visionLayout->addWidget(new QLabel(QString::fromUtf8(Deficiencies[i])), i, 0);
        m_seen[i] = SampleLabel(QStringLiteral("Texto"), PixelFont(16, false),
                                QString::fromUtf8(Deficiencies[i]));
        visionLayout->addWidget(m_seen[i], i, 1);
        m_seenRatio[i] = new QLabel;
        m_seenRatio[i]->setFocusPolicy(Qt::StrongFocus);
        m_seenRatio[i]->setAccessibleName(QStringLiteral("Contraste con ") +
                                          QString::fromUtf8(Deficiencies[i]).toLower());
        visionLayout->addWidget(m_seenRatio[i], i, 2);
    }
    layout->addWidget(vision);

    connect(m_swap, &QPushButton::clicked, this, [this] {
        m_swapped = !m_swapped;
        Update();
    });
    connect(m_fix, &QPushButton::clicked, this, &AccessibilityWindow::Fix);
    connect(m_level, &QComboBox::currentIndexChanged, this, [this] { m_fixNote->clear(); });
    connect(&edited, &EditorColour::Changed, this, &AccessibilityWindow::Update);
    connect(&chosen, &MemoryColour::Changed, this, &AccessibilityWindow::Update);
    Update();
    setFixedSize(sizeHint());
}

void AccessibilityWindow::ShowBeside()
{
    PlaceBeside(this, &m_main);
    m_swap->setFocus(Qt::OtherFocusReason);
}

Rgb8 AccessibilityWindow::ChosenOrWhite() const
{
    return m_chosen.Value().value_or(Rgb8{255, 255, 255});
}

void AccessibilityWindow::Update()
{
    const Rgb8 text = m_swapped ? ChosenOrWhite() : m_edited.Value();
    const Rgb8 background = m_swapped ? m_edited.Value() : ChosenOrWhite();
    for (QLabel* label : m_samples) {
        Paint(label, text, background);
    }
    const double ratio = Contrast::Ratio(text, background);
    const Contrast::Verdicts v = Contrast::Judge(ratio);
    m_ratio->setText(Contrast::RatioFigure(ratio) + QStringLiteral(":1"));
    m_verdicts->setText(QStringLiteral("Texto normal: AA %1, AAA %2\nTexto grande: AA %3, AAA %4\n"
                                       "Controles y gráficos (1.4.11): %5")
                            .arg(YesNo(v.normalAa), YesNo(v.normalAaa), YesNo(v.largeAa),
                                 YesNo(v.largeAaa), YesNo(v.nonText)));
    m_apca->setText(QStringLiteral("APCA Lc %1 (orientativo: borrador de WCAG 3)")
                        .arg(Apca::Figure(Apca::Lc(text, background))));
    for (int i = 0; i < 4; ++i) {
        const auto deficiency = static_cast<ColourVision::Deficiency>(i);
        const Rgb8 seenText = ColourVision::Simulate(deficiency, text);
        const Rgb8 seenBackground = ColourVision::Simulate(deficiency, background);
        Paint(m_seen[i], seenText, seenBackground);
        m_seenRatio[i]->setText(Contrast::RatioFigure(Contrast::Ratio(seenText, seenBackground)) +
                                QStringLiteral(":1"));
    }
}

void AccessibilityWindow::Fix()
{
    const double level = m_level->currentData().toDouble();
    const std::optional<Rgb8> fixed = ContrastFix::Fix(m_edited.Value(), ChosenOrWhite(), level);
    if (!fixed) {
        m_fixNote->setText(QStringLiteral("Ninguna luminosidad de este tono alcanza ese nivel "
                                          "con este fondo: no se ha cambiado nada."));
        return;
    }
    m_fixNote->clear();
    m_edited.Apply(*fixed);
}
