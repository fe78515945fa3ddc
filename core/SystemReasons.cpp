#include "core/SystemReasons.h"

#include "core/CLocale.h"

#include <cerrno>
#include <cstring>
#include <locale.h>

namespace {

struct Reason {
    int code;
    const char* russian;
};

constexpr Reason kReasons[] = {
    {ENOENT, "Нет такого файла или каталога"},
    {EACCES, "Отказано в доступе"},
    {EPERM, "Операция не позволена"},
    {EISDIR, "Это каталог"},
    {ENOTDIR, "Это не каталог"},
    {ENOSPC, "На устройстве не осталось свободного места"},
    {EROFS, "Файловая система доступна только для чтения"},
    {EFBIG, "Файл слишком велик"},
    {EIO, "Ошибка ввода-вывода"},
    {EEXIST, "Файл уже существует"},
    {EBUSY, "Устройство или ресурс занято"},
    {ENAMETOOLONG, "Слишком длинное имя файла"},
    {EMFILE, "Слишком много открытых файлов"},
    {EDQUOT, "Превышена дисковая квота"},
    {ELOOP, "Слишком много уровней символических ссылок"},
    {ENXIO, "Нет такого устройства или адреса"},
    {ETXTBSY, "Текстовый файл занят"},
    {EXDEV, "Файлы на разных файловых системах"},
    {EINVAL, "Недопустимый аргумент"},
    {ENOMEM, "Недостаточно памяти"},
    {EAGAIN, "Ресурс временно недоступен"},
    {EINTR, "Прерванный системный вызов"},
    {EBADF, "Неправильный дескриптор файла"},
};

// Qt's own English texts of file errors.
struct QtReason {
    const char* english;
    const char* russian;
};

constexpr QtReason kQtReasons[] = {
    {"file to open is a directory", "Это каталог"},
    {"Filename refers to a directory", "Это каталог"},
    {"No file engine available or engine does not support UnMapExtension", "Это не файл"},
    {"Unknown error", "Неизвестная ошибка"},
    {"No space left on device", "На устройстве не осталось свободного места"},
};

QString englishText(int code) { return QString::fromUtf8(strerror_l(code, clocale::c())); }

} // namespace

namespace systemreason {

QString inRussian(const QString& reason)
{
    for (const Reason& r : kReasons) {
        if (reason.compare(englishText(r.code), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(r.russian);
    }
    for (const QtReason& r : kQtReasons) {
        if (reason.compare(QLatin1String(r.english), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(r.russian);
    }
    return reason;
}

QString ofError(int code)
{
    for (const Reason& r : kReasons) {
        if (r.code == code)
            return QString::fromUtf8(r.russian);
    }
    return QStringLiteral("системная ошибка %1 (%2)").arg(code).arg(englishText(code));
}

} // namespace systemreason
