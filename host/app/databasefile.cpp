#include "host/app/databasefile.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/ado/connection.h"
#include "platform/core/error.h"

namespace app {

namespace {

// The path the file is or would be written at: links and ".." resolved,
// also for a file not made yet and for a link that points nowhere yet.
QString resolved(const QString& path, int depth = 0) {
    const QFileInfo info(path);
    if (info.isSymLink() && depth < 16) return resolved(info.symLinkTarget(), depth + 1);
    if (info.exists()) return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : folder + QLatin1Char('/') + info.fileName();
}

bool sameInode(const QString& a, const QString& b) {
    struct stat sa {}, sb {};
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

void DatabaseFile::makePrivateFolder(const QString& folder) {
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (QFileInfo(path).isDir()) return;
    makePrivateFolder(QFileInfo(path).absolutePath());
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && !QFileInfo(path).isDir())
        throw core::Error(QStringLiteral("No se pudo crear la carpeta %1.").arg(path));
}

bool DatabaseFile::wouldOverwrite(const QString& target, const QString& connectionText) {
    const QString text = connectionText.trimmed();
    if (target.isEmpty() || ado::isPostgresText(text)) return false;
    const QString database = text.startsWith(QLatin1String("sqlite:")) ? text.mid(7) : text;
    const QString written = resolved(target);
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")}) {
        if (written == resolved(database + suffix) || written == resolved(database) + suffix) return true;
        if (sameInode(target, database + suffix)) return true;
    }
    return false;
}

}  // namespace app
