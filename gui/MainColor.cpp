// SPDX-License-Identifier: MIT
#include "MainColor.h"

#include "AboutMeFrm.h"
#include "AccessibleRoles.h"
#include "CaptionFrame.h"
#include "ColourBox.h"
#include "ColourTools.h"
#include "CommandButton.h"
#include "EditHistory.h"
#include "EditorColour.h"
#include "FocusListView.h"
#include "IO_System.h"
#include "MemoryColour.h"
#include "MemoryCommands.h"
#include "MemoryFileLocation.h"
#include "MemoryListModel.h"
#include "MemoryStore.h"
#include "Messages.h"
#include "PaletteNames.h"
#include "RuleLine.h"
#include "SingleCopyGuard.h"
#include "StepScrollStyle.h"
#include "SwatchDelegate.h"
#include "TextBox.h"
#include "Twips.h"
#include "WindowFonts.h"
#include "WindowLook.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <cstdio>

MainColor::MainColor(QWidget* parent) : QWidget(parent, SmallWindowFlags)
{
    AccessibleRoles::Install();
    SetUpFixedWindow(this, "MainColor", QStringLiteral("Tintaro"), 4845, 5055);

    // Siblings created later lie on top: build each container's controls
    // from the bottom of the pile upwards. The etched separator is a
    // shadow line with a white line over it.
    new RuleLine(this, 120, 4680, 4440, 2, QPalette::Dark);
    new RuleLine(this, 120, 4680, 4440, 1, White);
    BuildSampleFrame(
        AddFrame("PrreviewFrme", QStringLiteral("Muestra:"), TwipsRect(120, 120, 2055, 2055)));
    BuildChannelFrame(
        AddFrame("ColorFrme", QStringLiteral("Colores"), TwipsRect(120, 2280, 4575, 2055)));
    m_aboutMe = CommandButton::Add(this, "AboutMe", QStringLiteral("Acerca de ..."),
                                   TwipsRect(2880, 4560, 1815, 375));
    BuildMemoryFrame(
        AddFrame("MemFrme", QStringLiteral("Memoria interna:"), TwipsRect(2280, 120, 2415, 2055)));
    SetKeyboardOrder();

    // The colours the tools and small windows follow: the editor's, which the
    // sliders hold (white at start) and the editing chain tells of, and the
    // chosen memory entry's, which the list sample shows.
    m_channels.Edited = new EditorColour(m_channels.CScroll, {255, 255, 255}, this);
    m_memoryControls.Chosen = new MemoryColour(this);
    connect(m_memoryControls.Chosen, &MemoryColour::Changed, m_memoryControls.PreviewList,
            [sample = m_memoryControls.PreviewList](Colour::Rgb8 colour) {
                sample->SetBackColour(QColor(colour.red, colour.green, colour.blue));
            });
    new ChannelEditor(m_channels, this);
    m_store = std::make_unique<MemoryStore>(*m_memoryControls.Entries);
    // The memory commands read the code box and apply the editor's colour.
    auto* commands = new MemoryCommands(m_memoryControls, m_channels, *m_store, this);
    // Every colour applied and every change of the list can be undone.
    m_history = new EditHistory(*m_channels.Edited, *m_store, *m_memoryControls.Entries, *this);
    connect(commands, &MemoryCommands::Removed, m_history, &EditHistory::Removed);
    connect(commands, &MemoryCommands::Added, m_history, &EditHistory::Added);
    connect(m_aboutMe, &QPushButton::clicked, this, &MainColor::AboutMe_Click);
    auto* tools = new ColourTools(*this, *m_channels.Edited, *m_memoryControls.Chosen);
    connect(tools, &ColourTools::AddToMemory, commands, &MemoryCommands::AddNamedColours);
}

MainColor::~MainColor() = default;

QGroupBox* MainColor::AddFrame(const char* name, const QString& caption, const QRect& rect)
{
    auto* frame = new CaptionFrame(caption, this);
    frame->setObjectName(QLatin1String(name));
    frame->setFont(TahomaFont(true));
    frame->setGeometry(rect);
    return frame;
}

