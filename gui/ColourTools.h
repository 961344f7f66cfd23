// SPDX-License-Identifier: MIT
#pragma once

#include "CssColourWriter.h"
#include "PaletteColours.h"

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class AccessibilityWindow;
class AdjustWindow;
class ScaleWindow;
class EditorColour;
class MemoryColour;
class QMenu;
class MainColor;
class QAction;
class QColor;
class QKeySequence;
class QMimeData;
class ScreenPicker;

// Adds to the main window, without moving any of its controls: picking a
// colour from the screen (Ctrl+T), copying the colour for style sheets in
// every CSS form (Ctrl+Shift+C and the sample's and code box's context
// menus), pasting a CSS colour (Ctrl+Shift+V), the "Ajustar color" window
// (Ctrl+L), the "Escala" window (Ctrl+E), the "Accesibilidad" window
// (Ctrl+K), undo and redo, dropping a
// dragged colour or CSS colour text onto the window (or a number or code
// onto its box), the sample's CSS name and code in its tooltip, and the
// contrast between the two samples in the list sample's tooltip. The
// colours come from edited and chosen, whose changes it follows. The tool
// windows take the same shortcuts, each acting on the editor's colour.
class ColourTools : public QObject
{
    Q_OBJECT
public:
    ColourTools(MainColor& window, EditorColour& edited, const MemoryColour& chosen);
    ~ColourTools() override;

signals:
    // "Escala"'s "Añadir a la memoria": the steps, each with its code and name.
    void AddToMemory(const QList<PaletteColours::NamedColour>& steps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <class Slot>
    QAction* AddAction(const QString& text, const QKeySequence& keys, Slot slot);
    // What a drop of data onto target does, or nothing when it is refused.
    // A drop is always a copy.
    std::function<void()> DropTaker(QObject* target, const QMimeData& data);
    void Pick();
    // As "Ver" applies a code (EditorColour::Apply).
    void Apply(const QColor& colour);
    void Copy(Colour::CssFormat format);
    // Applies the CSS colour on the clipboard, or says why it cannot.
    void PasteCss();
    void ShowAdjust();
    void ShowScale();
    void ShowAccessibility();
    void ShowContrast();
    void ShowName();
    // Gives a tool window the main window's shortcuts, so that each works
    // wherever the keyboard is in the program.
    void Equip(QWidget* tool);

    MainColor& m_window;
    EditorColour& m_edited;
    const MemoryColour& m_chosen;
    ScreenPicker* m_picker = nullptr;
    AdjustWindow* m_adjust = nullptr;
    ScaleWindow* m_scale = nullptr;
    AccessibilityWindow* m_accessibility = nullptr;
    // The shortcuts every window of the program takes.
    QList<QAction*> m_shortcuts;
    // Not a child of the window: a menu is shown on its own.
    std::unique_ptr<QMenu> m_forms;
};
