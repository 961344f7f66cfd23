// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QObject>
#include <QString>

// One way of taking a colour from the screen, used once. Start begins the
// pick; it ends with exactly one of the signals, and only after Start has
// returned or from inside it when nothing could be begun.
class PickJob : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void Start() = 0;

signals:
    void Picked(const QColor& colour);
    void Cancelled();
    void Failed(const QString& reason);
};
