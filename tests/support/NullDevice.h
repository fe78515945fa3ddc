#pragma once
// A device to save over in the tests of refused targets. As the superuser, a null device in the
// test's own folder: were the refusal ever broken, the system's /dev/null would be replaced.
// Anyone else cannot replace /dev/null, so it serves.

#include <QFile>
#include <QString>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

inline QString deviceIn(const QString& folder)
{
    if (geteuid() != 0)
        return QStringLiteral("/dev/null");
    const QString device = folder + QStringLiteral("/null-device");
    mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3));
    return device;
}
