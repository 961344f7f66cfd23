// SPDX-License-Identifier: MIT
#pragma once

class QCoreApplication;

// Loads Qt's own Spanish texts (message-box buttons, the edit boxes' context
// menus, ...) into the application. Where the translation file is not
// installed the program goes on with Qt's English texts.
void InstallSpanishTranslations(QCoreApplication& app);
