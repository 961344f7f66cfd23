// SPDX-License-Identifier: MIT
#include "ColourTools.h"

#include "AccessibilityWindow.h"
#include "AdjustWindow.h"
#include "CodeBoxHints.h"
#include "ColourAPI.h"
#include "ColourBox.h"
#include "Contrast.h"
#include "CssColourReader.h"
#include "CssForms.h"
#include "EditHistory.h"
#include "EditorColour.h"
#include "MainColor.h"
#include "MemoryColour.h"
#include "Messages.h"
#include "ScaleWindow.h"
#include "ScreenPicker.h"
#include "TextBox.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
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

ColourTools::ColourTools(MainColor& window, EditorColour& edited, const MemoryColour& chosen)
    : QObject(&window), m_window(window), m_edited(edited), m_chosen(chosen)
{
    const ChannelControls& c = window.Channels();
    QAction* pick = AddAction(QStringLiteral("Tomar color de la pantalla"),
                              QKeySequence(Qt::CTRL | Qt::Key_T), [this] { Pick(); });
    QAction* adjust = AddAction(QStringLiteral("Ajustar color…"),
                                QKeySequence(Qt::CTRL | Qt::Key_L), [this] { ShowAdjust(); });
    QAction* scale = AddAction(QStringLiteral("Escala…"), QKeySequence(Qt::CTRL | Qt::Key_E),
                               [this] { ShowScale(); });
    QAction* access =
        AddAction(QStringLiteral("Accesibilidad…"), QKeySequence(Qt::CTRL | Qt::Key_K),
                  [this] { ShowAccessibility(); });
    QAction* web = AddAction(QStringLiteral("Copiar para web (#RRGGBB)"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                             [this] { Copy(Colour::CssFormat::Hex); });
    QAction* paste =
        AddAction(QStringLiteral("Pegar color CSS"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V),
                  [this] { PasteCss(); });
    // The other forms in a menu of their own, so the menus stay short.
    m_forms = std::make_unique<QMenu>(QStringLiteral("Copiar como"));
    QMenu* forms = m_forms.get();
    for (const CssForms::Row& row : CssForms::Rows) {
        if (row.copyLabel != nullptr) {
            const Colour::CssFormat chosen = row.format;
            forms->addAction(QString::fromLatin1(row.copyLabel), this,
                             [this, chosen] { Copy(chosen); });
        }
    }
    const QList<QAction*> copies = {web, forms->menuAction(), paste};
    QAction* undo = window.History()->Undo();
    QAction* redo = window.History()->Redo();
    window.addActions({undo, redo});
    m_shortcuts = {pick, adjust, access, web, paste, undo, redo};

    auto* separator = new QAction(this);
    separator->setSeparator(true);
    c.Preview->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* afterUndo = new QAction(this);
    afterUndo->setSeparator(true);
    c.Preview->addActions({pick, adjust, scale, access, separator, undo, redo, afterUndo});
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

    // A colour dropped anywhere on the window, the boxes included; the
    // sample's menu from the keyboard (Menu, Shift+F10) wherever the focus
    // is, but in a box or the memory list, which keep menus of their own.
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    for (QScrollBar* slider : c.CScroll) {
        slider->installEventFilter(this);
    }
    for (QWidget* box : {static_cast<QWidget*>(c.Res), static_cast<QWidget*>(c.SValue[0]),
                         static_cast<QWidget*>(c.SValue[1]), static_cast<QWidget*>(c.SValue[2])}) {
        box->installEventFilter(this);
    }

    new CodeBoxHints(*c.Res, edited, this);
    connect(&edited, &EditorColour::Changed, this, &ColourTools::ShowContrast);
    connect(&edited, &EditorColour::Changed, this, &ColourTools::ShowName);
    connect(&chosen, &MemoryColour::Changed, this, &ColourTools::ShowContrast);
    ShowContrast();
    ShowName();
}

ColourTools::~ColourTools() = default;

bool ColourTools::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    // A text box would take some of the program's shortcuts for itself
    // (Ctrl+K deletes to the end of the line): the program's come first.
    // A spin box asks its line edit directly, past the edit's filters.
    const auto* spin = qobject_cast<QAbstractSpinBox*>(watched);
    const QLineEdit* box =
        spin != nullptr ? spin->findChild<QLineEdit*>() : qobject_cast<QLineEdit*>(watched);
    if (type == QEvent::ShortcutOverride && box != nullptr) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        // The box's own undo and redo while it has them: what was typed
        // there goes first.
        const EditHistory& history = *m_window.History();
        const auto own = [box, &history](const QAction* action) {
            return (action == history.Undo() && box->isUndoAvailable()) ||
                   (action == history.Redo() && box->isRedoAvailable());
        };
        for (const QAction* action : std::as_const(m_shortcuts)) {
            if (!own(action) && action->isEnabled() &&
                action->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
                return true; // left unaccepted: the shortcut runs
            }
        }
    }
    // Qt makes a keyboard menu event of the Menu key only: Shift+F10, which
    // no control takes, comes here and is made one for the focused control.
    if (type == QEvent::KeyPress && watched == &m_window) {
        const auto* key = static_cast<QKeyEvent*>(event);
        QWidget* focus = m_window.focusWidget();
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier && focus) {
            const QPoint centre = focus->rect().center();
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, centre,
                                      focus->mapToGlobal(centre));
            QCoreApplication::sendEvent(focus, &menuKey);
            return true;
        }
    }
    if (type == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard &&
        !qobject_cast<TextBox*>(watched)) {
        ColourBox* sample = m_window.Channels().Preview;
        auto* menu = new QMenu(&m_window);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addActions(sample->actions());
        menu->popup(sample->mapToGlobal(sample->rect().center()));
        return true;
    }
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return QObject::eventFilter(watched, event);
    }
    // Every drop is decided here, the boxes' own handling never runs: it
    // would answer a move, and the program the text came from deletes it.
    // While a drag passes over, only the kinds of data it offers are looked
    // at: asking for the text itself may wait on the program that offers it,
    // at every move, and the text may be of any length. The drop reads it.
    auto* drop = static_cast<QDropEvent*>(event);
    const QMimeData& data = *drop->mimeData();
    const bool copies = drop->possibleActions().testFlag(Qt::CopyAction);
    const std::function<void()> take =
        copies && type == QEvent::Drop ? DropTaker(watched, data) : nullptr;
    const bool welcome = type == QEvent::Drop ? bool(take) : data.hasColor() || data.hasText();
    if (!copies || !welcome) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (take) {
        take();
    }
    return true;
}

