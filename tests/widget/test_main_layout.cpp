// SPDX-License-Identifier: MIT
#include "MainColor.h"
#include "TextBox.h"
#include "Twips.h"
#include "WindowDriver.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

// The main window's layout: every control where it belongs, its keyboard
// order and access keys, and the look that the program fixes itself.
class TestMainLayout : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_window = std::make_unique<MainColor>();
        m_window->CentreOnScreen();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void window()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Tintaro"));
        QCOMPARE(m_window->size(), QSize(323, 337));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        const Qt::WindowFlags flags = m_window->windowFlags();
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        const QPoint offCentre =
            m_window->frameGeometry().center() - m_window->screen()->availableGeometry().center();
        // Allows for the frame the platform may add around the client area.
        QVERIFY(offCentre.manhattanLength() <= 4);
    }

    void controlRectangles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("rect");
        const auto row = [](const char* name, const char* container, int l, int t, int w, int h) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(container)
                                << TwipsRect(l, t, w, h);
        };
        row("MemFrme", "MainColor", 2280, 120, 2415, 2055);
        row("AboutMe", "MainColor", 2880, 4560, 1815, 375);
        row("ColorFrme", "MainColor", 120, 2280, 4575, 2055);
        row("PrreviewFrme", "MainColor", 120, 120, 2055, 2055);
        row("CmdGo", "PrreviewFrme", 1200, 1560, 735, 375);
        row("Res", "PrreviewFrme", 120, 1600, 975, 285);
        row("Preview", "PrreviewFrme", 360, 240, 1335, 975);
        for (int i = 0; i < 3; ++i) {
            const QByteArray slider = "CScroll" + QByteArray::number(i);
            const QByteArray box = "SValue" + QByteArray::number(i);
            row(slider.constData(), "ColorFrme", 120, 480 + 600 * i, 3255, 255);
            row(box.constData(), "ColorFrme", 3480, 480 + 600 * i, 975, 285);
            // Labels: placed by their top-left corner, sized to their texts.
            row(("ColorLbl" + QByteArray::number(i)).constData(), "ColorFrme", 120, 240 + 600 * i,
                0, 0);
        }
        row("InfoLbl", "PrreviewFrme", 120, 1320, 0, 0);
        row("PreviewList", "MemFrme", 1320, 240, 975, 375);
        row("DeleteFromList", "MemFrme", 1320, 1560, 975, 375);
        row("LoadFromList", "MemFrme", 1320, 1080, 975, 375);
        row("Save2List", "MemFrme", 1320, 720, 975, 375);
        row("MemList", "MemFrme", 120, 240, 1095, 1620);
    }

    void controlRectangles()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, rect);
        auto* control = m_window->findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->parentWidget()->objectName(), container);
        QVERIFY(control->isVisible());
        if (!rect.isEmpty()) {
            QCOMPARE(control->geometry(), rect);
            return;
        }
        auto* label = qobject_cast<QLabel*>(control);
        QCOMPARE(label->pos(), rect.topLeft());
        QCOMPARE(label->size(), label->sizeHint());
        const int advance = QFontMetrics(label->font()).horizontalAdvance(label->text());
        QVERIFY(label->width() >= advance && label->width() <= advance + 2);
    }

    void channelLabels()
    {
        const QColor colours[3] = {QColor(192, 0, 0), QColor(0, 128, 0), QColor(0, 0, 128)};
        const QStringList texts = {"Rojo", "Verde", "Azul"};
        for (int i = 0; i < 3; ++i) {
            auto* label = m_window->findChild<QLabel*>("ColorLbl" + QString::number(i));
            QCOMPARE(label->text(), texts[i]);
            QCOMPARE(label->palette().color(label->foregroundRole()), colours[i]);
            // Each channel's label stands above its slider.
            QVERIFY(label->geometry().bottom() < m_window->Channels().CScroll[i]->geometry().top());
        }
    }

    void etchedSeparator()
    {
        // A 2-pixel shadow line under a 1-pixel white one at y = 296: the shadow
        // shows on row 295, the white on row 296.
        const QImage image = m_window->grab().toImage();
        const QColor shadow = m_window->palette().color(QPalette::Dark);
        for (int x : {8, 160, 311}) {
            QCOMPARE(image.pixel(x, 295), shadow.rgb());
            QCOMPARE(image.pixel(x, 296), qRgb(255, 255, 255));
        }
        QVERIFY(image.pixel(7, 296) != qRgb(255, 255, 255));
        QVERIFY(image.pixel(312, 296) != qRgb(255, 255, 255));
    }

    void tabOrder()
    {
        const QStringList expected = {
            "Res",       "CScroll0",     "CScroll1",       "CScroll2",    "SValue0",
            "SValue1",   "SValue2",      "CmdGo",          "AboutMe",     "MemList",
            "Save2List", "LoadFromList", "DeleteFromList", "PreviewList", "Res"};
        m_window->Channels().Res->setFocus();
        QStringList visited = {QApplication::focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void accessKeys()
    {
        const ChannelControls& c = m_window->Channels();
        const std::pair<Qt::Key, QPushButton*> keys[] = {{Qt::Key_V, c.CmdGo},
                                                         {Qt::Key_G, m_window->Save2List()},
                                                         {Qt::Key_C, m_window->LoadFromList()},
                                                         {Qt::Key_B, m_window->DeleteFromList()},
                                                         {Qt::Key_A, m_window->AboutMe()}};
        for (const auto& [key, button] : keys) {
            QSignalSpy pressed(button, &QPushButton::clicked);
            c.Res->setFocus();
            QTest::keyClick(m_window.get(), key, Qt::AltModifier);
            // Pressed at once, so a click that follows cannot overtake it;
            // "Acerca de ..." has no access key.
            QCOMPARE(pressed.count(), key == Qt::Key_A ? 0 : 1);
            QCOMPARE(QApplication::focusWidget(),
                     key == Qt::Key_A ? static_cast<QWidget*>(c.Res) : button);
        }
    }

    void enterAndEscPressNoButton()
    {
        const ChannelControls& c = m_window->Channels();
        TypeInto(c.Res, QStringLiteral("#000000"));
        QTest::keyClick(c.Res, Qt::Key_Return);
        QTest::keyClick(c.Res, Qt::Key_Escape);
        QTest::qWait(200);
        QCOMPARE(c.CScroll[0]->value(), 255);
        QVERIFY(m_window->isVisible());

        // Enter on the focused "Ver" button presses it.
        c.CmdGo->setFocus();
        QTest::keyClick(c.CmdGo, Qt::Key_Return);
        QTRY_COMPARE(c.CScroll[0]->value(), 0);
    }

    void textLimits()
    {
        const ChannelControls& c = m_window->Channels();
        // The value boxes take three characters (see test_channel_editing).
        for (TextBox* box : c.SValue) {
            QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        }
        TypeInto(c.Res, QStringLiteral("#12345678"));
        QCOMPARE(c.Res->text(), QStringLiteral("#123456"));
    }

private:
    std::unique_ptr<MainColor> m_window;
};

QTEST_MAIN(TestMainLayout)
#include "test_main_layout.moc"
