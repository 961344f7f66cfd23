// SPDX-License-Identifier: MIT
#include "ScaleWindow.h"

#include "ColourScale.h"
#include "Contrast.h"
#include "CssColourWriter.h"
#include "EditorColour.h"
#include "Messages.h"
#include "ScalePalette.h"
#include "WindowFonts.h"
#include "WindowLook.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr Colour::Rgb8 WhiteColour{255, 255, 255};
constexpr Colour::Rgb8 BlackColour{0, 0, 0};
constexpr QSize SwatchSize(48, 16);

QString Hex(Colour::Rgb8 colour)
{
    return Colour::WriteCssColour(colour, Colour::CssFormat::Hex);
}

// A swatch of the colour, edged in grey so that one near the window's own
// colour still shows where it ends; drawn at the screen's density.
QIcon Swatch(Colour::Rgb8 colour, qreal density)
{
    QPixmap pixmap(SwatchSize * density);
    pixmap.setDevicePixelRatio(density);
    pixmap.fill(QColor(colour.red, colour.green, colour.blue));
    QPainter painter(&pixmap);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(QRectF(QPointF(0.5, 0.5), QSizeF(SwatchSize) - QSizeF(1, 1)));
    return QIcon(pixmap);
}

} // namespace

ScaleWindow::ScaleWindow(EditorColour& edited, QWidget& main)
    : QWidget(&main, SmallWindowFlags), m_edited(edited), m_main(main)
{
    SetUpWindow(this, "ScaleWindow", QStringLiteral("Escala"));
    auto* grid = new QGridLayout(this);
    auto* nameLabel = new QLabel(QStringLiteral("&Nombre:"));
    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("ScaleName"));
    m_name->setAccessibleName(QStringLiteral("Nombre de la escala"));
    nameLabel->setBuddy(m_name);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 3);
    const QString headings[] = {QStringLiteral("Paso"), QStringLiteral("CSS"),
                                QStringLiteral("Con blanco"), QStringLiteral("Con negro")};
    for (int column = 0; column < 4; ++column) {
        auto* heading = new QLabel(headings[column]);
        heading->setFont(TahomaFont(true));
        grid->addWidget(heading, 1, column);
    }
    for (int i = 0; i < 11; ++i) {
        m_swatches[i] = new QPushButton(QString::number(ColourScale::Numbers[i]));
        m_swatches[i]->setObjectName(QStringLiteral("Step%1").arg(ColourScale::Numbers[i]));
        m_swatches[i]->setIconSize(SwatchSize);
        m_swatches[i]->setAutoDefault(true);
        connect(m_swatches[i], &QPushButton::clicked, this, [this, i] { Copy(i); });
        m_codes[i] = new QLabel;
        m_codes[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_onWhite[i] = new QLabel;
        m_onBlack[i] = new QLabel;
        grid->addWidget(m_swatches[i], i + 2, 0);
        grid->addWidget(m_codes[i], i + 2, 1);
        grid->addWidget(m_onWhite[i], i + 2, 2, Qt::AlignRight);
        grid->addWidget(m_onBlack[i], i + 2, 3, Qt::AlignRight);
    }
    m_copied = new QLabel;
    m_copied->setObjectName(QStringLiteral("Copied"));
    grid->addWidget(m_copied, 13, 0, 1, 4);
    auto* add = new QPushButton(QStringLiteral("&Añadir a la memoria"));
    add->setObjectName(QStringLiteral("AddScale"));
    add->setAutoDefault(true);
    connect(add, &QPushButton::clicked, this, &ScaleWindow::Add);
    grid->addWidget(add, 14, 0, 1, 4);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(&edited, &EditorColour::Changed, this, &ScaleWindow::Follow);
    Follow(edited.Value());
}

void ScaleWindow::ShowBeside()
{
    PlaceBeside(this, &m_main);
    m_swatches[5]->setFocus(Qt::OtherFocusReason);
}

void ScaleWindow::Follow(Colour::Rgb8 colour)
{
    // A name the user wrote stays; the one given by default follows the colour.
    if (m_name->text() == m_defaultName) {
        m_defaultName = ScalePalette::DefaultName(colour);
        m_name->setText(m_defaultName);
    }
    const std::array<ColourScale::Step, 11> steps = ColourScale::Of(colour);
    for (int i = 0; i < 11; ++i) {
        const Colour::Rgb8 step = steps[i].colour;
        m_colours[i] = step;
        const QString code = Hex(step);
        const QString onWhite = Contrast::WindowRatio(Contrast::Ratio(step, WhiteColour));
        const QString onBlack = Contrast::WindowRatio(Contrast::Ratio(step, BlackColour));
        m_swatches[i]->setIcon(Swatch(step, devicePixelRatioF()));
        m_swatches[i]->setAccessibleName(
            QStringLiteral("%1: %2, contraste %3 con blanco y %4 "
                           "con negro%5")
                .arg(steps[i].number)
                .arg(code, onWhite, onBlack,
                     step == colour ? QStringLiteral(" (el color)") : QString()));
        m_codes[i]->setText(code);
        // The given colour's own step stands out.
        m_codes[i]->setFont(TahomaFont(step == colour));
        m_onWhite[i]->setText(onWhite);
        m_onBlack[i]->setText(onBlack);
    }
    m_copied->clear();
}

void ScaleWindow::Copy(int step)
{
    const QString code = Hex(m_colours[step]);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(code);
    if (clipboard->supportsSelection()) {
        clipboard->setText(code, QClipboard::Selection);
    }
    m_copied->setText(QStringLiteral("Copiado: ") + code);
}

void ScaleWindow::Add()
{
    const Outcome<QString> name = ScalePalette::CheckedName(m_name->text());
    if (!name) {
        Messages::Show(this, QMessageBox::Information, QStringLiteral("Tintaro"), name.Reason());
        return;
    }
    emit AddToMemory(ScalePalette::Steps(m_edited.Value(), *name));
}
