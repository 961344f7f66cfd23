#include "AboutMeFrm.h"
#include "MainColor.h"
#include "Twips.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>

// The About window over the real main window: its layout and look, the
// header text, the keys that close it and its modality. CTest runs this file
// at scale 1 and again at QT_SCALE_FACTOR=2, where every check still holds in
// logical pixels.
class TestAboutWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void window();
    void controlRectangles_data();
    void controlRectangles();
    void labels();
    void drawingOrderAndLook();
    void dedicationEndsWithABlank();
    void headerPictureIsSharp();
    void headerText();
    void closing_data();
    void closing();
    void modalOverTheMainWindow();
    void reopeningRebuildsTheSameWindow();

private:
    // Runs AboutMeFrm::ShowModal over the main window; once the About window
    // is up, `whileOpen` runs with it. Returns whether ShowModal returned and
    // left no About window behind. A window still open after `whileOpen` is
    // closed after a grace period, so a failing check cannot hang the test.
    bool showModal(const std::function<void(AboutMeFrm*)>& whileOpen);

    std::unique_ptr<MainColor> m_main;
    std::unique_ptr<AboutMeFrm> m_about;
};

namespace {

// A logical pixel of a grabbed image, which has devicePixelRatio pixels for
// each logical one.
QRgb LogicalPixel(const QImage& image, int x, int y)
{
    const qreal dpr = image.devicePixelRatio();
    return image.pixel(qRound(x * dpr), qRound(y * dpr));
}

// The rightmost image column with a pixel of other colour than the top-left
// corner's, -1 when none.
int RightmostInk(const QImage& image)
{
    const QRgb background = image.pixel(0, 0);
    for (int x = image.width() - 1; x >= 0; --x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) != background) {
                return x;
            }
        }
    }
    return -1;
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

void TestAboutWindow::init()
{
    m_main = std::make_unique<MainColor>();
    m_main->CentreOnScreen();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    m_about = std::make_unique<AboutMeFrm>(m_main.get());
    m_about->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_about.get()));
}

void TestAboutWindow::cleanup()
{
    m_about.reset();
    m_main.reset();
}

bool TestAboutWindow::showModal(const std::function<void(AboutMeFrm*)>& whileOpen)
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

void TestAboutWindow::window()
{
    m_about.reset();
    QString title;
    QSize size, minimumSize, maximumSize;
    Qt::WindowFlags flags;
    QList<QSize> iconSizes;
    QWindow* transientParent = nullptr;
    QPoint offCentre;
    QVERIFY(showModal([&](AboutMeFrm* about) {
        title = about->windowTitle();
        size = about->size();
        minimumSize = about->minimumSize();
        maximumSize = about->maximumSize();
        flags = about->windowFlags();
        iconSizes = about->windowIcon().availableSizes();
        transientParent = about->windowHandle()->transientParent();
        offCentre = about->geometry().center() - m_main->geometry().center();
        about->OkBtn()->click();
    }));
    QCOMPARE(title, QStringLiteral("Acerca de..."));
    QCOMPARE(size, QSize(294, 214));
    QCOMPARE(minimumSize, size);
    QCOMPARE(maximumSize, size);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    for (int side : {16, 24, 32, 48}) {
        QVERIFY2(iconSizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
    }
    // A window owned by the main window: no taskbar entry, centred over it.
    QCOMPARE(transientParent, m_main->windowHandle());
    QVERIFY2(
        offCentre.manhattanLength() <= 2,
        qPrintable(QStringLiteral("off centre by %1, %2").arg(offCentre.x()).arg(offCentre.y())));
}

void TestAboutWindow::controlRectangles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    const auto row = [](const char* name, const QRect& rect) {
        QTest::newRow(name) << QString::fromLatin1(name) << rect;
    };
    row("OkBtn", TwipsRect(2640, 2760, 1695, 375));
    row("DataLbl", TwipsRect(960, 600, 3375, 255));
    row("HeaderIcon", TwipsRect(120, 120, 720, 720));
    row("HeaderShp", QRect(-8, 0, 305, 65));
    // Lines: a 2-pixel line covers the rows y - 1 and y.
    row("SLine0", QRect(8, 176, 280, 1));
    row("Line", QRect(64, 32, 224, 2));
    row("SLine1", QRect(8, 175, 280, 2));
}

void TestAboutWindow::controlRectangles()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    auto* control = m_about->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget(), m_about.get());
    QCOMPARE(control->geometry(), rect);
    QVERIFY(control->isVisible());
}

