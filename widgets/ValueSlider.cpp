// SPDX-License-Identifier: MIT
#include "ValueSlider.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QLinearGradient>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <cmath>

namespace {

// The value interface of Qt's own slider reports the whole steps; this one
// reports the decimal value, and its text with the Spanish decimal comma.
class AccessibleValueSlider : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit AccessibleValueSlider(ValueSlider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value) {
            const int decimals =
                static_cast<int>(std::lround(std::log10(Slider()->StepsPerUnit())));
            return QString::number(Slider()->Decimal(), 'f', decimals).replace(u'.', u',');
        }
        return QAccessibleWidget::text(kind);
    }

    QVariant currentValue() const override { return Slider()->Decimal(); }
    void setCurrentValue(const QVariant& value) override
    {
        Slider()->setValue(
            static_cast<int>(std::lround(value.toDouble() * Slider()->StepsPerUnit())));
    }
    QVariant maximumValue() const override
    {
        return Slider()->maximum() / Slider()->StepsPerUnit();
    }
    QVariant minimumValue() const override
    {
        return Slider()->minimum() / Slider()->StepsPerUnit();
    }
    QVariant minimumStepSize() const override { return 1 / Slider()->StepsPerUnit(); }

private:
    ValueSlider* Slider() const { return static_cast<ValueSlider*>(widget()); }
};

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("ValueSlider")) {
        return new AccessibleValueSlider(static_cast<ValueSlider*>(object));
    }
    return nullptr;
}

} // namespace

ValueSlider::ValueSlider(double stepsPerUnit, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), m_stepsPerUnit(stepsPerUnit)
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(installed)
    setFocusPolicy(Qt::StrongFocus);
}

void ValueSlider::SetTrack(const QList<QColor>& colours, double reachable)
{
    m_track = colours;
    m_reachable = reachable;
    update();
}

void ValueSlider::paintEvent(QPaintEvent* /*event*/)
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    QPainter painter(this);
    // The handle's centre stands over the colour of its value: the track's
    // colours run from the centre at the minimum to the centre at the maximum.
    const double first = groove.left() + handle.width() / 2.0;
    const double last = groove.right() + 1 - handle.width() / 2.0;
    const int height = qMax(6, fontMetrics().height() / 2);
    const QRectF track(groove.left() + 0.5, groove.center().y() - height / 2.0 + 0.5,
                       groove.width() - 1.0, height);
    if (m_track.size() >= 2) {
        QLinearGradient gradient(first, 0, last, 0);
        for (qsizetype i = 0; i < m_track.size(); ++i) {
            gradient.setColorAt(double(i) / double(m_track.size() - 1), m_track[i]);
        }
        painter.fillRect(track, gradient);
    }
    if (m_reachable < 1) {
        // Beyond what can be shown: the window colour laid half over it, and
        // hatched, so that it reads as shaded on any colour.
        const double from = first + (last - first) * qBound(0.0, m_reachable, 1.0);
        const QRectF shaded(from, track.top(), track.right() - from, track.height());
        QColor veil = palette().color(QPalette::Window);
        veil.setAlpha(150);
        painter.fillRect(shaded, veil);
        painter.fillRect(shaded, QBrush(palette().color(QPalette::Text), Qt::BDiagPattern));
    }
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(track);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
    option.subControls = QStyle::SC_SliderHandle;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
}
