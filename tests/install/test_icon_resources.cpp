// The program icon as it is compiled into the program: the window icon sizes
// and the About header picture with its copy for double-density screens.

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QTest>
#include <cstdlib>

namespace {

QString IconPath(int size)
{
    return QStringLiteral(":/icons/tintaro-%1.png").arg(size);
}

// Mean difference per channel (0 to 255) between two pictures of one size.
double MeanDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    double total = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                     std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    }
    return total / (4.0 * x.width() * x.height());
}

} // namespace

class IconResources : public QObject
{
    Q_OBJECT

private slots:
    void EachSizeIsAFullColourPicture_data();
    void EachSizeIsAFullColourPicture();
    void HeaderPictureHasADoubleSizeCopy();
    void WindowIconOffersEverySize();
};

void IconResources::EachSizeIsAFullColourPicture_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 24, 32, 48}) {
        QTest::addRow("%dx%d", size, size) << size;
    }
}

void IconResources::EachSizeIsAFullColourPicture()
{
    QFETCH(int, size);
    const QImage image(IconPath(size));
    QVERIFY2(!image.isNull(), qPrintable(IconPath(size)));
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());

    // A rounded tile: see-through corners, an opaque middle, and many colours
    // (not a palette picture, not a blank).
    QVERIFY(qAlpha(image.pixel(0, 0)) < 255);
    QVERIFY(qAlpha(image.pixel(size - 1, size - 1)) < 255);
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    QSet<QRgb> colours;
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col) {
            colours.insert(image.pixel(col, row));
        }
    }
    QVERIFY2(colours.size() >= 16, qPrintable(QString::number(colours.size())));
}

void IconResources::HeaderPictureHasADoubleSizeCopy()
{
    // The @2x name makes the reader mark the picture as twice as dense, so it
    // lays out as 48 x 48 and shows every one of its pixels at ratio 2.
    QImageReader reader(QStringLiteral(":/icons/tintaro-48@2x.png"));
    const QImage sharp = reader.read();
    QVERIFY2(!sharp.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(sharp.size(), QSize(96, 96));
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
    QCOMPARE(sharp.deviceIndependentSize(), QSizeF(48, 48));

    // And it is the same picture as the 48 x 48 one.
    const QImage plain(IconPath(48));
    const QImage reduced = sharp.scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double difference = MeanDifference(plain, reduced);
    QVERIFY2(difference < 8.0, qPrintable(QString::number(difference)));
    // The measure itself tells pictures apart: the plain one against its
    // mirror image differs far more.
    QVERIFY(MeanDifference(plain, plain.mirrored(false, true)) > 3 * difference);
}

void IconResources::WindowIconOffersEverySize()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        icon.addFile(IconPath(size), QSize(size, size));
    }
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 24, 32, 48}) {
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
        // Each size is shown as drawn, not scaled down from a larger one
        // (only the rounding of see-through pixels may differ).
        const QImage shown = icon.pixmap(QSize(size, size), 1.0).toImage();
        QCOMPARE(shown.size(), QSize(size, size));
        const double difference = MeanDifference(shown, QImage(IconPath(size)));
        QVERIFY2(difference < 0.5, qPrintable(QString::number(difference)));
    }
}

QTEST_MAIN(IconResources)
#include "test_icon_resources.moc"
