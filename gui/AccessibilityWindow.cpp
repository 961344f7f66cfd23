// SPDX-License-Identifier: MIT
#include "AccessibilityWindow.h"

#include "Apca.h"
#include "ColourBox.h"
#include "ColourVision.h"
#include "Contrast.h"
#include "ContrastFix.h"
#include "ContrastFixNote.h"
#include "CssColourWriter.h"
#include "EditorColour.h"
#include "MemoryColour.h"
#include "WindowFonts.h"
#include "WindowLook.h"

#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <cmath>

namespace {

using Colour::Rgb8;

// A label showing text in the given colours.
void Paint(QLabel* label, Rgb8 text, Rgb8 background)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, ToQColor(text));
    p.setColor(QPalette::Window, ToQColor(background));
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

// A result's text, and the same for a screen reader after what it is: the
// name changes with the text, so the figure is read, not only "Contraste".
void ShowResult(QLabel* label, const QString& what, const QString& text)
{
    label->setText(text);
    label->setAccessibleName(what.isEmpty()
                                 ? QString(text).replace(u'\n', QStringLiteral("; "))
                                 : what + QStringLiteral(": ") +
                                       QString(text).replace(u'\n', QStringLiteral("; ")));
}

QString Code(Rgb8 colour)
{
    return Colour::WriteCssColour(colour, Colour::CssFormat::Hex);
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
    m_roles = new QLabel;
    m_roles->setObjectName(QStringLiteral("Roles"));
    m_roles->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(m_roles);

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
    m_apca->setObjectName(QStringLiteral("Apca"));
    for (QLabel* label : {m_ratio, m_verdicts, m_apca}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setFocusPolicy(Qt::StrongFocus);
        wcagLayout->addWidget(label);
    }
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
    m_fix->setToolTip(QStringLiteral("Cambia la luminosidad (OKLCH) del color del editor hasta "
                                     "el nivel elegido y conserva su tono; el croma baja solo "
                                     "donde sRGB no lo admite"));
    actions->addWidget(m_swap);
    actions->addWidget(m_level, 1);
    actions->addWidget(m_fix);
    layout->addLayout(actions);
    m_fixNote = new QLabel;
    m_fixNote->setObjectName(QStringLiteral("FixNote"));
    m_fixNote->setWordWrap(true);
    m_fixNote->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // As wide as the window the other controls make; its height is set
    // once they are laid out.
    m_fixNote->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_fixNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_fixNote);
    auto* noteActions = new QHBoxLayout;
    m_useProposal = new QPushButton(QStringLiteral("&Usar la propuesta"));
    m_useProposal->setObjectName(QStringLiteral("UseProposalButton"));
    m_copy = new QPushButton(QStringLiteral("Co&piar CSS"));
    m_copy->setObjectName(QStringLiteral("CopyFixButton"));
    noteActions->addStretch(1);
    noteActions->addWidget(m_useProposal);
    noteActions->addWidget(m_copy);
    layout->addLayout(noteActions);

    auto* vision = new QGroupBox(QStringLiteral("Visión del color"));
    auto* visionLayout = new QGridLayout(vision);
    for (int i = 0; i < 4; ++i) {
        // Two deficiencies a row, a gap between the pairs.
        const int row = i / 2;
        const int column = i % 2 * 4;
        visionLayout->addWidget(new QLabel(QString::fromUtf8(Deficiencies[i])), row, column);
        m_seen[i] = SampleLabel(QStringLiteral("Texto"), PixelFont(16, false),
                                QString::fromUtf8(Deficiencies[i]));
        visionLayout->addWidget(m_seen[i], row, column + 1);
        m_seenRatio[i] = new QLabel;
        m_seenRatio[i]->setObjectName(QStringLiteral("SeenRatio%1").arg(i));
        m_seenRatio[i]->setFocusPolicy(Qt::StrongFocus);
        visionLayout->addWidget(m_seenRatio[i], row, column + 2);
    }
    visionLayout->setColumnMinimumWidth(3, 12);
    layout->addWidget(vision);

    connect(m_swap, &QPushButton::clicked, this, [this] {
        m_swapped = !m_swapped;
        Update();
    });
    connect(m_fix, &QPushButton::clicked, this, &AccessibilityWindow::Fix);
    connect(m_useProposal, &QPushButton::clicked, this, [this] {
        if (m_noted) {
            m_edited.Apply(*m_noted);
        }
    });
    connect(m_copy, &QPushButton::clicked, this, [this] {
        if (!m_noted) {
            return;
        }
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(Code(*m_noted));
        if (clipboard->supportsSelection()) {
            clipboard->setText(Code(*m_noted), QClipboard::Selection);
        }
    });
    // The note speaks of the colours it was written for: any change ends it.
    connect(m_level, &QComboBox::currentIndexChanged, this, &AccessibilityWindow::ClearNote);
    connect(&edited, &EditorColour::Changed, this, &AccessibilityWindow::ClearNote);
    connect(&chosen, &MemoryColour::Changed, this, &AccessibilityWindow::ClearNote);
    connect(&edited, &EditorColour::Changed, this, &AccessibilityWindow::Update);
    connect(&chosen, &MemoryColour::Changed, this, &AccessibilityWindow::Update);
    ClearNote();
    Update();
    setFixedSize(sizeHint());
    ReserveNoteRoom();
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
    m_roles->setText(QStringLiteral("Texto: %1 (%2) · Fondo: %3 (%4)")
                         .arg(Code(text),
                              m_swapped ? QStringLiteral("memoria") : QStringLiteral("editor"),
                              Code(background),
                              m_swapped ? QStringLiteral("editor") : QStringLiteral("memoria")));
    const QString swapTip = m_swapped ? QStringLiteral("Ahora el color del editor es el fondo y el "
                                                       "de la memoria el texto: pulse para "
                                                       "cambiarlos de papel")
                                      : QStringLiteral("Ahora el color del editor es el texto y el "
                                                       "de la memoria el fondo: pulse para "
                                                       "cambiarlos de papel");
    m_swap->setToolTip(swapTip);
    m_swap->setAccessibleDescription(swapTip);
    const double ratio = Contrast::Ratio(text, background);
    const Contrast::Verdicts v = Contrast::Judge(ratio);
    ShowResult(m_ratio, QStringLiteral("Contraste"), Contrast::WindowRatio(ratio));
    ShowResult(m_verdicts, QStringLiteral("Niveles WCAG"),
               QStringLiteral("Texto normal: AA %1, AAA %2\nTexto grande: AA %3, AAA %4\n"
                              "Controles y gráficos (1.4.11): %5")
                   .arg(YesNo(v.normalAa), YesNo(v.normalAaa), YesNo(v.largeAa), YesNo(v.largeAaa),
                        YesNo(v.nonText)));
    ShowResult(m_apca, QString(),
               QStringLiteral("APCA Lc %1 (orientativo: borrador de WCAG 3)")
                   .arg(Contrast::WithComma(Apca::Figure(Apca::Lc(text, background)))));
    for (int i = 0; i < 4; ++i) {
        const auto deficiency = static_cast<ColourVision::Deficiency>(i);
        const Rgb8 seenText = ColourVision::Simulate(deficiency, text);
        const Rgb8 seenBackground = ColourVision::Simulate(deficiency, background);
        Paint(m_seen[i], seenText, seenBackground);
        ShowResult(m_seenRatio[i],
                   QStringLiteral("Contraste con ") + QString::fromUtf8(Deficiencies[i]).toLower(),
                   Contrast::WindowRatio(Contrast::Ratio(seenText, seenBackground)));
    }
}

