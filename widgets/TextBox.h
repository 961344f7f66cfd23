// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>

// A one-line edit box that tells when it has been clicked, and that can be
// given a text without disturbing its caret and selection when the text is
// already the same (QLineEdit::setText always moves the caret to the end).
// It behaves as one-line boxes do on Windows: text pasted, dropped or
// committed into it keeps only its first line, and Alt with a key that is no
// access key types nothing.
class TextBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Sets the text unless the box already holds it; emits textChanged only
    // when the text really changes.
    void setTextIfChanged(const QString& text);

signals:
    // Emitted when a left-button click ends on the box, after the box has
    // handled the release itself.
    void Clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
