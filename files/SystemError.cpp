// SPDX-License-Identifier: MIT
#include "SystemError.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace SystemError {

QString Text(int error)
{
    static const std::pair<int, const char*> texts[] = {
        {EPERM, "Operación no permitida"},
        {ENOENT, "No existe el archivo o la carpeta"},
        {EIO, "Error de entrada/salida"},
        {ENXIO, "No existe el dispositivo"},
        {EBADF, "Descriptor de archivo no válido"},
        {EAGAIN, "Recurso no disponible por ahora"},
        {ENOMEM, "No hay memoria suficiente"},
        {EACCES, "Permiso denegado"},
        {EBUSY, "Dispositivo o recurso ocupado"},
        {EEXIST, "El archivo ya existe"},
        {EXDEV, "Enlace entre dispositivos distintos"},
        {ENOTDIR, "No es una carpeta"},
        {EISDIR, "Es una carpeta"},
        {EINVAL, "Argumento no válido"},
        {ENFILE, "Hay demasiados archivos abiertos en el sistema"},
        {EMFILE, "Hay demasiados archivos abiertos"},
        {ETXTBSY, "Archivo ocupado"},
        {EFBIG, "Archivo demasiado grande"},
        {ENOSPC, "No queda espacio en el dispositivo"},
        {EROFS, "Sistema de archivos de solo lectura"},
        {EPIPE, "Tubería rota: nadie lee al otro lado"},
        {ENAMETOOLONG, "Nombre de archivo demasiado largo"},
        {ELOOP, "Demasiados niveles de enlaces simbólicos"},
#ifdef EDQUOT
        {EDQUOT, "Se ha superado la cuota de disco"},
#endif
    };
    for (const auto& [number, text] : texts) {
        if (number == error) {
            return QString::fromUtf8(text);
        }
    }
    return QString::fromLocal8Bit(std::strerror(error)) + QStringLiteral(" (error %1)").arg(error);
}

} // namespace SystemError
