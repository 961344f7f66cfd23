// SPDX-License-Identifier: MIT
#pragma once

#include "PickJob.h"

#include <optional>
#include <vector>

class QWidget;

// Takes a colour from the screen where the program may read other programs'
// pixels (X11). Every screen is frozen as it is and covered by a window that
// shows that picture with a cross pointer and, beside the pointer, a
// magnifier of the pixels around it with the code of the one under it. A left
// click takes that pixel's colour; Esc or a right click cancels.
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
    // Closes the windows and emits Picked with the colour, or Cancelled.
    void Finish(std::optional<QColor> colour);

    std::vector<QWidget*> m_windows;
};
