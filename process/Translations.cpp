// SPDX-License-Identifier: MIT
#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void InstallSpanishTranslations(QCoreApplication& app)
{
    // Qt's installed translations first, then a "translations" folder beside
    // the program, where a self-contained copy of the program keeps them.
    const QString folders[] = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                               QCoreApplication::applicationDirPath() +
                                   QStringLiteral("/translations")};
    auto* translator = new QTranslator(&app);
    for (const QString& folder : folders) {
        if (translator->load(QStringLiteral("qtbase_es"), folder)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    delete translator; // GCOVR_EXCL_LINE: only where Qt's Spanish texts are not installed
}
