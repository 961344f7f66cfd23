// SPDX-License-Identifier: MIT
#include "AboutMeFrm.h"
#include "ColourBox.h"
#include "MainColor.h"
#include "MemoryListModel.h"
#include "TextBox.h"
#include "Translations.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

namespace {

// What every layout holds, whatever the places: the window of fixed size,
// each control inside its container and apart from its siblings (sharing at
// most an edge; rule lines and the About window's header band lie under
// others by design), each label at least as wide as its text and, unless
// given a width, no wider. Adds the names of the controls to names.
void VerifyLayout(QWidget* container, QStringList& names, QSize size = {})
{
    if (size.isValid()) {
        QCOMPARE(container->size(), size);
        QCOMPARE(container->minimumSize(), container->maximumSize());
        QVERIFY(container->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(container->windowFlags() &
                  (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint)));
    }
    for (QWidget* w : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->objectName().isEmpty())
            names << w->objectName();
        if (!w->isVisible() || w->inherits("RuleLine") || w->objectName() == "HeaderShp")
            continue;
        QVERIFY2(container->rect().contains(w->geometry()), qPrintable(names.last()));
        for (QWidget* other : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect both = other->geometry() & w->geometry();
            QVERIFY2(other == w || other->inherits("RuleLine") ||
                         other->objectName() == "HeaderShp" ||
                         qMin(both.width(), both.height()) <= 1,
                     qPrintable(names.last() + " overlaps " + other->objectName()));
        }
        if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull()) {
            const int advance = label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(label->width() >= advance &&
                         (label->minimumWidth() > 0 || label->width() <= advance + 2),
                     qPrintable(names.last()));
        }
        if (w->inherits("QGroupBox"))
            VerifyLayout(w, names);
    }
}

// The colour of a logical pixel, or 0 when its device pixels differ.
QRgb Pixel(const QImage& image, QPoint p)
{
    const int dpr = qRound(image.devicePixelRatio());
    for (int d = 1; d < dpr; ++d)
        if (image.pixel(p * dpr + QPoint(d, d)) != image.pixel(p * dpr))
            return 0;
    return image.pixel(p * dpr);
}

} // namespace

