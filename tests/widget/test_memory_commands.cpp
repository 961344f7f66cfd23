#include "ColourBox.h"
#include "MainColor.h"
#include "MemoryCommands.h"
#include "MemoryListModel.h"
#include "TextBox.h"
#include "WindowDriver.h"

#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <memory>

// The memory list's commands on the real main window, driven by mouse and
// keyboard.
class TestMemoryCommands : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void storesTheShownCodeOnce();
    void comparisonCountsCase();
    void badShapeIsNotStored();
    void addsInSortedPlaceKeepingSelection();
    void loadAndDoubleClickRunTheChain();
    void listSampleShowsSelectedEntry();
    void deleteClearsSelection();
    void commandsWithoutSelectionDoNothing();

private:
    void store(const QString& code);
    void select(int row);
    QStringList entries() const { return m_window->MemListModel()->Items(); }
    // Presses OK on the next message box and returns "caption|text".
    QString answerNextMessage();

    std::unique_ptr<MainColor> m_window;
    QString m_message;
};

void TestMemoryCommands::init()
{
    m_window = std::make_unique<MainColor>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_message.clear();
}

void TestMemoryCommands::cleanup()
{
    m_window.reset();
}

void TestMemoryCommands::store(const QString& code)
{
    TypeInto(m_window->Channels().Res, code);
    QTest::mouseClick(m_window->Save2List(), Qt::LeftButton);
}

void TestMemoryCommands::select(int row)
{
    QListView* list = m_window->MemList();
    const QRect item = list->visualRect(m_window->MemListModel()->index(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
}

QString TestMemoryCommands::answerNextMessage()
{
    QTimer::singleShot(0, this, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr) {
            m_message =
                box->windowTitle() + "|" + box->text() + "|" + QString::number(int(box->icon()));
            box->button(QMessageBox::Ok)->click();
        }
    });
    return m_message;
}

void TestMemoryCommands::storesTheShownCodeOnce()
{
    // The code box holds "#FFFFFF" at start.
    QTest::mouseClick(m_window->Save2List(), Qt::LeftButton);
    QCOMPARE(entries(), QStringList{"#FFFFFF"});

    answerNextMessage();
    QTest::mouseClick(m_window->Save2List(), Qt::LeftButton);
    QCOMPARE(
        m_message,
        QStringLiteral("Infomación|Ya esta en la lista|%1").arg(int(QMessageBox::Information)));
    QCOMPARE(entries(), QStringList{"#FFFFFF"});
}

void TestMemoryCommands::comparisonCountsCase()
{
    store("#FF8000");
    store("#ff8000"); // typed, not applied: a second entry
    QCOMPARE(entries(), (QStringList{"#FF8000", "#ff8000"}));
    QVERIFY(m_message.isEmpty());
}

void TestMemoryCommands::badShapeIsNotStored()
{
    store("#12345");
    store("1234567");
    QVERIFY(entries().isEmpty());
    store("#GGGGGG"); // passes the shape test: stored as typed
    QCOMPARE(entries(), QStringList{"#GGGGGG"});
}

void TestMemoryCommands::addsInSortedPlaceKeepingSelection()
{
    store("#FF0000");
    store("#00FF00");
    QCOMPARE(entries(), (QStringList{"#00FF00", "#FF0000"}));

    select(1);
    const QColor shown = m_window->PreviewList()->BackColour();
    store("#a00000");
    store("#900000");
    QCOMPARE(entries(), (QStringList{"#00FF00", "#900000", "#a00000", "#FF0000"}));
    // The same entry stays selected; its sample is not repainted.
    QCOMPARE(m_window->Memory()->SelectedIndex(), 3);
    QCOMPARE(m_window->PreviewList()->BackColour(), shown);
}

void TestMemoryCommands::loadAndDoubleClickRunTheChain()
{
    store("#0000FF");
    store("#0080FF");
    const ChannelControls& c = m_window->Channels();

    select(0);
    QTest::mouseClick(m_window->LoadFromList(), Qt::LeftButton);
    QCOMPARE(c.CScroll[0]->value(), 255);
    QCOMPARE(c.CScroll[1]->value(), 0);
    QCOMPARE(c.CScroll[2]->value(), 0);
    QCOMPARE(c.SValue[1]->text(), QStringLiteral("0"));
    QCOMPARE(c.Res->text(), QStringLiteral("#0000FF"));
    QCOMPARE(c.Preview->BackColour(), QColor(255, 0, 0));

    QListView* list = m_window->MemList();
    const QPoint second = list->visualRect(m_window->MemListModel()->index(1)).center();
    // A double click: the first click selects, the second loads.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    QCOMPARE(c.CScroll[1]->value(), 0);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    QCOMPARE(c.CScroll[1]->value(), 128);
    QCOMPARE(c.SValue[1]->text(), QStringLiteral("128"));
    QCOMPARE(c.Res->text(), QStringLiteral("#0080FF"));
    QCOMPARE(c.Preview->BackColour(), QColor(255, 128, 0));
}

void TestMemoryCommands::listSampleShowsSelectedEntry()
{
    MemoryListModel* model = m_window->MemListModel();
    model->InsertAt(0, "#0080FF");
    model->InsertAt(1, "hello"); // hand-written line of the memory file
    QCOMPARE(m_window->PreviewList()->BackColour(), m_window->palette().color(QPalette::Button));

    select(0);
    QCOMPARE(m_window->PreviewList()->BackColour(), QColor(255, 128, 0));
    // The keyboard selects too.
    QTest::keyClick(m_window->MemList(), Qt::Key_Down);
    QCOMPARE(m_window->Memory()->SelectedIndex(), 1);
    QCOMPARE(m_window->PreviewList()->BackColour(), QColor(0, 0, 0));

    QTest::mouseClick(m_window->LoadFromList(), Qt::LeftButton);
    const ChannelControls& c = m_window->Channels();
    QCOMPARE(c.CScroll[2]->value(), 14); // "el": reads as far as the hex digit e
    QCOMPARE(c.CScroll[1]->value(), 0);
    QCOMPARE(c.CScroll[0]->value(), 0);
    QCOMPARE(c.Res->text(), QStringLiteral("#0E0000"));
}

void TestMemoryCommands::deleteClearsSelection()
{
    store("#111111");
    store("#222222");
    store("#333333");
    select(1);
    const QColor shown = m_window->PreviewList()->BackColour();
    QTest::keyClick(m_window.get(), Qt::Key_B, Qt::AltModifier);
    QTRY_COMPARE(entries(), (QStringList{"#111111", "#333333"}));
    QCOMPARE(m_window->Memory()->SelectedIndex(), -1);
    QCOMPARE(m_window->PreviewList()->BackColour(), shown);

    QTest::mouseClick(m_window->DeleteFromList(), Qt::LeftButton);
    QCOMPARE(entries(), (QStringList{"#111111", "#333333"}));
}

void TestMemoryCommands::commandsWithoutSelectionDoNothing()
{
    store("#000000");
    TypeInto(m_window->Channels().Res, "#123456");
    QTest::mouseClick(m_window->LoadFromList(), Qt::LeftButton);
    QCOMPARE(m_window->Channels().CScroll[0]->value(), 255);
    QCOMPARE(m_window->Channels().Res->text(), QStringLiteral("#123456"));
    QCOMPARE(entries(), QStringList{"#000000"});
}

QTEST_MAIN(TestMemoryCommands)
#include "test_memory_commands.moc"