void MainColor::BuildSampleFrame(QGroupBox* frame)
{
    AddSizedLabel(frame, "InfoLbl", QStringLiteral("Color HTML"),
                  TwipsRect(120, 1320, 0, 0).topLeft(), TahomaFont(true));
    new RuleLine(frame, 1080, 1920, 1440, 1, QPalette::Dark);

    auto* preview = new ColourBox(frame);
    preview->setObjectName(QStringLiteral("Preview"));
    preview->setGeometry(TwipsRect(360, 240, 1335, 975));
    preview->SetBackColour(White);
    m_channels.Preview = preview;

    auto* res = new TextBox(frame);
    res->setObjectName(QStringLiteral("Res"));
    res->setFont(TahomaFont());
    res->setGeometry(TwipsRect(120, 1600, 975, 285));
    res->setMaxLength(7);
    res->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    res->setText(QStringLiteral("#FFFFFF"));
    res->setAccessibleName(QStringLiteral("Color HTML"));
    m_channels.Res = res;

    m_channels.CmdGo =
        CommandButton::Add(frame, "CmdGo", QStringLiteral("&Ver"), TwipsRect(1200, 1560, 735, 375));
}

void MainColor::BuildChannelFrame(QGroupBox* frame)
{
    static const char* const lineNames[3] = {"Line0", "Line1", "Line2"};
    static const char* const labelNames[3] = {"ColorLbl0", "ColorLbl1", "ColorLbl2"};
    static const char* const sliderNames[3] = {"CScroll0", "CScroll1", "CScroll2"};
    static const char* const boxNames[3] = {"SValue0", "SValue1", "SValue2"};
    const QString channelNames[3] = {QStringLiteral("Rojo"), QStringLiteral("Verde"),
                                     QStringLiteral("Azul")};
    const int labelWidths[3] = {390, 495, 360};
    const QColor labelColours[3] = {ToQColor(0x0000C0), ToQColor(0x008000), ToQColor(0x800000)};

    // Each loop runs from the last row to the first: siblings created later
    // lie on top, and the window's design has the first row on top.
    for (int i = 2; i >= 0; --i) {
        const int rowTop = 600 * i; // rows stand 600 twips apart
        auto* line = new RuleLine(frame, 720, 4440, 360 + rowTop, 1, QPalette::Dark);
        line->setObjectName(QLatin1String(lineNames[i]));
    }
    for (int i = 2; i >= 0; --i) {
        QLabel* label = AddSizedLabel(frame, labelNames[i], channelNames[i],
                                      TwipsRect(120, 240 + 600 * i, labelWidths[i], 0).topLeft(),
                                      TahomaFont(true));
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, labelColours[i]);
        label->setPalette(p);
    }
    for (int i = 2; i >= 0; --i) {
        auto* box = new TextBox(frame);
        box->setObjectName(QLatin1String(boxNames[i]));
        box->setFont(TahomaFont());
        box->setGeometry(TwipsRect(3480, 480 + 600 * i, 975, 285));
        box->setMaxLength(3);
        box->setAlignment(Qt::AlignCenter);
        box->setText(QStringLiteral("255"));
        box->setAccessibleName(QStringLiteral("Valor de ") + channelNames[i].toLower());
        m_channels.SValue[i] = box;
    }
    for (int i = 2; i >= 0; --i) {
        auto* slider = new QScrollBar(Qt::Horizontal, frame);
        slider->setObjectName(QLatin1String(sliderNames[i]));
        slider->setStyle(StepScrollStyle::Instance());
        slider->setGeometry(TwipsRect(120, 480 + 600 * i, 3255, 255));
        slider->setRange(0, 255);
        slider->setSingleStep(1);
        slider->setPageStep(5);
        slider->setValue(255);
        slider->setFocusPolicy(Qt::StrongFocus);
        // QScrollBar inverts its keys by default, so Left would raise the value.
        slider->setInvertedControls(false);
        slider->setAccessibleName(channelNames[i]);
        m_channels.CScroll[i] = slider;
    }
}