void TestAboutWindow::labels()
{
    const struct
    {
        const char* name;
        QPoint topLeft;
        bool bold;
        const char* family;
        qreal pointSize;
    } labels[] = {
        {"HeaderLbl", TwipsRect(960, 240, 0, 0).topLeft(), true, "Arial", 9},
        {"BInfoLbl0", TwipsRect(120, 1080, 0, 0).topLeft(), true, "Tahoma", 8.25},
        {"NnfoLbl0", TwipsRect(240, 1320, 0, 0).topLeft(), false, "Tahoma", 8.25},
        {"BInfoLbl1", TwipsRect(120, 1800, 0, 0).topLeft(), true, "Tahoma", 8.25},
        {"NnfoLbl1", TwipsRect(240, 2040, 0, 0).topLeft(), false, "Tahoma", 8.25},
    };
    for (const auto& l : labels) {
        auto* label = m_about->findChild<QLabel*>(QLatin1String(l.name));
        QVERIFY2(label != nullptr, l.name);
        QCOMPARE(label->pos(), l.topLeft);
        QCOMPARE(label->font().bold(), l.bold);
        QCOMPARE(label->font().family(), QLatin1String(l.family));
        QCOMPARE(label->font().pointSizeF(), l.pointSize);
        QVERIFY(!label->text().isEmpty());
        // Each label is as large as its text.
        const QFontMetrics metrics(label->font());
        QCOMPARE(label->size(), label->sizeHint());
        QVERIFY(label->width() >= metrics.horizontalAdvance(label->text()));
        QVERIFY(label->width() <= metrics.horizontalAdvance(label->text()) + 2);
        QVERIFY(!label->autoFillBackground());
    }
    QCOMPARE(m_about->findChild<QLabel*>("BInfoLbl0")->text(), QStringLiteral("Idea Original:"));
    QCOMPARE(m_about->findChild<QLabel*>("BInfoLbl1")->text(),
             QStringLiteral("Diseño y Compilación:"));
    QCOMPARE(m_about->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(m_about->font().pointSizeF(), 8.25);

    QLabel* data = m_about->DataLbl();
    QCOMPARE(data->text(), QStringLiteral("Dedicado a las personas que quiero... "));
    QCOMPARE(data->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(data->minimumSize(), data->maximumSize());
    QVERIFY(!data->font().bold());
    // The dedication and the button end on the same column.
    QCOMPARE(data->geometry().right(), m_about->OkBtn()->geometry().right());
}

void TestAboutWindow::drawingOrderAndLook()
{
    // Where controls overlap, the one listed earlier lies on top: later
    // siblings are drawn over earlier ones.
    const QStringList topFirst = {"OkBtn",     "SLine0",     "NnfoLbl1",  "NnfoLbl0",
                                  "BInfoLbl1", "BInfoLbl0",  "DataLbl",   "Line",
                                  "HeaderLbl", "HeaderIcon", "HeaderShp", "SLine1"};
    const QObjectList& siblings = m_about->children();
    qsizetype above = siblings.size();
    for (const QString& name : topFirst) {
        auto* control = m_about->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
        QVERIFY2(control != nullptr, qPrintable(name));
        const qsizetype place = siblings.indexOf(control);
        QVERIFY2(place < above, qPrintable(name + QStringLiteral(" is drawn too late")));
        above = place;
    }

    const QImage image = m_about->grab().toImage();
    const QRgb base = m_about->palette().color(QPalette::Base).rgb();
    const QRgb face = m_about->palette().color(QPalette::Button).rgb();
    const QRgb shadow = m_about->palette().color(QPalette::Dark).rgb();
    const QRgb white = qRgb(255, 255, 255);
    QVERIFY(base != face);

    // The header band covers the top 65 rows from edge to edge.
    for (int x : {0, 150, 293}) {
        QCOMPARE(LogicalPixel(image, x, 0), base);
        QCOMPARE(LogicalPixel(image, x, 64), base);
        QCOMPARE(LogicalPixel(image, x, 65), face);
    }
    // The short rule under the header text.
    for (int x : {64, 287}) {
        QCOMPARE(LogicalPixel(image, x, 32), shadow);
        QCOMPARE(LogicalPixel(image, x, 33), shadow);
    }
    QCOMPARE(LogicalPixel(image, 288, 32), base);
    // The etched separator: shadow on row 175, white over it on row 176.
    for (int x : {8, 287}) {
        QCOMPARE(LogicalPixel(image, x, 174), face);
        QCOMPARE(LogicalPixel(image, x, 175), shadow);
        QCOMPARE(LogicalPixel(image, x, 176), white);
        QCOMPARE(LogicalPixel(image, x, 177), face);
    }
    QCOMPARE(LogicalPixel(image, 7, 176), face);
    QCOMPARE(LogicalPixel(image, 288, 176), face);

    const QByteArray shot = qgetenv("TINTARO_ABOUT_SCREENSHOT");
    if (!shot.isEmpty()) {
        QVERIFY(image.save(QString::fromLocal8Bit(shot)));
    }
}

void TestAboutWindow::dedicationEndsWithABlank()
{
    // Right-aligned, the closing blank keeps the last dot one blank's width
    // away from the label's right edge.
    QLabel* data = m_about->DataLbl();
    QLabel bare(data->text().chopped(1));
    bare.setFont(data->font());
    bare.setAlignment(data->alignment());
    bare.setMargin(data->margin());
    bare.setIndent(data->indent());
    bare.setFixedSize(data->size());
    bare.setPalette(m_about->palette());
    bare.setAutoFillBackground(true);

    QImage withBlank = data->grab().toImage();
    const QImage without = bare.grab().toImage();
    const qreal dpr = withBlank.devicePixelRatio();
    const int blank = QFontMetrics(data->font()).horizontalAdvance(QLatin1Char(' '));
    QVERIFY(blank > 0);
    const int shift = RightmostInk(without) - RightmostInk(withBlank);
    QVERIFY(RightmostInk(without) >= 0);
    QVERIFY2(
        qAbs(shift - blank * dpr) <= dpr,
        qPrintable(QStringLiteral("shifted by %1 pixels, a blank is %2").arg(shift).arg(blank)));
    // And the text itself is not cut short on the left.
    QVERIFY(QFontMetrics(data->font()).horizontalAdvance(data->text()) <= data->width());
}

void TestAboutWindow::headerPictureIsSharp()
{
    // The picture has one image pixel for each device pixel: 48 x 48 logical
    // pixels at any scale, drawn from an image of that density.
    const qreal dpr = m_about->devicePixelRatioF();
    const QPixmap picture = m_about->HeaderIcon()->pixmap();
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.devicePixelRatio(), dpr);
    QCOMPARE(picture.deviceIndependentSize(), QSizeF(48, 48));
    QCOMPARE(picture.size(), QSize(qRound(48 * dpr), qRound(48 * dpr)));
    QCOMPARE(m_about->HeaderIcon()->size(), QSize(48, 48));
    QCOMPARE(m_about->size(), QSize(294, 214));

    const QImage image = m_about->grab().toImage();
    QCOMPARE(image.size(), QSize(qRound(294 * dpr), qRound(214 * dpr)));
}

void TestAboutWindow::headerText()
{
    QLabel* header = m_about->HeaderLbl();
    QCOMPARE(header->text(), QStringLiteral("Tintaro v1.0 Revisión: 1"));
    QCOMPARE(header->size(), header->sizeHint()); // widened to the whole text
    QCOMPARE(HeaderText(1, 10, 12), QStringLiteral("Tintaro v1.10 Revisión: 12"));
    QCOMPARE(HeaderText(10, 5, 0), QStringLiteral("Tintaro v10.5 Revisión: 0"));
}

void TestAboutWindow::closing_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << true;
    QTest::newRow("Alt+A") << int(Qt::Key_A) << int(Qt::AltModifier) << true;
    QTest::newRow("close box") << 0 << 0 << true;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << int(Qt::NoModifier) << false;
}

