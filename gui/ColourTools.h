// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class MainColor;
class QAction;
class QColor;
class QKeySequence;
class QMimeData;
class ScreenPicker;

// Adds to the main window, without moving any of its controls: picking a
// colour from the screen (Ctrl+T), copying the colour for style sheets
// (Ctrl+Shift+C and the samples' and code box's context menus), dropping a
// dragged colour onto the window (or a number or code onto its box), and the
// contrast between the two samples
// in the list sample's tooltip.
class ColourTools : public QObject
{
    Q_OBJECT
public:
    explicit ColourTools(MainColor& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <class Slot>
    QAction* AddAction(const QString& text, const QKeySequence& keys, Slot slot);
    // What a drop of data onto target does, or nothing when it is refused.
    // A drop is always a copy.
    std::function<void()> DropTaker(QObject* target, const QMimeData& data);
    void Pick();
    // As "Ver" applies a code: through the sliders, whose handlers bring
    // the boxes and the sample up to date.
    void Apply(const QColor& colour);
    void Copy(QString (*format)(int, int, int));
    void ShowContrast();

    MainColor& m_window;
    ScreenPicker* m_picker = nullptr;
};
