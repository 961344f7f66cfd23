// SPDX-License-Identifier: MIT
// Start-up and shutdown of the main window: the single-copy test, and the
// memory list read from and written to the memory file.
#include "IO_System.h"
#include "MainColor.h"
#include "MemoryListModel.h"
#include "SingleCopyGuard.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>

bool MainColor::Form_Load()
{
    m_singleCopy = std::make_unique<SingleCopyGuard>(QCoreApplication::applicationDirPath());
    if (!m_singleCopy->TryAcquire()) {
        QMessageBox message(QMessageBox::NoIcon, QStringLiteral("Tintaro"),
                            QStringLiteral("La Aplicación ya se esta ejecutando"), QMessageBox::Ok);
        message.exec();
        return false;
    }

    setCursor(Qt::WaitCursor);
    const QString path = IO_System::MemoryFilePath();
    QStringList lines;
    QString reason;
    const IO_System::ReadStatus status = IO_System::ReadMemoryFile(path, lines, &reason);
    IO_System::FillMemoryList(lines, *m_memoryControls.Entries);
    unsetCursor();

    if (status == IO_System::ReadStatus::Unreadable) {
        // Whatever is in that file stays there: the list is not written back
        // at close, so nothing on disk is lost.
        m_fileUnreadable = true;
        QMessageBox::warning(
            this, QStringLiteral("Tintaro"),
            QStringLiteral("No se pudo leer la lista de colores guardada en\n%1\n\n%2\n\n"
                           "Tintaro empieza con la lista vacía y, al cerrarse, no escribirá "
                           "en ese archivo.")
                .arg(QDir::toNativeSeparators(path), reason));
    }
    m_loaded = true;
    return true;
}

void MainColor::Form_Unload()
{
    if (!m_loaded || m_unloaded) {
        return;
    }
    m_unloaded = true;
    const QString path = IO_System::MemoryFilePath();
    if (m_fileUnreadable) {
        QMessageBox::warning(
            this, QStringLiteral("Tintaro"),
            QStringLiteral("La lista de colores no se ha guardado: el archivo\n%1\n"
                           "no se pudo leer al empezar y se deja como estaba.")
                .arg(QDir::toNativeSeparators(path)));
        return;
    }
    QString reason;
    if (!IO_System::WriteTextFile(path, IO_System::MemoryListText(*m_memoryControls.Entries),
                                  &reason)) {
        QMessageBox::critical(
            this, QStringLiteral("Tintaro"),
            QStringLiteral("No se pudo guardar la lista de colores en\n%1\n\n%2\n\n"
                           "El archivo anterior queda como estaba.")
                .arg(QDir::toNativeSeparators(path), reason));
    }
}

void MainColor::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}
