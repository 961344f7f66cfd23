// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QList>
#include <QSlider>

// A horizontal slider for a decimal value: its whole steps are the value
// times StepsPerUnit (623 for 0.623), and a screen reader is told the value a
// person reads (0.623). Its track shows the colour each position gives,
// evenly sampled; the part beyond the last position that gives the colour it
// asks for (chroma outside sRGB) is shaded.
class ValueSlider : public QSlider
{
    Q_OBJECT
public:
    explicit ValueSlider(double stepsPerUnit, QWidget* parent = nullptr);

    double StepsPerUnit() const { return m_stepsPerUnit; }
    double Decimal() const { return value() / m_stepsPerUnit; }

    // colours: from the minimum to the maximum, evenly spaced; reachable:
    // the fraction of the range (0 to 1) up to which positions are shown as
    // asked for, beyond which the track is shaded.
    void SetTrack(const QList<QColor>& colours, double reachable = 1);
    // Where the shading starts, 0 to 1 (1: none).
    double Reachable() const { return m_reachable; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_stepsPerUnit;
    QList<QColor> m_track;
    double m_reachable = 1;
};
