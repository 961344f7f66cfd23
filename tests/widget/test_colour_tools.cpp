// SPDX-License-Identifier: MIT
#include "MainColor.h"
#include "WindowDriver.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>

// The main window's colour tools: copies for style sheets, a colour dropped on
// the window, the contrast of the two samples.
class TestColourTools : public QObject
{
    Q_OBJECT
private slots:
    void tools()
    {
        MainColor window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const ChannelControls& c = window.Channels();
        // The code box's own menu, the copies added at its end; the code
        // keeps blue, green, red, the copies put red first.
        TypeInto(c.Res, "#0080FF");
        QTest::mouseClick(c.CmdGo, Qt::LeftButton);
        emit c.Res->customContextMenuRequested({});
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu && menu->objectName() == "qt_edit_menu");
        const QStringList copies = {"#FF8000", "rgb(255, 128, 0)", "hsl(30, 100%, 50%)"};
        for (int i = 0; i < 3; ++i) {
            menu->actions().at(menu->actions().size() - 3 + i)->trigger();
            QCOMPARE(QGuiApplication::clipboard()->text(), copies[i]);
        }
        menu->close();
        QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), copies[0]);

        // A dragged colour dropped on the window is applied like a picked one.
        const std::unique_ptr<QMimeData> data(ColourMimeData(QColor(119, 119, 119)));
        QDragEnterEvent enter({5, 5}, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QDropEvent drop({5, 5}, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(&window, &enter);
        QApplication::sendEvent(&window, &drop);
        VerifyEditor(c, {119, 119, 119}, "#777777");

        // The list sample's tooltip follows both samples.
        window.PreviewList()->SetBackColour(Qt::white);
        QCOMPARE(window.PreviewList()->toolTip(),
                 QString::fromUtf8("Contraste 4.4:1 — AA solo para texto grande"));
        TypeInto(c.Res, "#000000");
        QTest::mouseClick(c.CmdGo, Qt::LeftButton);
        QCOMPARE(window.PreviewList()->toolTip(), QString::fromUtf8("Contraste 21.0:1 — AAA"));
    }
};

QTEST_MAIN(TestColourTools)
#include "test_colour_tools.moc"
