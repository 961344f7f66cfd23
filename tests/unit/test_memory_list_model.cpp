// SPDX-License-Identifier: MIT
#include "MemoryListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <memory>

// Every test checks the model's signals and indexes against its rows with
// QAbstractItemModelTester.
class TestMemoryListModel : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_model = std::make_unique<MemoryListModel>();
        m_tester = std::make_unique<QAbstractItemModelTester>(
            m_model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void cleanup()
    {
        m_tester.reset();
        m_model.reset();
    }

    void addSorted_data()
    {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QList<int>>("indexes");
        QTest::addColumn<QStringList>("items");
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

    void addSorted()
    {
        QFETCH(QStringList, added);
        QFETCH(QList<int>, indexes);
        QFETCH(QStringList, items);
        for (int i = 0; i < added.size(); ++i)
            QCOMPARE(m_model->AddSorted(added.at(i)), indexes.at(i));
        QCOMPARE(m_model->Items(), items);
    }

    void insertAtKeepsPosition()
    {
        m_model->InsertAt(0, "#FFFFFF");
        m_model->InsertAt(1, "#000000");
        m_model->InsertAt(1, "zz");
        // Indexes outside the list land at its nearest end.
        m_model->InsertAt(-3, "first");
        m_model->InsertAt(99, "last");
        QCOMPARE(m_model->Items(), (QStringList{"first", "#FFFFFF", "zz", "#000000", "last"}));
    }

    void removeAt()
    {
        m_model->SetItems({"a", "b", "c"});
        QSignalSpy removed(m_model.get(), &QAbstractItemModel::rowsRemoved);
        for (int outside : {-1, 3, 100})
            m_model->RemoveAt(outside);
        QCOMPARE(removed.size(), 0);
        m_model->RemoveAt(1);
        QCOMPARE(m_model->Items(), (QStringList{"a", "c"}));
    }

    void rolesAndLongLines()
    {
        // Views learn of a whole new list from the model's reset.
        QSignalSpy reset(m_model.get(), &QAbstractItemModel::modelReset);
        m_model->SetItems({"#0080FF", "#FFFFFF"});
        QCOMPARE(reset.size(), 1);
        for (int role : {int(Qt::DisplayRole), int(Qt::EditRole), int(Qt::AccessibleTextRole)})
            QCOMPARE(m_model->data(m_model->index(1), role), QVariant(QString("#FFFFFF")));
        QVERIFY(!m_model->data(m_model->index(0), Qt::DecorationRole).isValid());
        // A very long line shows its start only; the entry itself stays whole.
        const QString longLine(100000, QLatin1Char('x'));
        m_model->InsertAt(0, longLine);
        QCOMPARE(m_model->data(m_model->index(0)).toString(), longLine.left(256) + QChar(0x2026));
        QCOMPARE(m_model->Item(0), longLine);
    }

private:
    std::unique_ptr<MemoryListModel> m_model;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

QTEST_GUILESS_MAIN(TestMemoryListModel)
#include "test_memory_list_model.moc"
