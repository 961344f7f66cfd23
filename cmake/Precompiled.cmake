# SPDX-License-Identifier: MIT
# Precompiled headers: the Qt and standard headers most of a library's files
# include, parsed once per library instead of once per file. Each header here
# is still included by every file that uses it, so a build without them
# (TINTARO_PCH=OFF) compiles the same code.
option(TINTARO_PCH "Precompile the Qt headers each library uses" ON)

set(TINTARO_PCH_CORE <QByteArray> <QList> <QObject> <QString> <QStringList> <QStringView>
                     <algorithm> <array> <cmath> <optional>)
set(TINTARO_PCH_WIDGETS ${TINTARO_PCH_CORE} <QApplication> <QLabel> <QPainter> <QPushButton>
                        <QWidget>)

# tintaro_precompile(<target> CORE|WIDGETS): the headers of a QtCore or a
# Qt Widgets library.
function(tintaro_precompile target kind)
    if(TINTARO_PCH)
        target_precompile_headers(${target} PRIVATE ${TINTARO_PCH_${kind}})
    endif()
endfunction()
