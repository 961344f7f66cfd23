// SPDX-License-Identifier: MIT
#pragma once

#include "PickJob.h"

#include <QPoint>
#include <memory>
#include <optional>
#include <vector>

class PickMagnifier;
class QKeyEvent;
class QWindow;
struct FrozenScreen;

// Takes a colour from the screen where the program may read other programs'
// pixels (X11). Every screen is frozen as it is and covered by a window that
// shows that picture with a cross pointer and, beside the pointer, a
// magnifier of the pixels around it with the code of the one under it. A left
// click, Space or Enter takes that pixel's colour; Esc or a right click
// cancels. The arrow keys move the pointer by one device pixel, ten with
// Shift.
class PickMode : public PickJob
{
    Q_OBJECT
public:
    explicit PickMode(QObject* parent = nullptr);
    ~PickMode() override;

    // Covers the screens; Failed at once when a screen cannot be read.
    void Start() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Key(const QKeyEvent& key);
    void MovePointer(QPoint pixels);
    // The frozen colour of the device pixel under the pointer, if any screen
    // holds it.
    std::optional<QColor> ColourUnderPointer() const;
    // Closes the windows and emits Picked with the colour, or Cancelled.
    void Finish(std::optional<QColor> colour);

    std::vector<QWindow*> m_windows;
    PickMagnifier* m_magnifier = nullptr;
    std::shared_ptr<const std::vector<FrozenScreen>> m_frozen;
};
