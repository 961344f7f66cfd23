// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>

// A captioned frame drawn the same on every desktop: an etched border whose
// top edge runs through the middle of the caption, the caption standing on
// the frame's first line. Controls inside are placed relative to the frame's
// outer corner, so the border must not depend on the style's group-box
// margins.
class CaptionFrame : public QGroupBox
{
    Q_OBJECT
public:
    CaptionFrame(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};