void TestAboutWindow::closing()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, closes);
    m_about.reset();
    QString focus;
    bool closed = false;
    QVERIFY(showModal([&](AboutMeFrm* about) {
        QWidget* focused = QApplication::focusWidget();
        focus = focused != nullptr ? focused->objectName() : QString();
        QPointer<AboutMeFrm> guard(about);
        if (key == 0) {
            about->close(); // what the title bar's close box does
        } else {
            // Keys go to the focused button, the way the keyboard sends them.
            QTest::keyClick(about->OkBtn(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        }
        // An access key presses the button the way a click does, for a moment.
        closed = QTest::qWaitFor([&] { return guard == nullptr || !guard->isVisible(); }, 500);
        if (guard != nullptr) {
            guard->OkBtn()->click();
        }
    }));
    QCOMPARE(focus, QStringLiteral("OkBtn"));
    QCOMPARE(closed, closes);
}

void TestAboutWindow::modalOverTheMainWindow()
{
    m_about.reset();
    QSignalSpy save(m_main->Save2List(), &QPushButton::clicked);
    QSignalSpy about(m_main->AboutMe(), &QPushButton::clicked);
    bool modal = false;
    QVERIFY(showModal([&](AboutMeFrm* dialog) {
        modal = dialog->isModal() && dialog->windowModality() != Qt::NonModal;
        ClickThroughWindow(m_main->Save2List());
        ClickThroughWindow(m_main->AboutMe());
        QTest::keyClick(m_main->windowHandle(), Qt::Key_G, Qt::AltModifier);
        QTest::qWait(100);
        dialog->OkBtn()->click();
    }));
    QVERIFY(modal);
    QCOMPARE(save.count(), 0);
    QCOMPARE(about.count(), 0);
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    // Closed, the main window takes clicks again.
    ClickThroughWindow(m_main->Save2List());
    QTRY_COMPARE(save.count(), 1);
}

void TestAboutWindow::reopeningRebuildsTheSameWindow()
{
    m_about.reset();
    QStringList texts;
    QList<QRect> headers;
    for (int i = 0; i < 2; ++i) {
        QVERIFY(showModal([&](AboutMeFrm* about) {
            texts << about->HeaderLbl()->text();
            headers << about->HeaderLbl()->geometry();
            QTest::keyClick(about, Qt::Key_Return);
        }));
    }
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[0], QStringLiteral("Tintaro v1.0 Revisión: 1"));
    QCOMPARE(texts[1], texts[0]);
    QCOMPARE(headers[1], headers[0]);
}

QTEST_MAIN(TestAboutWindow)
#include "test_about_window.moc"