void MainColor::BuildMemoryFrame(QGroupBox* frame)
{
    MemoryControls& m = m_memoryControls;
    m.Entries = new MemoryListModel(this);
    m.Entries->SetNamer(PaletteNames::DerivedForEntry, PaletteNames::DerivedOwner);
    m.MemList = new FocusListView(frame);
    m.MemList->setObjectName(QStringLiteral("MemList"));
    m.MemList->setFont(TahomaFont());
    m.MemList->setGeometry(TwipsRect(120, 240, 1095, 1620));
    m.MemList->setModel(m.Entries);
    m.MemList->setItemDelegate(new SwatchDelegate(m.MemList));
    m.MemList->setSelectionMode(QAbstractItemView::SingleSelection);
    m.MemList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m.MemList->setUniformItemSizes(true);
    m.MemList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m.MemList->setAccessibleName(QStringLiteral("Memoria interna"));

    m.Save2List = CommandButton::Add(frame, "Save2List", QStringLiteral("&Guardar"),
                                     TwipsRect(1320, 720, 975, 375));
    m.LoadFromList = CommandButton::Add(frame, "LoadFromList", QStringLiteral("&Cargar"),
                                        TwipsRect(1320, 1080, 975, 375));
    m.DeleteFromList = CommandButton::Add(frame, "DeleteFromList", QStringLiteral("&Borrar"),
                                          TwipsRect(1320, 1560, 975, 375));

    m.PreviewList = new ColourBox(frame);
    m.PreviewList->setObjectName(QStringLiteral("PreviewList"));
    m.PreviewList->setGeometry(TwipsRect(1320, 240, 975, 375));
    m.PreviewList->setFocusPolicy(Qt::TabFocus);
    m.PreviewList->setAccessibleName(QStringLiteral("Muestra de la memoria"));
}

void MainColor::SetKeyboardOrder()
{
    const ChannelControls& c = m_channels;
    const MemoryControls& m = m_memoryControls;
    QWidget* const order[] = {
        c.Res,       c.CScroll[0],   c.CScroll[1],     c.CScroll[2], c.SValue[0],
        c.SValue[1], c.SValue[2],    c.CmdGo,          m_aboutMe,    m.MemList,
        m.Save2List, m.LoadFromList, m.DeleteFromList, m.PreviewList};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void MainColor::CentreOnScreen()
{
    const QScreen* s = screen();
    if (s != nullptr) {
        QRect r = geometry();
        r.moveCenter(s->availableGeometry().center());
        move(r.topLeft());
    }
}

void MainColor::AboutMe_Click()
{
    AboutMeFrm::ShowModal(this);
}

bool MainColor::Form_Load(const QString& memoryFile)
{
    // In place before any message, which centres on its hidden parent.
    CentreOnScreen();
    m_singleCopy = std::make_unique<SingleCopyGuard>(memoryFile);
    QString reason;
    switch (m_singleCopy->TryAcquire(&reason)) {
    case SingleCopyGuard::Result::Running: {
        Messages::Show(this, QMessageBox::NoIcon, QStringLiteral("Tintaro"),
                       QStringLiteral("La Aplicación ya se esta ejecutando"));
        return false;
    }
    case SingleCopyGuard::Result::Unavailable:
        Messages::Show(this, QMessageBox::Warning, QStringLiteral("Tintaro"),
                       QStringLiteral("No se puede comprobar si Tintaro ya se está "
                                      "ejecutando:\n%1\n\nTintaro se abre de todos modos.")
                           .arg(reason));
        break;
    case SingleCopyGuard::Result::Acquired:
        break;
    }

    setCursor(Qt::WaitCursor);
    const Outcome<> loaded = m_store->Load(memoryFile);
    unsetCursor();
    if (!loaded) {
        Messages::Show(this, QMessageBox::Warning, QStringLiteral("Tintaro"),
                       IO_System::UnreadableText(FileFailure::Layout::Window,
                                                 MemoryFileLocation::ForDisplay(memoryFile),
                                                 loaded.Reason()) +
                           QStringLiteral("\n\nTintaro empieza con la lista vacía y no "
                                          "escribirá en ese archivo."));
    }
    m_loaded = true;
    return true;
}

void MainColor::Form_Unload()
{
    if (!m_loaded || m_unloaded) {
        return;
    }
    m_unloaded = true;
    const Outcome<> saved = m_store->Save();
    if (saved) {
        return;
    }
    m_listSaved = false;
    if (m_closeUnattended) {
        std::fprintf(stderr, "Tintaro: %s\n", saved.Reason().toLocal8Bit().constData());
    } else {
        Messages::Show(this, QMessageBox::Critical, QStringLiteral("Tintaro"), saved.Reason());
    }
}

void MainColor::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}
