// SPDX-License-Identifier: MIT
// A bare Qt Widgets program shaped like Tintaro's main window: the same fixed
// size and the same kinds and numbers of controls at about the same places,
// with no fonts, icons, styles, handlers or files of its own. It reads
// nothing. The start-up measurement compares Tintaro against it.
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

namespace {

QFrame* ColourFrame(QWidget* parent, const QRect& rect)
{
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::Box);
    frame->setAutoFillBackground(true);
    frame->setGeometry(rect);
    return frame;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("tintaro_floor"));
    window.setFixedSize(323, 337);

    auto* sample = new QGroupBox(QStringLiteral("Muestra:"), &window);
    sample->setGeometry(8, 8, 137, 137);
    ColourFrame(sample, QRect(24, 16, 89, 65));
    (new QLabel(QStringLiteral("Color HTML"), sample))->move(8, 88);
    (new QLineEdit(QStringLiteral("#FFFFFF"), sample))->setGeometry(8, 107, 65, 19);
    (new QPushButton(QStringLiteral("&Ver"), sample))->setGeometry(80, 104, 49, 25);

    auto* memory = new QGroupBox(QStringLiteral("Memoria interna:"), &window);
    memory->setGeometry(152, 8, 161, 137);
    (new QListView(memory))->setGeometry(8, 16, 73, 108);
    ColourFrame(memory, QRect(88, 16, 65, 25));
    (new QPushButton(QStringLiteral("&Guardar"), memory))->setGeometry(88, 48, 65, 25);
    (new QPushButton(QStringLiteral("&Cargar"), memory))->setGeometry(88, 72, 65, 25);
    (new QPushButton(QStringLiteral("&Borrar"), memory))->setGeometry(88, 104, 65, 25);

    auto* channels = new QGroupBox(QStringLiteral("Colores"), &window);
    channels->setGeometry(8, 152, 305, 137);
    const QString names[3] = {QStringLiteral("Rojo"), QStringLiteral("Verde"),
                              QStringLiteral("Azul")};
    for (int i = 0; i < 3; ++i) {
        (new QLabel(names[i], channels))->move(8, 16 + 40 * i);
        auto* slider = new QScrollBar(Qt::Horizontal, channels);
        slider->setGeometry(8, 32 + 40 * i, 217, 17);
        slider->setRange(0, 255);
        slider->setValue(255);
        (new QLineEdit(QStringLiteral("255"), channels))->setGeometry(232, 32 + 40 * i, 65, 19);
    }

    (new QPushButton(QStringLiteral("Acerca de ..."), &window))->setGeometry(192, 304, 121, 25);

    window.show();
    return QApplication::exec();
}
