#include "AboutMeFrm.h"
#include "MainColor.h"
#include "Translations.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

// What a user hears and reads from the controls: every control that takes
// the focus has a name a screen reader can speak, and Qt's own texts (the
// message boxes' buttons, the edit boxes' context menu) are in Spanish.
class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void mainWindowControlsHaveNames();
    void aboutWindowControlsHaveNames();
    void qtTextsAreSpanish();
};

namespace {

// The controls a user reaches with Tab, in focus-chain order.
QList<QWidget*> FocusChain(QWidget* window)
{
    QList<QWidget*> reached;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled()) {
            reached << w;
        }
    }
    return reached;
}

QString SpokenName(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface != nullptr ? iface->text(QAccessible::Name) : QString();
}

// The spoken names of the window's focus chain by object name. Sets
// `problem` when a control has no name or the name of another one.
QMap<QString, QString> FocusChainNames(QWidget* window, QString& problem)
{
    QMap<QString, QString> names;
    QStringList spoken;
    for (QWidget* w : FocusChain(window)) {
        const QString name = SpokenName(w).trimmed();
        const QString who = w->objectName().isEmpty()
                                ? QString::fromLatin1(w->metaObject()->className())
                                : w->objectName();
        if (name.isEmpty()) {
            problem = who + QStringLiteral(" has no accessible name");
        } else if (spoken.contains(name)) {
            problem = who + QStringLiteral(" has the name of another control: ") + name;
        }
        spoken << name;
        names.insert(who, name);
    }
    return names;
}

} // namespace

void TestAccessibility::mainWindowControlsHaveNames()
{
    MainColor window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QString problem;
    const QMap<QString, QString> names = FocusChainNames(&window, problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));

    // The walk reaches every control a user works with.
    const QStringList controls = {
        "Res",       "CScroll0",     "CScroll1",       "CScroll2",   "SValue0",
        "SValue1",   "SValue2",      "CmdGo",          "AboutMe",    "MemList",
        "Save2List", "LoadFromList", "DeleteFromList", "PreviewList"};
    for (const QString& control : controls) {
        QVERIFY2(names.contains(control), qPrintable(control + QStringLiteral(" not reached")));
    }

    const QString colours[3] = {QStringLiteral("Rojo"), QStringLiteral("Verde"),
                                QStringLiteral("Azul")};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(names.value("CScroll" + QString::number(i)), colours[i]);
        const QString box = names.value("SValue" + QString::number(i));
        QVERIFY2(box.contains(colours[i], Qt::CaseInsensitive), qPrintable(box));
    }
    // Buttons are spoken by their texts, without the access-key marks.
    QCOMPARE(names.value("CmdGo"), QStringLiteral("Ver"));
    QCOMPARE(names.value("Save2List"), QStringLiteral("Guardar"));
    QCOMPARE(names.value("LoadFromList"), QStringLiteral("Cargar"));
    QCOMPARE(names.value("DeleteFromList"), QStringLiteral("Borrar"));
    QCOMPARE(names.value("AboutMe"), QStringLiteral("Acerca de ..."));
}

void TestAccessibility::aboutWindowControlsHaveNames()
{
    MainColor main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    AboutMeFrm about(&main);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QString problem;
    const QMap<QString, QString> names = FocusChainNames(&about, problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(names.keys(), QStringList{QStringLiteral("OkBtn")});
    QCOMPARE(names.value("OkBtn"), QStringLiteral("Aceptar"));
    QCOMPARE(SpokenName(&about), QStringLiteral("Acerca de..."));
}

void TestAccessibility::qtTextsAreSpanish()
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(folder + QStringLiteral("/qtbase_es.qm"))) {
        QSKIP("Qt's Spanish translation (qtbase_es.qm) is not installed");
    }
    InstallSpanishTranslations(*qApp);

    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tintaro"), QStringLiteral("Texto"),
                    QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text().remove(QLatin1Char('&')),
             QStringLiteral("Aceptar"));

    QLineEdit edit(QStringLiteral("#FFFFFF"));
    edit.selectAll();
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList entries;
    for (QAction* action : menu->actions()) {
        entries << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    }
    for (const char* entry : {"Copiar", "Pegar", "Cortar", "Deshacer"}) {
        QVERIFY2(entries.contains(QLatin1String(entry)), qPrintable(entries.join(", ")));
    }
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
