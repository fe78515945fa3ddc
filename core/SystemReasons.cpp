#include "core/SystemReasons.h"

#include <cerrno>
#include <cstring>
#include <locale.h>

namespace {

struct Reason {
    int code;
    const char* russian;
};

constexpr Reason reasons[] = {
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
};

QString englishText(int code)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return QString::fromUtf8(strerror_l(code, c));
}

} // namespace

namespace systemReason {

QString inRussian(const QString& reason)
{
    for (const Reason& r : reasons) {
        if (reason.compare(englishText(r.code), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(r.russian);
    }
    return reason;
}

} // namespace systemReason
