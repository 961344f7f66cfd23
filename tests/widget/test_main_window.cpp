// SPDX-License-Identifier: MIT
#include "ColourBox.h"
#include "IO_System.h"
#include "MainColor.h"
#include "MemoryListModel.h"
#include "TextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace ColourAPI;

// The real main window driven as a user does, offscreen: the editing chain,
// the memory list's commands, the memory file at start and close. Every
// message box that opens is recorded and answered with OK.
class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_answer.callOnTimeout(this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_messages << box->windowTitle() + ": " + box->text().section('\n', 0, 0);
                box->button(QMessageBox::Ok)->click();
            }
        });
        m_answer.start(10);
    }

    void init()
    {
        m_window = std::make_unique<MainColor>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        c = &m_window->Channels();
        m_messages.clear();
        QCOMPARE(Editor(), "255=255 255=255 255=255 #FFFFFF #ffffff");
    }

    // Typed into a value box (a click selects its text), or into the code box
    // and applied with Alt+V.
    void typing()
    {
        // clang-format off
        const struct { int box; const char* typed; const char* editor; } cases[] = {
            {0, "12", "12=12 255=255 255=255 #FFFF0C #0cffff"}, {0, "300", "0=0 255=255 255=255 #FFFF00 #00ffff"},
            {1, "256", "255=255 0=0 255=255 #FF00FF #ff00ff"}, {2, "3.5", "255=255 255=255 4=4 #04FFFF #ffff04"},
            {2, "2.5", "255=255 255=255 2=2.5 #02FFFF #ffff02"}, {1, "1e2", "255=255 100=100 255=255 #FF64FF #ff64ff"},
            {0, "0\b", "0= 255=255 255=255 #FFFF00 #00ffff"}, {0, "-", "0=0 255=255 255=255 #FFFF00 #00ffff"},
            {2, "1234", "255=255 255=255 123=123 #7BFFFF #ffff7b"},
            {3, "#0080FF", "255=255 128=128 0=0 #0080FF #ff8000"}, {3, "#ff8000", "0=0 128=128 255=255 #FF8000 #0080ff"},
            {3, "#ffffff", "255=255 255=255 255=255 #ffffff #ffffff"}, {3, "#GG1G0A", "10=10 1=1 0=0 #00010A #0a0100"},
            {3, "#12345", "255=255 255=255 255=255 #12345 #ffffff"}, {3, "X0080FF", "255=255 255=255 255=255 X0080FF #ffffff"}};
        // clang-format on
        for (const auto& [box, typed, editor] : cases) {
            init();
            TypeInto(box < 3 ? c->SValue[box] : c->Res, typed);
            QTest::keyClick(m_window.get(), Qt::Key_V, Qt::AltModifier);
            QCOMPARE(typed + (": " + Editor()), typed + (": " + QString(editor)));
        }
    }

    // Whatever is pasted into any box, each value box reads as its slider,
    // the sliders stay in range and the code box shows their code.
    void pasting()
    {
        for (const char* pasted : {"-1", "12345678901", "\t7\n\x01\x7f\r", "1e999", "&HFFFF"}) {
            QApplication::clipboard()->setText(pasted);
            for (TextBox* box : {c->SValue[0], c->SValue[1], c->SValue[2], c->Res}) {
                QTest::mouseClick(box, Qt::LeftButton);
                QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
                QVERIFY(box->text().size() <= box->maxLength());
                QTest::mouseClick(c->CmdGo, Qt::LeftButton);
                qint16 v[3];
                for (int i = 0; i < 3; ++i) {
                    v[i] = qint16(c->CScroll[i]->value());
                    QCOMPARE(RoundToInteger(TextToNumber(c->SValue[i]->text())), v[i]);
                }
                QCOMPARE(c->Preview->BackColour(), QColor(v[0], v[1], v[2]));
                QVERIFY(box == c->Res || c->Res->text() == ComposeCode(v[0], v[1], v[2]));
            }
        }
    }

    // Arrows step by 1, a click in the trough by 5, the keyboard by 1.
    void sliders()
    {
        QScrollBar* red = c->CScroll[0];
        const auto click = [red](double at) {
            const int edge = red->height() / 2;
            QTest::mouseClick(red, Qt::LeftButton, {},
                              QPoint(edge + at * (red->width() - 2 * edge), edge));
        };
        click(0);
        QCOMPARE(Editor(), "254=254 255=255 255=255 #FFFFFE #feffff");
        click(0.3);
        QCOMPARE(Editor(), "249=249 255=255 255=255 #FFFFF9 #f9ffff");
        click(1);
        QScrollBar* blue = c->CScroll[2];
        blue->setFocus();
        QTest::keyClick(blue, Qt::Key_Left);
        QCOMPARE(Editor(), "250=250 255=255 254=254 #FEFFFA #fafffe");
        for (Qt::Key key : {Qt::Key_Home, Qt::Key_Left, Qt::Key_Right})
            QTest::keyClick(blue, key);
        QCOMPARE(Editor(), "250=250 255=255 1=1 #01FFFA #faff01");
    }

    // A click selects a box's whole text; a chain that rewrites a box with
    // what it holds leaves the user's caret and selection alone.
    void selection()
    {
        for (TextBox* box : {c->SValue[0], c->SValue[1], c->SValue[2], c->Res}) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(3, box->height() / 2));
            QCOMPARE(box->selectedText(), box->text());
        }
        c->Res->setSelection(2, 3);
        c->SValue[0]->setCursorPosition(1);
        m_window->Editor()->CScroll_Change(0);
        m_window->Editor()->SValue_Change(0);
        QCOMPARE(c->SValue[0]->cursorPosition(), 1);
        QCOMPARE(c->Res->selectedText(), QStringLiteral("FFF"));
    }

    // "Guardar" stores a code of the right shape once, exactly as shown, at
    // its sorted place; the selected entry stays selected.
    void storing()
    {
        QTest::mouseClick(m_window->Save2List(), Qt::LeftButton);
        for (const char* code : {"#FFFFFF", "#ff8000", "#FF8000", "#12345", "1234567", "#GGGGGG"})
            Store(code);
        QCOMPARE(m_messages, QStringList{"Infomación: Ya esta en la lista"});
        Select(1);
        Store("#900000");
        QCOMPARE(Entries(), "#900000 #ff8000 #FF8000 #FFFFFF #GGGGGG");
        QCOMPARE(m_window->Memory()->SelectedIndex(), 2);
    }

    // A selected entry shows in the list sample; Cargar and a double click
    // load it; Borrar removes it, after which both do nothing.
    void loadingAndDeleting()
    {
        const QColor face = m_window->palette().color(QPalette::Button);
        QCOMPARE(m_window->PreviewList()->BackColour(), face);
        m_window->MemListModel()->SetItems({"#0080FF", "hello", "#0000FF"});
        Select(0);
        QCOMPARE(m_window->PreviewList()->BackColour(), QColor(255, 128, 0));
        QTest::keyClick(m_window->MemList(), Qt::Key_Down);
        QCOMPARE(m_window->PreviewList()->BackColour(), QColor(0, 0, 0));
        QTest::keyClick(m_window.get(), Qt::Key_C, Qt::AltModifier);
        QCOMPARE(Editor(), "0=0 0=0 14=14 #0E0000 #00000e"); // "el" reads as far as the e
        Select(2);
        QTest::mouseDClick(m_window->MemList()->viewport(), Qt::LeftButton, {}, Row(2));
        QCOMPARE(Editor(), "255=255 0=0 0=0 #0000FF #ff0000");
        QTest::keyClick(m_window.get(), Qt::Key_B, Qt::AltModifier);
        QCOMPARE(m_window->Memory()->SelectedIndex(), -1);
        TypeInto(c->Res, "#123456");
        for (QPushButton* button : {m_window->DeleteFromList(), m_window->LoadFromList()})
            QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(Entries(), "#0080FF hello");
        QCOMPARE(Editor(), "255=255 0=0 0=0 #123456 #ff0000");
    }

    // The memory file beside the program: read at start in its own order,
    // written at close; a file that cannot be read or written is reported,
    // and one that could not be read is left alone. One copy per folder.
    void memoryFile()
    {
        const QString path = IO_System::MemoryFilePath();
        QDir(path).removeRecursively(), QFile::remove(path); // left by an earlier run
        QVERIFY(IO_System::WriteTextFile(path, "#FF0000\n* x\n#0000FF"));
        QVERIFY(m_window->Form_Load());
        QVERIFY(!MainColor().Form_Load());
        QTest::mouseClick(m_window->Save2List(), Qt::LeftButton);
        m_window->close();
        QCOMPARE(ReadBytes(path), "#FF0000\r\n#0000FF\r\n#FFFFFF\r\n");

        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner) &&
                QFile::rename(path, path + ".old"));
        QVERIFY(QDir().mkdir(path));
        m_window = std::make_unique<MainColor>();
        QVERIFY(m_window->Form_Load());
        m_window->close();
        QVERIFY(QDir().rmdir(path) && QFile::rename(path + ".old", path));
        m_window = std::make_unique<MainColor>();
        QVERIFY(m_window->Form_Load());
        m_window->close();
        QCOMPARE(m_messages,
                 (QStringList{"Tintaro: La Aplicación ya se esta ejecutando",
                              "Tintaro: No se pudo leer la lista de colores guardada en",
                              "Tintaro: La lista de colores no se ha guardado: el archivo",
                              "Tintaro: No se pudo guardar la lista de colores en"}));
        QCOMPARE(ReadBytes(path), "#FF0000\r\n#0000FF\r\n#FFFFFF\r\n");
        QVERIFY(QFile::remove(path));
    }

private:
    // The editor at a glance: each slider's value = its box's text, the code
    // box and the sample's colour.
    QString Editor() const
    {
        QString text;
        for (int i = 0; i < 3; ++i)
            text += QString::number(c->CScroll[i]->value()) + "=" + c->SValue[i]->text() + " ";
        return text + c->Res->text() + " " + c->Preview->BackColour().name();
    }
    QString Entries() const { return m_window->MemListModel()->Items().join(' '); }
    QPoint Row(int row) const
    {
        return m_window->MemList()->visualRect(m_window->MemListModel()->index(row)).center();
    }
    void Select(int row)
    {
        QTest::mouseClick(m_window->MemList()->viewport(), Qt::LeftButton, {}, Row(row));
    }
    static void TypeInto(QWidget* box, const QString& text)
    {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClicks(box, text);
    }
    void Store(const QString& code)
    {
        TypeInto(c->Res, code);
        QTest::mouseClick(m_window->Save2List(), Qt::LeftButton);
    }
    static QByteArray ReadBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>";
    }

    std::unique_ptr<MainColor> m_window;
    const ChannelControls* c = nullptr;
    QTimer m_answer;
    QStringList m_messages;
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
