// SPDX-License-Identifier: MIT
// The floor of the start-up comparison: a bare Qt Widgets window shaped like
// Tintaro's main window (the same fixed size, the same kinds and numbers of
// controls at about the same places) with no fonts, icons, handlers or files.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("tintaro_floor"));
    window.setFixedSize(323, 337);
    const auto add = [](QWidget* widget, int x, int y, int width, int height) {
        widget->setGeometry(x, y, width, height);
    };
    auto* sample = new QGroupBox(QStringLiteral("Muestra:"), &window);
    add(sample, 8, 8, 137, 137);
    auto* colour = new QFrame(sample);
    colour->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    colour->setAutoFillBackground(true);
    add(colour, 24, 16, 89, 65);
    add(new QLabel(QStringLiteral("Color HTML"), sample), 8, 88, 60, 13);
    add(new QLineEdit(QStringLiteral("#FFFFFF"), sample), 8, 107, 65, 19);
    add(new QPushButton(QStringLiteral("&Ver"), sample), 80, 104, 49, 25);
    auto* memory = new QGroupBox(QStringLiteral("Memoria interna:"), &window);
    add(memory, 152, 8, 161, 137);
    add(new QListView(memory), 8, 16, 73, 108);
    add(new QFrame(memory), 88, 16, 65, 25);
    add(new QPushButton(QStringLiteral("&Guardar"), memory), 88, 48, 65, 25);
    add(new QPushButton(QStringLiteral("&Cargar"), memory), 88, 72, 65, 25);
    add(new QPushButton(QStringLiteral("&Borrar"), memory), 88, 104, 65, 25);
    auto* channels = new QGroupBox(QStringLiteral("Colores"), &window);
    add(channels, 8, 152, 305, 137);
    for (int i = 0; i < 3; ++i) {
        add(new QLabel(QStringList{"Rojo", "Verde", "Azul"}[i], channels), 8, 16 + 40 * i, 40, 13);
        auto* slider = new QScrollBar(Qt::Horizontal, channels);
        slider->setRange(0, 255);
        slider->setValue(255);
        add(slider, 8, 32 + 40 * i, 217, 17);
        add(new QLineEdit(QStringLiteral("255"), channels), 232, 32 + 40 * i, 65, 19);
    }
    add(new QPushButton(QStringLiteral("Acerca de ..."), &window), 192, 304, 121, 25);
    window.show();
    return QApplication::exec();
}
