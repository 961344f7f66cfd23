#include "MemoryListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

class TestMemoryListModel : public QObject
{
    Q_OBJECT
private slots:
    void addSorted_data();
    void addSorted();
    void addSortedIntoLargeList();
    void insertAtKeepsPosition();
    void removeAt();
    void setItemsAndData();
};

void TestMemoryListModel::addSorted_data()
{
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QList<int>>("indexes");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("green before red") << QStringList{"#FF0000", "#00FF00"} << QList<int>{0, 0}
                                      << QStringList{"#00FF00", "#FF0000"};
    QTest::newRow("digits before letters, case ignored")
        << QStringList{"#ff8000", "#FF0000", "#a00000", "#0A0000", "#900000"}
        << QList<int>{0, 0, 0, 0, 1}
        << QStringList{"#0A0000", "#900000", "#a00000", "#FF0000", "#ff8000"};
    QTest::newRow("equal ignoring case goes after")
        << QStringList{"#abcdef", "#ABCDEF", "#Abcdef"} << QList<int>{0, 1, 2}
        << QStringList{"#abcdef", "#ABCDEF", "#Abcdef"};
    QTest::newRow("any text") << QStringList{"hello", "#FFFFFF", "Hello", ""}
                              << QList<int>{0, 0, 2, 0}
                              << QStringList{"", "#FFFFFF", "hello", "Hello"};
}

void TestMemoryListModel::addSorted()
{
    QFETCH(QStringList, added);
    QFETCH(QList<int>, indexes);
    QFETCH(QStringList, items);
    MemoryListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < added.size(); ++i) {
        QCOMPARE(model.AddSorted(added.at(i)), indexes.at(i));
        QCOMPARE(inserted.size(), i + 1);
        QCOMPARE(inserted.at(i).at(1).toInt(), indexes.at(i));
        QCOMPARE(inserted.at(i).at(2).toInt(), indexes.at(i));
    }
    QCOMPARE(model.Items(), items);
}

void TestMemoryListModel::addSortedIntoLargeList()
{
    QStringList items;
    for (int i = 0; i < 100000; ++i)
        items.append(QString("#%1").arg(i * 10, 6, 16, QChar('0')).toUpper());
    MemoryListModel model;
    model.SetItems(items);
    for (const char* text : {"#000000", "#0000a0", "#0F4234", "#0f4235", "#FFFFFF"}) {
        const int row = model.AddSorted(text);
        QCOMPARE(model.Item(row), QString(text));
        if (row > 0)
            QVERIFY(QString::compare(model.Item(row - 1), text, Qt::CaseInsensitive) <= 0);
        if (row + 1 < model.Count())
            QVERIFY(QString::compare(text, model.Item(row + 1), Qt::CaseInsensitive) < 0);
    }
    QCOMPARE(model.Count(), 100005);
}

void TestMemoryListModel::insertAtKeepsPosition()
{
    MemoryListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.InsertAt(0, "#FFFFFF");
    model.InsertAt(1, "#000000");
    model.InsertAt(1, "zz");
    model.InsertAt(3, "#888888");
    QCOMPARE(model.Items(), (QStringList{"#FFFFFF", "zz", "#000000", "#888888"}));
    // Indexes outside the list land at its nearest end.
    model.InsertAt(-3, "first");
    model.InsertAt(99, "last");
    QCOMPARE(model.Items(), (QStringList{"first", "#FFFFFF", "zz", "#000000", "#888888", "last"}));
}

void TestMemoryListModel::removeAt()
{
    MemoryListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.SetItems({"a", "b", "c"});
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    model.RemoveAt(-1);
    model.RemoveAt(3);
    model.RemoveAt(100);
    QCOMPARE(removed.size(), 0);
    QCOMPARE(model.Items(), (QStringList{"a", "b", "c"}));
    model.RemoveAt(1);
    QCOMPARE(removed.size(), 1);
    QCOMPARE(model.Items(), (QStringList{"a", "c"}));
    model.RemoveAt(1);
    model.RemoveAt(0);
    QCOMPARE(model.Count(), 0);
}

void TestMemoryListModel::setItemsAndData()
{
    MemoryListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.SetItems({"#0080FF", "#FFFFFF"});
    QCOMPARE(reset.size(), 1);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.rowCount(model.index(0)), 0);
    for (int role : {int(Qt::DisplayRole), int(Qt::EditRole), int(Qt::AccessibleTextRole)})
        QCOMPARE(model.data(model.index(1), role), QVariant(QString("#FFFFFF")));
    QVERIFY(!model.data(model.index(0), Qt::DecorationRole).isValid());
    QVERIFY(!model.data(model.index(2)).isValid());
    // A very long line shows its start only; the entry itself stays whole.
    const QString longLine(100000, QLatin1Char('x'));
    model.InsertAt(0, longLine);
    QCOMPARE(model.data(model.index(0)).toString(), longLine.left(256) + QChar(0x2026));
    QCOMPARE(model.Item(0), longLine);
    model.SetItems({});
    QCOMPARE(reset.size(), 2);
    QCOMPARE(model.Count(), 0);
}

QTEST_GUILESS_MAIN(TestMemoryListModel)
#include "test_memory_list_model.moc"
