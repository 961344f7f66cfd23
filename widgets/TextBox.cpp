// SPDX-License-Identifier: MIT
#include "TextBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QValidator>

namespace {

// Every way text enters a QLineEdit (typing, paste by keys, menu or middle
// click, drop, input method) ends in a validation of the new text with the
// caret just after what was inserted. The box never holds a line break
// before, so a line break found here came with the insertion: the part from
// it up to the caret is dropped, which keeps the inserted text's first line
// and everything the box held after the caret.
class FirstLineOnly : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& text, int& caret) const override
    {
        for (qsizetype cut = FirstBreak(text); cut >= 0; cut = FirstBreak(text)) {
            text.remove(cut, (caret > cut ? caret : text.size()) - cut);
            caret = static_cast<int>(cut);
        }
        return Acceptable;
    }

private:
    static qsizetype FirstBreak(const QString& text)
    {
        const qsizetype cr = text.indexOf(u'\r');
        const qsizetype lf = text.indexOf(u'\n');
        return cr < 0 || (lf >= 0 && lf < cr) ? lf : cr;
    }
};

} // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new FirstLineOnly(this));
}

void TextBox::setTextIfChanged(const QString& text)
{
    if (text != this->text()) {
        setText(text);
    }
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    // Alt with a character key is an access key or nothing; AltGr characters
    // come with Ctrl as well, or as keys of their own, and are still typed.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier) &&
        !event->text().isEmpty() && event->text().front().isPrint()) {
        event->ignore();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit Clicked();
    }
}
