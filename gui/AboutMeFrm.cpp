// SPDX-License-Identifier: MIT
#include "AboutMeFrm.h"

#include "CommandButton.h"
#include "RuleLine.h"
#include "Twips.h"
#include "Version.h"
#include "WindowFonts.h"
#include "WindowLook.h"

#include <QIcon>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace {

// The credits: Tintaro is written by its own small team.
const QString Author = QStringLiteral("Equipo de Tintaro");

// The text of the header: the program's name and its version numbers, e.g.
// "Tintaro v1.0 Revisión: 1".
QString HeaderText(int major, int minor, int revision)
{
    QString text = QStringLiteral("Tintaro v");
    text += QString::number(major);
    text += QLatin1Char('.');
    text += QString::number(minor);
    text += QStringLiteral(" Revisión: ");
    text += QString::number(revision);
    return text;
}

} // namespace

AboutMeFrm::AboutMeFrm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    SetUpFixedWindow(this, "AboutMeFrm", QStringLiteral("Acerca de..."), 4410, 3210);
    setSizeGripEnabled(false);

    // Siblings created later lie on top: build from the bottom of the pile
    // upwards. The etched separator is a shadow line with a white line over
    // it; the header band runs past both side edges.
    auto* shadow = new RuleLine(this, 120, 4320, 2640, 2, QPalette::Dark);
    shadow->setObjectName(QStringLiteral("SLine1"));

    auto* headerShp = new QWidget(this);
    headerShp->setObjectName(QStringLiteral("HeaderShp"));
    headerShp->setGeometry(TwipsRect(-120, 0, 4575, 975));
    headerShp->setBackgroundRole(QPalette::Base);
    headerShp->setAutoFillBackground(true);
    headerShp->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_headerIcon = new QLabel(this);
    m_headerIcon->setObjectName(QStringLiteral("HeaderIcon"));
    m_headerIcon->setGeometry(TwipsRect(120, 120, 720, 720));
    m_headerIcon->setAlignment(Qt::AlignCenter);
    m_headerIcon->setAccessibleName(QStringLiteral("Tintaro"));
    UpdateHeaderPicture();

    m_headerLbl = AddSizedLabel(this, "HeaderLbl", QStringLiteral("Tintaro v"),
                                TwipsRect(960, 240, 0, 0).topLeft(), ArialFont(9, true));

    auto* rule = new RuleLine(this, 960, 4320, 500, 2, QPalette::Dark);
    rule->setObjectName(QStringLiteral("Line"));

    const QRect dataRect = TwipsRect(960, 600, 3375, 255);
    QLabel* dataLbl =
        AddSizedLabel(this, "DataLbl", QStringLiteral("Dedicado a las personas que quiero... "),
                      dataRect.topLeft(), TahomaFont());
    dataLbl->setAlignment(Qt::AlignRight | Qt::AlignTop);
    dataLbl->setFixedSize(dataRect.size());

    AddSizedLabel(this, "BInfoLbl0", QStringLiteral("Idea Original:"),
                  TwipsRect(120, 1080, 0, 0).topLeft(), TahomaFont(true));
    AddSizedLabel(this, "BInfoLbl1", QStringLiteral("Diseño y Compilación:"),
                  TwipsRect(120, 1800, 0, 0).topLeft(), TahomaFont(true));
    AddSizedLabel(this, "NnfoLbl0", Author, TwipsRect(240, 1320, 0, 0).topLeft(), TahomaFont());
    AddSizedLabel(this, "NnfoLbl1", Author, TwipsRect(240, 2040, 0, 0).topLeft(), TahomaFont());

    auto* light = new RuleLine(this, 120, 4320, 2640, 1, White);
    light->setObjectName(QStringLiteral("SLine0"));

    m_okBtn = CommandButton::Add(this, "OkBtn", QStringLiteral("&Aceptar"),
                                 TwipsRect(2640, 2760, 1695, 375));
    m_okBtn->setFocus();
    connect(m_okBtn, &QPushButton::clicked, this, &AboutMeFrm::OkBtn_Click);

    Form_Load();
    CentreOverOwner();
}

void AboutMeFrm::CentreOverOwner()
{
    // Qt would guess the frames' sizes when there is no window manager to
    // ask; centring the client area on the owner's, with the owner's frame
    // assumed around it, is exact wherever both windows are framed alike.
    if (parentWidget() == nullptr) {
        return;
    }
    const QWidget* owner = parentWidget()->window();
    QRect client(QPoint(), size());
    client.moveCenter(owner->geometry().center());
    if (const QScreen* screen = owner->screen(); screen != nullptr) {
        const QRect room = screen->availableGeometry();
        client.moveRight(qMin(client.right(), room.right()));
        client.moveBottom(qMin(client.bottom(), room.bottom()));
        client.moveLeft(qMax(client.left(), room.left()));
        client.moveTop(qMax(client.top(), room.top()));
    }
    move(client.topLeft() - (owner->geometry().topLeft() - owner->pos()));
}

void AboutMeFrm::Form_Load()
{
    m_headerLbl->setText(HeaderText(VersionMajor, VersionMinor, VersionRevision));
    m_headerLbl->adjustSize();
}

void AboutMeFrm::OkBtn_Click()
{
    accept();
}

void AboutMeFrm::ShowModal(QWidget* mainWindow)
{
    // A child dialog stays over its main window, is centred on it and gets
    // no taskbar entry of its own.
    AboutMeFrm about(mainWindow);
    about.exec();
}

void AboutMeFrm::keyPressEvent(QKeyEvent* event)
{
    // The window has no cancel button: Esc does nothing.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void AboutMeFrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    QWindow* window = windowHandle();
    if (!m_followsScreen && window != nullptr) {
        m_followsScreen = true;
        connect(window, &QWindow::screenChanged, this, &AboutMeFrm::UpdateHeaderPicture);
    }
    UpdateHeaderPicture();
}

void AboutMeFrm::UpdateHeaderPicture()
{
    // The @2x picture has four pixels for each of the 48 x 48 at twice the
    // density; QImageReader marks it with a device pixel ratio of 2 from its
    // name, so it is shown at 48 x 48 either way.
    const bool dense = devicePixelRatioF() > 1.0;
    QImageReader reader(dense ? QStringLiteral(":/icons/tintaro-48@2x.png")
                              : QStringLiteral(":/icons/tintaro-48.png"));
    m_headerIcon->setPixmap(QPixmap::fromImage(reader.read()));
}
