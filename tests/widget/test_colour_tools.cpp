// SPDX-License-Identifier: MIT
#include "MainColor.h"
#include "WindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <memory>

// The main window's colour tools: copies for style sheets, colours dropped
// onto the window, the contrast of the two samples.
class TestColourTools : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_window = std::make_unique<MainColor>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        c = &m_window->Channels();
    }

    void cleanup() { m_window.reset(); }

    void copies_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("copies"); // #RRGGBB, rgb(), hsl()
        QTest::newRow("orange, pairs swapped")
            << "#0080FF" << QStringList{"#FF8000", "rgb(255, 128, 0)", "hsl(30, 100%, 50%)"};
        QTest::newRow("hue just below 360")
            << "#8000FF" << QStringList{"#FF0080", "rgb(255, 0, 128)", "hsl(330, 100%, 50%)"};
        QTest::newRow("grey has no hue")
            << "#808080" << QStringList{"#808080", "rgb(128, 128, 128)", "hsl(0, 0%, 50%)"};
        QTest::newRow("dark, rounded")
            << "#0A141E" << QStringList{"#1E140A", "rgb(30, 20, 10)", "hsl(30, 50%, 8%)"};
    }

    // Through the code box's own menu, the copies added at its end;
    // Ctrl+Shift+C copies the first form.
    void copies()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, copies);
        TypeInto(c->Res, code);
        QTest::mouseClick(c->CmdGo, Qt::LeftButton);
        emit c->Res->customContextMenuRequested({});
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu && menu->objectName() == "qt_edit_menu");
        for (int i = 0; i < 3; ++i) {
            menu->actions().at(menu->actions().size() - 3 + i)->trigger();
            QCOMPARE(QGuiApplication::clipboard()->text(), copies[i]);
        }
        menu->close();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(m_window.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), copies[0]);
    }

    // A dragged colour dropped on the window or a box is applied like a
    // picked one; the list sample's tooltip follows both samples.
    void dropAndContrast()
    {
        QWidget* targets[] = {m_window.get(), c->Res};
        const QColor colours[] = {QColor(255, 128, 0), QColor(119, 119, 119)};
        for (int i = 0; i < 2; ++i) {
            std::unique_ptr<QMimeData> data(ColourMimeData(colours[i]));
            QDragEnterEvent enter({5, 5}, Qt::CopyAction, data.get(), Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(targets[i], &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop({5, 5}, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(targets[i], &drop);
            QVERIFY(drop.isAccepted());
        }
        VerifyEditor(*c, {119, 119, 119}, "#777777");
        m_window->PreviewList()->SetBackColour(Qt::white);
        QCOMPARE(m_window->PreviewList()->toolTip(),
                 QString::fromUtf8("Contraste 4.4:1 — AA solo para texto grande"));
        TypeInto(c->Res, "#000000");
        QTest::mouseClick(c->CmdGo, Qt::LeftButton);
        QCOMPARE(m_window->PreviewList()->toolTip(), QString::fromUtf8("Contraste 21.0:1 — AAA"));
    }

private:
    std::unique_ptr<MainColor> m_window;
    const ChannelControls* c = nullptr;
};

QTEST_MAIN(TestColourTools)
#include "test_colour_tools.moc"
