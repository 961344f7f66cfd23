// SPDX-License-Identifier: MIT
// Start-up and shutdown of the main window: the single-copy test, and the
// memory list read from and saved to the memory file.
#include "MainColor.h"
#include "MemoryListModel.h"
#include "SingleCopyGuard.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <cstdio>

bool MainColor::Form_Load(const QString& memoryFile)
{
    // In place before any message, which centres on its hidden parent.
    CentreOnScreen();
    m_singleCopy = std::make_unique<SingleCopyGuard>(memoryFile);
    QString reason;
    switch (m_singleCopy->TryAcquire(&reason)) {
    case SingleCopyGuard::Result::Running: {
        QMessageBox message(QMessageBox::NoIcon, QStringLiteral("Tintaro"),
                            QStringLiteral("La Aplicación ya se esta ejecutando"), QMessageBox::Ok,
                            this);
        message.exec();
        return false;
    }
    case SingleCopyGuard::Result::Unavailable:
        QMessageBox::warning(this, QStringLiteral("Tintaro"),
                             QStringLiteral("No se puede comprobar si Tintaro ya se está "
                                            "ejecutando:\n%1\n\nTintaro se abre de todos modos.")
                                 .arg(reason));
        break;
    case SingleCopyGuard::Result::Acquired:
        break;
    }

    setCursor(Qt::WaitCursor);
    const QString problem = m_memory->Store().Load(memoryFile, *m_memoryControls.Entries);
    unsetCursor();
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Tintaro"), problem);
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
    QString message;
    if (m_memory->Store().Save(*m_memoryControls.Entries, &message) ==
        MemoryStore::SaveResult::Saved) {
        return;
    }
    m_listSaved = false;
    if (m_closeUnattended) {
        std::fprintf(stderr, "Tintaro: %s\n", message.toLocal8Bit().constData());
    } else {
        QMessageBox::critical(this, QStringLiteral("Tintaro"), message);
    }
}

void MainColor::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}
