// SPDX-License-Identifier: MIT
#pragma once

#include "ChannelEditor.h"
#include "ColourBox.h"
#include "MainColor.h"
#include "MemoryListModel.h"
#include "TextBox.h"

#include <QtTest>
#include <QtWidgets>
#include <memory>

// What the window tests share: the real main window, made afresh and shown
// centred for each test function, driven offscreen as a user does (CTest
// runs each test at scale 1 and at QT_SCALE_FACTOR=2). Every message box
// that opens is recorded and answered with OK.
class WindowFixture : public QObject
{
protected:
    std::unique_ptr<MainColor> w;
    const ChannelControls* c = nullptr;
    QListView* list = nullptr;
    QTimer m_answer;
    QStringList m_messages;
    QList<QPoint> m_offsets; // of each message from the screen's centre
    int m_titleRoom = 1000;

    // Once per program: the message boxes answered, a caret that never blinks.
    void AnswerMessages()
    {
        m_answer.callOnTimeout(this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_messages << box->windowTitle() + ": " + box->text().section('\n', 0, 0);
                // Room beside the title for a title bar's icon and buttons.
                m_titleRoom =
                    qMin(m_titleRoom,
                         box->width() - box->fontMetrics().horizontalAdvance(box->windowTitle()));
                m_offsets << box->geometry().center() - box->screen()->geometry().center();
                box->button(QMessageBox::Ok)->click();
            }
        });
        m_answer.start(10);
        QGuiApplication::styleHints()->setCursorFlashTime(0);
    }

    // A new main window, shown and active, white, with no message seen yet.
    void OpenMainWindow()
    {
        w = std::make_unique<MainColor>();
        w->CentreOnScreen();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        c = &w->Channels();
        list = w->findChild<QListView*>("MemList");
        new QAbstractItemModelTester(
            w->MemListModel(), QAbstractItemModelTester::FailureReportingMode::QtTest, w.get());
        m_messages.clear();
        m_offsets.clear();
        QCOMPARE(Editor(), "255=255 255=255 255=255 #FFFFFF #ffffff");
    }

    // The editor at a glance: each slider's value = its box's text, the code
    // box, the sample's colour.
    QString Editor() const
    {
        QString text;
        for (int i = 0; i < 3; ++i)
            text += QString::number(c->CScroll[i]->value()) + "=" + c->SValue[i]->text() + " ";
        return text + c->Res->text() + " " + c->Preview->BackColour().name();
    }
    QString Entries() const { return w->MemListModel()->Items().join(' '); }
    // A control of the main window by its object name.
    QWidget* Control(const char* name) const { return w->findChild<QWidget*>(name); }
    void Click(QWidget* t, QPoint at = {}) { QTest::mouseClick(t, Qt::LeftButton, {}, at); }
    QPoint Row(int row) const { return list->visualRect(list->model()->index(row, 0)).center(); }
    void TypeInto(QWidget* box, const QString& text)
    {
        Click(box);
        QTest::keyClicks(box, text);
    }

    // What every layout holds, whatever the places: a window of fixed size;
    // each control inside its frame and apart from its siblings (sharing at
    // most an edge; rule lines and the About window's header band lie under
    // others by design); each label at least as wide as its text and, unless
    // given a width, no wider. Returns the controls' names, sorted, a bold
    // font marked with "*", and the faults found.
    static QString Layout(QWidget* window, QSize size)
    {
        QStringList names, faults;
        if (window->size() != size || window->minimumSize() != size ||
            window->maximumSize() != size)
            faults << "(not of fixed size)";
        const auto under = [](QWidget* w) {
            return w->inherits("RuleLine") || w->objectName() == "HeaderShp";
        };
        for (QWidget* w : window->findChildren<QWidget*>()) {
            QWidget* frame = w->parentWidget();
            if (frame != window && !frame->inherits("QGroupBox"))
                continue;
            if (!w->objectName().isEmpty())
                names << w->objectName() + (w->font().bold() ? "*" : "");
            for (QWidget* other : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const QRect both = other->geometry() & w->geometry();
                if (other != w && !under(w) && !under(other) &&
                    qMin(both.width(), both.height()) > 1)
                    faults << "(" + w->objectName() + " overlaps " + other->objectName() + ")";
            }
            const auto* label = qobject_cast<QLabel*>(w);
            const int text = label ? label->fontMetrics().horizontalAdvance(label->text()) : 0;
            if ((!under(w) && !frame->rect().contains(w->geometry())) ||
                (text && (w->width() < text || (!w->minimumWidth() && w->width() > text + 2))))
                faults << "(" + w->objectName() + " out of place)";
        }
        names.sort();
        return (names + faults).join(' ');
    }

    // The colour the window shows at p once the style's window colour is one
    // that nothing of ours may show: each face and band must set its own.
    static QRgb ShownAt(QWidget* window, QPoint p)
    {
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, Qt::magenta);
        window->setPalette(palette);
        const QImage image = window->grab().toImage();
        return image.pixel(p * image.devicePixelRatio());
    }
};