std::function<void()> ColourTools::DropTaker(QObject* target, const QMimeData& data)
{
    if (data.hasColor()) {
        // A malformed colour (application/x-color of the wrong size) reads
        // as no colour: it must not turn the editor black.
        const auto colour = qvariant_cast<QColor>(data.colorData());
        if (colour.isValid()) {
            return [this, colour] { Apply(colour); };
        }
    }
    if (!data.hasText()) {
        return {};
    }
    // The box keeps a text's first line only. The CSS reader gets it as it
    // came: only CSS whitespace may surround a colour.
    const QString line = data.text().section(u'\n', 0, 0).section(u'\r', 0, 0);
    const QString text = line.trimmed();
    // On the window or a value box, a colour as style sheets write it is
    // applied as a picked colour is. The code box keeps its own reading: a
    // "#" and six digits there is a code, blue first.
    const ChannelControls& c = m_window.Channels();
    if (target != c.Res) {
        if (const Outcome<Colour::CssColour> css = Colour::ReadCssColour(line)) {
            return [this, colour = css->colour] { m_edited.Apply(colour); };
        }
    }

    // On a box, a text it would take when typed: a number into a value box,
    // a code into the code box. It replaces what the box holds, as typing
    // over the whole selected text does, and the box's handler follows.
    auto* box = qobject_cast<TextBox*>(target);
    static const QRegularExpression number(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
    const bool takes = box == c.Res
                           ? ColourAPI::HasCodeShape(text)
                           : std::find(c.SValue.begin(), c.SValue.end(), box) != c.SValue.end() &&
                                 number.match(text).hasMatch();
    if (!takes || text.size() > box->maxLength()) {
        return {};
    }
    return [box, text] {
        box->selectAll();
        box->insert(text);
    };
}

void ColourTools::Pick()
{
    if (m_picker == nullptr) {
        m_picker = new ScreenPicker(&m_window, this);
        connect(m_picker, &ScreenPicker::Picked, this, &ColourTools::Apply);
        connect(m_picker, &ScreenPicker::Failed, this, [this](const QString& reason) {
            Messages::Show(&m_window, QMessageBox::Information, QStringLiteral("Tintaro"), reason);
        });
    }
    m_picker->Start();
}

void ColourTools::Apply(const QColor& colour)
{
    m_edited.Apply({colour.red(), colour.green(), colour.blue()});
}

void ColourTools::Copy(Colour::CssFormat format)
{
    const QString text = Colour::WriteCssColour(m_edited.Value(), format);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text);
    if (clipboard->supportsSelection()) {
        clipboard->setText(text, QClipboard::Selection);
    }
}

