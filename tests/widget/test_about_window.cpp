// SPDX-License-Identifier: MIT
#include "AboutMeFrm.h"
#include "MainColor.h"
#include "Twips.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>

namespace {

// A logical pixel of a grabbed image, which has devicePixelRatio pixels for
// each logical one.
QRgb LogicalPixel(const QImage& image, int x, int y)
{
    const qreal dpr = image.devicePixelRatio();
    return image.pixel(qRound(x * dpr), qRound(y * dpr));
}

// A click as the platform delivers it, through the control's window, so that
// a modal window can block it.
void ClickThroughWindow(QWidget* control)
{
    QWidget* window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      control->mapTo(window, control->rect().center()));
}

} // namespace

// The About window over the real main window: its layout and look, the
// header text, the keys that close it and its modality. CTest runs this file
// at scale 1 and again at QT_SCALE_FACTOR=2, where every check still holds in
// logical pixels.
class TestAboutWindow : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_main = std::make_unique<MainColor>();
        m_main->CentreOnScreen();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        m_about = std::make_unique<AboutMeFrm>(m_main.get());
        m_about->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_about.get()));
    }

    void cleanup()
    {
        m_about.reset();
        m_main.reset();
    }

    void window()
    {
        m_about.reset();
        QVERIFY(showModal([&](AboutMeFrm* about) {
            QCOMPARE(about->windowTitle(), QStringLiteral("Acerca de..."));
            QCOMPARE(about->size(), QSize(294, 214));
            QCOMPARE(about->minimumSize(), about->maximumSize());
            QVERIFY(!(about->windowFlags() &
                      (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                       Qt::WindowContextHelpButtonHint)));
            QVERIFY(about->windowFlags() & Qt::WindowCloseButtonHint);
            // The program icon, in every size that the windows offer.
            QCOMPARE(about->windowIcon().availableSizes(),
                     (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}}));
            // A window owned by the main window: no taskbar entry, centred over it.
            QCOMPARE(about->windowHandle()->transientParent(), m_main->windowHandle());
            const QPoint offCentre = about->geometry().center() - m_main->geometry().center();
            QVERIFY(offCentre.manhattanLength() <= 2);
            about->OkBtn()->click();
        }));
    }

    void controlRectangles()
    {
        const struct
        {
            const char* name;
            QRect rect;
        } controls[] = {
            {"OkBtn", TwipsRect(2640, 2760, 1695, 375)},
            {"DataLbl", TwipsRect(960, 600, 3375, 255)},
            {"HeaderIcon", TwipsRect(120, 120, 720, 720)},
            {"HeaderShp", QRect(-8, 0, 305, 65)},
            // Lines: a 2-pixel line covers the rows y - 1 and y.
            {"SLine0", QRect(8, 176, 280, 1)},
            {"Line", QRect(64, 32, 224, 2)},
            {"SLine1", QRect(8, 175, 280, 2)},
            // Labels: placed by their top-left corner, sized to their texts.
            {"HeaderLbl", TwipsRect(960, 240, 0, 0)},
            {"BInfoLbl0", TwipsRect(120, 1080, 0, 0)},
            {"NnfoLbl0", TwipsRect(240, 1320, 0, 0)},
            {"BInfoLbl1", TwipsRect(120, 1800, 0, 0)},
            {"NnfoLbl1", TwipsRect(240, 2040, 0, 0)},
        };
        for (const auto& c : controls) {
            auto* control = m_about->findChild<QWidget*>(QLatin1String(c.name));
            QVERIFY2(control != nullptr, c.name);
            QVERIFY2(control->isVisible(), c.name);
            auto* label = qobject_cast<QLabel*>(control);
            if (c.rect.isEmpty() && label != nullptr) {
                QCOMPARE(label->pos(), c.rect.topLeft());
                const int advance = QFontMetrics(label->font()).horizontalAdvance(label->text());
                QVERIFY(!label->text().isEmpty());
                QCOMPARE(label->size(), label->sizeHint());
                QVERIFY2(label->width() >= advance && label->width() <= advance + 2, c.name);
            } else {
                QCOMPARE(control->geometry(), c.rect);
            }
        }
        // The dedication keeps its closing blank.
        QLabel* data = m_about->DataLbl();
        QCOMPARE(data->text(), QStringLiteral("Dedicado a las personas que quiero... "));
        QCOMPARE(data->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    }

    void drawingOrderAndLook()
    {
        // Where controls overlap, the one listed earlier lies on top: later
        // siblings are drawn over earlier ones.
        const QStringList topFirst = {"OkBtn",     "SLine0",     "NnfoLbl1",  "NnfoLbl0",
                                      "BInfoLbl1", "BInfoLbl0",  "DataLbl",   "Line",
                                      "HeaderLbl", "HeaderIcon", "HeaderShp", "SLine1"};
        const QObjectList& siblings = m_about->children();
        qsizetype above = siblings.size();
        for (const QString& name : topFirst) {
            const qsizetype place = siblings.indexOf(m_about->findChild<QWidget*>(name));
            QVERIFY2(place >= 0 && place < above, qPrintable(name + " is drawn too late"));
            above = place;
        }

        const QImage image = m_about->grab().toImage();
        const QRgb base = m_about->palette().color(QPalette::Base).rgb();
        const QRgb face = m_about->palette().color(QPalette::Button).rgb();
        const QRgb shadow = m_about->palette().color(QPalette::Dark).rgb();
        QVERIFY(base != face);
        // The header band covers the top 65 rows from edge to edge.
        for (int x : {0, 293}) {
            QCOMPARE(LogicalPixel(image, x, 64), base);
            QCOMPARE(LogicalPixel(image, x, 65), face);
        }
        // The short rule under the header text.
        QCOMPARE(LogicalPixel(image, 287, 33), shadow);
        QCOMPARE(LogicalPixel(image, 288, 32), base);
        // The etched separator: shadow on row 175, white over it on row 176.
        for (int x : {8, 287}) {
            QCOMPARE(LogicalPixel(image, x, 174), face);
            QCOMPARE(LogicalPixel(image, x, 175), shadow);
            QCOMPARE(LogicalPixel(image, x, 176), qRgb(255, 255, 255));
            QCOMPARE(LogicalPixel(image, x, 177), face);
        }
        // The labels on the band let it show through.
        for (const QWidget* label : {m_about->HeaderLbl(), m_about->DataLbl()}) {
            const QPoint corner = label->geometry().bottomRight();
            QCOMPARE(LogicalPixel(image, corner.x(), corner.y()), base);
        }
        QCOMPARE(LogicalPixel(image, 7, 176), face);
        QCOMPARE(LogicalPixel(image, 288, 176), face);
    }

    void headerPictureIsSharp()
    {
        // The picture has one image pixel for each device pixel: 48 x 48 logical
        // pixels at any scale, drawn from an image of that density.
        const qreal dpr = m_about->devicePixelRatioF();
        const QPixmap picture = m_about->HeaderIcon()->pixmap();
        QCOMPARE(picture.devicePixelRatio(), dpr);
        QCOMPARE(picture.size(), QSize(qRound(48 * dpr), qRound(48 * dpr)));
        // And at any density it is the same picture as the 48 x 48 one.
        const QImage plain =
            QImage(":/icons/tintaro-48.png").convertToFormat(QImage::Format_ARGB32);
        const QImage shown = picture.toImage()
                                 .scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                 .convertToFormat(QImage::Format_ARGB32);
        double difference = 0; // mean per channel, 0 to 255
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 48; ++x) {
                const QRgb p = plain.pixel(x, y), q = shown.pixel(x, y);
                difference += qAbs(qGray(p) - qGray(q)) + qAbs(qAlpha(p) - qAlpha(q));
            }
        }
        difference /= 2 * 48 * 48;
        // The @2x picture reduced differs by about 1.3; the 48 x 48 one mirrored
        // left to right, by 5.
        QVERIFY2(difference < 3.0, qPrintable(QString::number(difference)));
    }

    void closing_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
        QTest::newRow("Alt+A") << int(Qt::Key_A) << int(Qt::AltModifier) << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << int(Qt::NoModifier) << false;
    }

    void closing()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        m_about.reset();
        bool closed = false;
        QVERIFY(showModal([&](AboutMeFrm* about) {
            QCOMPARE(QApplication::focusWidget(), about->OkBtn());
            QPointer<AboutMeFrm> guard(about);
            // Keys go to the focused button, the way the keyboard sends them.
            QTest::keyClick(about->OkBtn(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            closed = QTest::qWaitFor([&] { return guard == nullptr || !guard->isVisible(); }, 500);
            if (guard != nullptr) {
                guard->OkBtn()->click();
            }
        }));
        QCOMPARE(closed, closes);
    }

    void modalAndRebuiltOnEachOpening()
    {
        m_about.reset();
        QSignalSpy save(m_main->Save2List(), &QPushButton::clicked);
        QSignalSpy about(m_main->AboutMe(), &QPushButton::clicked);
        QStringList texts;
        for (int i = 0; i < 2; ++i) {
            QVERIFY(showModal([&](AboutMeFrm* dialog) {
                texts << dialog->HeaderLbl()->text();
                QVERIFY(dialog->isModal());
                ClickThroughWindow(m_main->Save2List());
                ClickThroughWindow(m_main->AboutMe());
                QTest::keyClick(m_main->windowHandle(), Qt::Key_G, Qt::AltModifier);
                QTest::qWait(100);
                dialog->OkBtn()->click();
            }));
        }
        QCOMPARE(save.count(), 0);
        QCOMPARE(about.count(), 0);
        // The header is built afresh at each opening, from the version numbers.
        QCOMPARE(texts, QStringList(2, QStringLiteral("Tintaro v1.0 Revisión: 1")));
        QCOMPARE(HeaderText(1, 10, 12), QStringLiteral("Tintaro v1.10 Revisión: 12"));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        // Closed, the main window takes clicks again.
        ClickThroughWindow(m_main->Save2List());
        QTRY_COMPARE(save.count(), 1);
    }

private:
    // Runs AboutMeFrm::ShowModal over the main window; once the About window
    // is up, `whileOpen` runs with it. Returns whether ShowModal returned and
    // left no About window behind. A window still open after `whileOpen` is
    // closed after a grace period, so a failing check cannot hang the test.
    bool showModal(const std::function<void(AboutMeFrm*)>& whileOpen)
    {
        bool ran = false;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, [&] {
            auto* about = qobject_cast<AboutMeFrm*>(QApplication::activeModalWidget());
            if (about == nullptr || !about->isVisible()) {
                return;
            }
            poll.stop();
            QPointer<AboutMeFrm> guard(about);
            ran = QTest::qWaitForWindowActive(about);
            whileOpen(about);
            QTimer::singleShot(2000, [guard] {
                if (guard != nullptr) {
                    guard->close();
                }
            });
        });
        poll.start();
        AboutMeFrm::ShowModal(m_main.get());
        poll.stop();
        return ran && m_main->findChildren<AboutMeFrm*>().isEmpty();
    }

    std::unique_ptr<MainColor> m_main;
    std::unique_ptr<AboutMeFrm> m_about;
};

QTEST_MAIN(TestAboutWindow)
#include "test_about_window.moc"