void AccessibilityWindow::ReserveNoteRoom()
{
    // The longest notes: a correction that also cuts chroma, and a proposal,
    // with the widest figures each can hold.
    ContrastFix::Result cut;
    cut.kind = ContrastFix::Kind::Fixed;
    cut.ratio = 20.88;
    cut.from = {0.888, 0.288, 0};
    cut.to = {0.888, 0.188, 0};
    cut.chromaCut = true;
    ContrastFix::Result proposal = cut;
    proposal.kind = ContrastFix::Kind::Proposed;
    layout()->activate();
    int height = 0;
    for (const ContrastFix::Result& longest : {cut, proposal}) {
        m_fixNote->setText(ContrastFixNote::Text(longest, Contrast::NormalTextAa));
        height = qMax(height, m_fixNote->heightForWidth(m_fixNote->width()));
    }
    m_fixNote->clear();
    m_fixNote->setFixedHeight(height);
}

void AccessibilityWindow::ClearNote()
{
    m_noted.reset();
    m_fixNote->clear();
    m_useProposal->setEnabled(false);
    m_copy->setEnabled(false);
    m_copy->setToolTip(QString());
}

void AccessibilityWindow::Fix()
{
    const double level = m_level->currentData().toDouble();
    const ContrastFix::Result result = ContrastFix::Find(m_edited.Value(), ChosenOrWhite(), level);
    // Applying the colour clears the note; it is written after.
    if (result.kind == ContrastFix::Kind::Fixed) {
        m_edited.Apply(result.colour);
    }
    m_fixNote->setText(ContrastFixNote::Text(result, level)); // read as its text
    if (result.kind == ContrastFix::Kind::Fixed || result.kind == ContrastFix::Kind::Proposed) {
        m_noted = result.colour;
        m_copy->setEnabled(true);
        m_copy->setToolTip(QStringLiteral("Copia %1 como código CSS").arg(Code(result.colour)));
    }
    m_useProposal->setEnabled(result.kind == ContrastFix::Kind::Proposed);
}