void ColourTools::ShowContrast()
{
    ColourBox* list = m_window.PreviewList();
    const std::optional<Colour::Rgb8> chosen = m_chosen.Value();
    if (!chosen) {
        list->setToolTip(QStringLiteral("Elija un color de la memoria para ver su contraste "
                                        "con la muestra"));
        return;
    }
    list->setToolTip(Contrast::Summary(Contrast::Ratio(m_edited.Value(), *chosen)));
}

void ColourTools::PasteCss()
{
    // As it came: only CSS whitespace may surround a colour.
    const QString text = QGuiApplication::clipboard()->text();
    const Outcome<Colour::CssColour> css = Colour::ReadCssColour(text);
    if (!css) {
        Messages::Show(&m_window, QMessageBox::Information, QStringLiteral("Tintaro"),
                       text.trimmed().isEmpty() ? QStringLiteral("El portapapeles no tiene texto.")
                                                : css.Reason());
        return;
    }
    m_edited.Apply(css->colour);
    const QString both = Colour::WriteBothColours(*css);
    if (!both.isEmpty()) {
        Messages::Show(&m_window, QMessageBox::Information, QStringLiteral("Tintaro"), both);
    }
}

void ColourTools::Equip(QWidget* tool)
{
    tool->addActions(m_shortcuts);
    for (QLineEdit* box : tool->findChildren<QLineEdit*>()) {
        box->installEventFilter(this);
    }
    for (QAbstractSpinBox* box : tool->findChildren<QAbstractSpinBox*>()) {
        box->installEventFilter(this);
    }
}

void ColourTools::ShowAdjust()
{
    if (m_adjust == nullptr) {
        m_adjust = new AdjustWindow(m_edited, m_window);
        Equip(m_adjust);
    }
    m_adjust->ShowBeside();
}

void ColourTools::ShowScale()
{
    if (m_scale == nullptr) {
        m_scale = new ScaleWindow(m_edited, m_window);
        connect(m_scale, &ScaleWindow::AddToMemory, this, &ColourTools::AddToMemory);
        Equip(m_scale);
    }
    m_scale->ShowBeside();
}

void ColourTools::ShowAccessibility()
{
    if (m_accessibility == nullptr) {
        m_accessibility = new AccessibilityWindow(m_edited, m_chosen, m_window);
        Equip(m_accessibility);
    }
    m_accessibility->ShowBeside();
}

void ColourTools::ShowName()
{
    const QString name = Colour::WriteCssColour(m_edited.Value(), Colour::CssFormat::Name);
    const QString css = Colour::WriteCssColour(m_edited.Value(), Colour::CssFormat::Hex);
    m_window.Channels().Preview->setToolTip(
        (name.startsWith(u'≈') ? name : QStringLiteral("= ") + name) + QStringLiteral("\nCSS: ") +
        css);
}