// Both windows' layouts, names, keyboard and look; the About window's
// behaviour. CTest runs this at scale 1 and at QT_SCALE_FACTOR=2.
class TestWindows : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_main = std::make_unique<MainColor>();
        m_main->CentreOnScreen();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
    }

    // Object names are part of the design, misspellings included.
    void mainWindow()
    {
        QCOMPARE(m_main->windowTitle(), "Tintaro");
        QStringList names;
        VerifyLayout(m_main.get(), names, {323, 337});
        names.sort();
        QCOMPARE(names.join(' '), "AboutMe CScroll0 CScroll1 CScroll2 CmdGo ColorFrme ColorLbl0 "
                                  "ColorLbl1 ColorLbl2 DeleteFromList InfoLbl Line0 Line1 Line2 "
                                  "LoadFromList MemFrme MemList Preview PreviewList PrreviewFrme "
                                  "Res SValue0 SValue1 SValue2 Save2List");
        QVERIFY((m_main->frameGeometry().center() - m_main->screen()->availableGeometry().center())
                    .manhattanLength() <= 4);
        for (TextBox* box : m_main->Channels().SValue)
            QCOMPARE(box->alignment(), Qt::AlignCenter);
        // The etched separator (shadow on row 295, white over it on row 296)
        // and the sunken frame around the white sample, at any scale.
        const QImage image = m_main->grab().toImage();
        const QRgb shadow = m_main->palette().color(QPalette::Dark).rgb(),
                   white = qRgb(255, 255, 255);
        for (int x : {8, 160, 311})
            QVERIFY(Pixel(image, {x, 295}) == shadow && Pixel(image, {x, 296}) == white);
        QVERIFY(Pixel(image, {7, 296}) != white && Pixel(image, {312, 296}) != white);
        const QRect sample(m_main->Channels().Preview->mapTo(m_main.get(), QPoint()),
                           m_main->Channels().Preview->size());
        QVERIFY(Pixel(image, sample.topLeft()) != white && Pixel(image, sample.center()) == white);
    }

    // Tab visits every control in order, each with a spoken name of its own.
    void keyboard()
    {
        const QStringList order = {
            "Res",       "CScroll0",     "CScroll1",       "CScroll2",    "SValue0",
            "SValue1",   "SValue2",      "CmdGo",          "AboutMe",     "MemList",
            "Save2List", "LoadFromList", "DeleteFromList", "PreviewList", "Res"};
        m_main->Channels().Res->setFocus();
        QStringList visited, names;
        for (int i = 0; i < order.size(); ++i) {
            visited << QApplication::focusWidget()->objectName();
            names << QAccessible::queryAccessibleInterface(QApplication::focusWidget())
                         ->text(QAccessible::Name);
            QVERIFY(!names.last().contains('&') && names.indexOf(names.last()) == i % 14);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, order);
        QCOMPARE(names.mid(1, 3), (QStringList{"Rojo", "Verde", "Azul"}));
        // Enter presses the button that has the focus, and no other.
        const ChannelControls& c = m_main->Channels();
        c.Res->setText("#000000");
        QTest::keyClick(c.Res, Qt::Key_Return);
        QCOMPARE(c.CScroll[0]->value(), 255);
        c.CmdGo->setFocus();
        QTest::keyClick(c.CmdGo, Qt::Key_Return);
        QTRY_COMPARE(c.CScroll[0]->value(), 0);
    }

    void aboutWindow()
    {
        QTimer::singleShot(50, this, [this] {
            QPointer about = qobject_cast<AboutMeFrm*>(QApplication::activeModalWidget());
            QVERIFY(about && QTest::qWaitForWindowActive(about));
            QCOMPARE(about->windowTitle(), "Acerca de...");
            QStringList names;
            VerifyLayout(about, names, {294, 214});
            names.sort();
            QCOMPARE(names.join(' '),
                     "BInfoLbl0 BInfoLbl1 DataLbl HeaderIcon HeaderLbl HeaderShp Line NnfoLbl0 "
                     "NnfoLbl1 OkBtn "
                     "SLine0 SLine1");
            QCOMPARE(about->HeaderLbl()->text(), "Tintaro v1.0 Revisión: 1");
            QCOMPARE(about->windowHandle()->transientParent(), m_main->windowHandle());
            QVERIFY((about->geometry().center() - m_main->geometry().center()).manhattanLength() <=
                    2);
            QCOMPARE(about->windowIcon().availableSizes(),
                     (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}}));
            // A picture of the screen's density, 48 x 48 logical pixels.
            QCOMPARE(about->HeaderIcon()->pixmap().devicePixelRatio(), about->devicePixelRatioF());
            QCOMPARE(about->HeaderIcon()->pixmap().deviceIndependentSize(), QSizeF(48, 48));
            // Modal: the main window takes no keys; Esc does nothing, Enter closes.
            QTest::keyClick(m_main->windowHandle(), Qt::Key_G, Qt::AltModifier);
            QTest::keyClick(about->OkBtn(), Qt::Key_Escape);
            QVERIFY(!QTest::qWaitFor([&] { return !about->isVisible(); }, 200));
            QTest::keyClick(about->OkBtn(), Qt::Key_Return);
            QTRY_VERIFY(!about || !about->isVisible());
        });
        QTimer::singleShot(3000, this, [] { // a failed check leaves the window open
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        AboutMeFrm::ShowModal(m_main.get());
        QVERIFY(m_main->MemListModel()->Items().isEmpty() &&
                m_main->findChildren<AboutMeFrm*>().isEmpty());
        QCOMPARE(HeaderText(1, 10, 12), "Tintaro v1.10 Revisión: 12");
        // Near a screen's edges the window stays whole on the screen.
        const QRect screen = m_main->screen()->availableGeometry();
        for (const QPoint& corner : {screen.topLeft() - QPoint(200, 200), screen.bottomRight()}) {
            m_main->move(corner);
            AboutMeFrm about(m_main.get());
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about) && screen.contains(about.geometry()));
        }
    }

    void spanishTexts()
    {
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_es.qm"))
            QSKIP("Qt's Spanish translation (qtbase_es.qm) is not installed");
        InstallSpanishTranslations(*qApp);
        QMessageBox box(QMessageBox::NoIcon, "Tintaro", "Texto", QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Ok)->text().remove('&'), "Aceptar");
    }

private:
    std::unique_ptr<MainColor> m_main;
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
