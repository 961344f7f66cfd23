// SPDX-License-Identifier: MIT
#include "ColourTools.h"

#include "ColourBox.h"
#include "MainColor.h"
#include "ScreenPicker.h"
#include "TextBox.h"
#include "WebColour.h"

#include <QAction>
#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>

template <class Slot>
QAction* ColourTools::AddAction(const QString& text, const QKeySequence& keys, Slot slot)
{
    auto* action = new QAction(text, this);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, slot);
    m_window.addAction(action);
    return action;
}

ColourTools::ColourTools(MainColor& window) : QObject(&window), m_window(window)
{
    const ChannelControls& c = window.Channels();
    QAction* pick = AddAction(QStringLiteral("Tomar color de la pantalla"),
                              QKeySequence(Qt::CTRL | Qt::Key_T), [this] { Pick(); });
    QAction* web = AddAction(QStringLiteral("Copiar para web (#RRGGBB)"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                             [this] { Copy(WebColour::CssHex); });
    QAction* rgb =
        AddAction(QStringLiteral("Copiar como rgb()"), {}, [this] { Copy(WebColour::CssRgb); });
    QAction* hsl =
        AddAction(QStringLiteral("Copiar como hsl()"), {}, [this] { Copy(WebColour::CssHsl); });
    const QList<QAction*> copies = {web, rgb, hsl};

    auto* separator = new QAction(this);
    separator->setSeparator(true);
    c.Preview->setContextMenuPolicy(Qt::ActionsContextMenu);
    c.Preview->addActions({pick, separator});
    c.Preview->addActions(copies);

    // The code box keeps its usual menu (undo, copy, paste...), with the
    // copies added below.
    c.Res->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(c.Res, &QWidget::customContextMenuRequested, this, [res = c.Res, copies](QPoint at) {
        QMenu* menu = res->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addSeparator();
        menu->addActions(copies);
        menu->popup(res->mapToGlobal(at));
    });

    // A colour dropped anywhere on the window, the boxes included.
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    for (QWidget* box : {static_cast<QWidget*>(c.Res), static_cast<QWidget*>(c.SValue[0]),
                         static_cast<QWidget*>(c.SValue[1]), static_cast<QWidget*>(c.SValue[2])}) {
        box->installEventFilter(this);
    }

    connect(c.Preview, &ColourBox::BackColourChanged, this, &ColourTools::ShowContrast);
    connect(window.PreviewList(), &ColourBox::BackColourChanged, this, &ColourTools::ShowContrast);
    ShowContrast();
}

bool ColourTools::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasColor()) {
            break;
        }
        drop->acceptProposedAction();
        if (event->type() == QEvent::Drop) {
            Apply(qvariant_cast<QColor>(drop->mimeData()->colorData()));
        }
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void ColourTools::Pick()
{
    if (m_picker == nullptr) {
        m_picker = new ScreenPicker(&m_window, this);
        connect(m_picker, &ScreenPicker::Picked, this, &ColourTools::Apply);
        connect(m_picker, &ScreenPicker::Failed, this, [this](const QString& reason) {
            QMessageBox::information(&m_window, QStringLiteral("Tintaro"), reason);
        });
    }
    m_picker->Start();
}

void ColourTools::Apply(const QColor& colour)
{
    SetSliders(m_window.Channels().CScroll, colour.red(), colour.green(), colour.blue());
}

void ColourTools::Copy(QString (*format)(int, int, int))
{
    const auto& s = m_window.Channels().CScroll;
    const QString text = format(s[0]->value(), s[1]->value(), s[2]->value());
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text);
    if (clipboard->supportsSelection()) {
        clipboard->setText(text, QClipboard::Selection);
    }
}

void ColourTools::ShowContrast()
{
    ColourBox* list = m_window.PreviewList();
    if (!list->HasColour()) {
        list->setToolTip(QStringLiteral("Elija un color de la memoria para ver su contraste "
                                        "con la muestra"));
        return;
    }
    const QColor a = m_window.Channels().Preview->BackColour();
    const QColor b = list->BackColour();
    list->setToolTip(WebColour::ContrastText(
        WebColour::ContrastRatio(WebColour::RelativeLuminance(a.red(), a.green(), a.blue()),
                                 WebColour::RelativeLuminance(b.red(), b.green(), b.blue()))));
}
