// SPDX-License-Identifier: MIT
#include "AboutMeFrm.h"
#include "MainColor.h"
#include "Translations.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

QString SpokenName(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface != nullptr ? iface->text(QAccessible::Name).trimmed() : QString();
}

// Collects the spoken names of the controls a user reaches with Tab, by
// object name. Fails when a control has no name or the name of another one.
void FocusChainNames(QWidget* window, QMap<QString, QString>& names)
{
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled()) {
            const QString name = SpokenName(w);
            const QString who =
                w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName();
            QVERIFY2(!name.isEmpty(), qPrintable(who + " has no accessible name"));
            QVERIFY2(!name.contains('&'), qPrintable(who + " is spoken with its access-key mark"));
            QVERIFY2(!names.values().contains(name),
                     qPrintable(who + " has the name of another control: " + name));
            names.insert(who, name);
        }
    }
}

} // namespace

// What a user hears and reads from the controls: every control that takes
// the focus has a name a screen reader can speak, and Qt's own texts (the
// message boxes' buttons, the edit boxes' menus) are in Spanish.
class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void focusableControlsHaveNames()
    {
        MainColor main;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        // test_main_layout checks that Tab reaches every control.
        QMap<QString, QString> names;
        FocusChainNames(&main, names);
        QCOMPARE(names.size(), 14);
        // A channel's slider and value box are spoken with the name its label
        // shows.
        for (int i = 0; i < 3; ++i) {
            const QString shown = main.findChild<QLabel*>("ColorLbl" + QString::number(i))->text();
            QCOMPARE(names.value("CScroll" + QString::number(i)), shown);
            QVERIFY(
                names.value("SValue" + QString::number(i)).contains(shown, Qt::CaseInsensitive));
        }

        AboutMeFrm about(&main);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        names.clear();
        FocusChainNames(&about, names);
        QCOMPARE(names, (QMap<QString, QString>{{"OkBtn", "Aceptar"}}));
    }

    void qtTextsAreSpanish()
    {
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!QFile::exists(folder + QStringLiteral("/qtbase_es.qm"))) {
            QSKIP("Qt's Spanish translation (qtbase_es.qm) is not installed");
        }
        InstallSpanishTranslations(*qApp);

        // Message boxes and the edit boxes' menus take their texts from one file.
        QMessageBox box(QMessageBox::NoIcon, "Tintaro", "Texto", QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Ok)->text().remove('&'), QStringLiteral("Aceptar"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
