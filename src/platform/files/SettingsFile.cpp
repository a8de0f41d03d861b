#include "platform/files/SettingsFile.h"

#include "platform/files/FileKind.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString tooLarge(const QString& path, qint64 size)
{
    return QStringLiteral("%1 has %2 bytes, more than the %3 a settings file may have: not read, and not "
                          "written over")
        .arg(path)
        .arg(size)
        .arg(SettingsFile::kMaxSize);
}

struct KeyPath {
    QString group;
    QString name;
};

// "zoom/Form1" is the key Form1 of [zoom]; deeper levels are written with backslashes, as QSettings does.
KeyPath keyPathOf(const QString& key)
{
    const qsizetype slash = key.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return {QStringLiteral("General"), key};
    QString name = key.mid(slash + 1);
    name.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return {key.left(slash), name};
}

std::optional<QString> groupHeaderOf(const QString& line)
{
    const QString text = line.trimmed();
    if (text.size() < 2 || !text.startsWith(QLatin1Char('[')) || !text.endsWith(QLatin1Char(']')))
        return std::nullopt;
    return text.mid(1, text.size() - 2).trimmed();
}

struct Entry {
    QString key;
    QString value;
};

std::optional<Entry> entryOf(const QString& line)
{
    const QString text = line.trimmed();
    if (text.isEmpty() || text.startsWith(QLatin1Char(';')) || text.startsWith(QLatin1Char('#')))
        return std::nullopt;
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return std::nullopt;
    QString value = text.mid(equals + 1).trimmed();
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        value = value.mid(1, value.size() - 2);
    return Entry{text.left(equals).trimmed(), value};
}

struct Place {
    // The line of the key; -1 when it is not there.
    qsizetype keyLine = -1;
    // Where a new key of the group goes: after its last entry; -1 when the group is not there.
    qsizetype insertAt = -1;
};

// Keys before the first group header are in [General], as QSettings reads them. A group may come
// more than once; new keys go into its first block.
Place find(const QStringList& lines, const KeyPath& key)
{
    enum class Block { Before, Inside, After };
    Place place;
    QString group = QStringLiteral("General");
    Block block = key.group == group ? Block::Inside : Block::Before;
    if (block == Block::Inside)
        place.insertAt = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto header = groupHeaderOf(lines.at(i))) {
            group = *header;
            if (block == Block::Inside) {
                block = Block::After;
            } else if (block == Block::Before && group == key.group) {
                block = Block::Inside;
                place.insertAt = i + 1;
            }
            continue;
        }
        const auto entry = entryOf(lines.at(i));
        if (!entry || group != key.group)
            continue;
        if (entry->key == key.name && place.keyLine < 0)
            place.keyLine = i;
        if (block == Block::Inside)
            place.insertAt = i + 1;
    }
    return place;
}

// Where the settings really are: symbolic links followed to the end. Empty when a link loops.
QString finalTarget(const QString& path, QString* why)
{
    QString current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat there;
        if (::lstat(QFile::encodeName(current).constData(), &there) != 0 || !S_ISLNK(there.st_mode))
            return current;
        const QString target = QFile::symLinkTarget(current);
        if (target.isEmpty())
            break;
        current = target;
    }
    *why = QStringLiteral("%1: too many levels of symbolic links: not saved").arg(path);
    return {};
}

} // namespace

SettingsFile::SettingsFile(QString path) : path_(std::move(path))
{
    load();
}

QString SettingsFile::defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("vantrel/vantrel.ini"));
}

QString SettingsFile::value(const QString& key) const
{
    const Place place = find(lines_, keyPathOf(key));
    if (place.keyLine < 0)
        return {};
    return entryOf(lines_.at(place.keyLine))->value;
}

bool SettingsFile::setValue(const QString& key, const QString& value)
{
    // What another copy saved since is kept; a file that cannot be read is not written over.
    const bool readable = load();
    const KeyPath keyPath = keyPathOf(key);
    const QString line = keyPath.name + QLatin1Char('=') + value;
    const Place place = find(lines_, keyPath);
    if (place.keyLine >= 0) {
        lines_[place.keyLine] = line;
    } else if (place.insertAt >= 0) {
        lines_.insert(place.insertAt, line);
    } else {
        if (!lines_.isEmpty() && !lines_.constLast().trimmed().isEmpty())
            lines_ << QString();
        lines_ << QLatin1Char('[') + keyPath.group + QLatin1Char(']') << line;
    }
    return readable && save();
}

bool SettingsFile::load()
{
    const QByteArray name = QFile::encodeName(path_);
    struct stat there;
    if (::stat(name.constData(), &there) != 0) {
        const int error = errno;
        if (error == ENOENT) {
            lines_.clear();
            return true;
        }
        report(
            QStringLiteral("%1: %2: not read, and not written over").arg(path_, filekind::errorText(error)));
        return false;
    }
    // A pipe would block the start until someone writes into it; a device is nobody's settings.
    if (!S_ISREG(there.st_mode)) {
        report(QStringLiteral("%1 is %2: not read, and never written")
                   .arg(path_, filekind::describe(there.st_mode)));
        return false;
    }
    if (there.st_size > kMaxSize) {
        report(tooLarge(path_, there.st_size));
        return false;
    }
    // Non-blocking, and checked again once open: the file may have been swapped meanwhile.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        report(
            QStringLiteral("%1: %2: not read, and not written over").arg(path_, filekind::errorText(error)));
        return false;
    }
    QFile file;
    struct stat opened;
    const bool isRegular = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode);
    QByteArray content;
    if (isRegular && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        content = file.read(kMaxSize + 1);
    else
        ::close(fd);
    if (!isRegular) {
        report(QStringLiteral("%1 is %2: not read, and never written")
                   .arg(path_, filekind::describe(opened.st_mode)));
        return false;
    }
    if (content.size() > kMaxSize) {
        report(tooLarge(path_, content.size()));
        return false;
    }
    lines_ = QString::fromUtf8(content).split(QLatin1Char('\n'));
    if (!lines_.isEmpty() && lines_.constLast().isEmpty())
        lines_.removeLast();
    return true;
}

bool SettingsFile::save()
{
    QString why;
    const QString target = finalTarget(path_, &why);
    if (target.isEmpty()) {
        report(why);
        return false;
    }
    const QByteArray targetName = QFile::encodeName(target);
    struct stat old;
    const bool exists = ::lstat(targetName.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        report(QStringLiteral("%1 is %2: never written").arg(target, filekind::describe(old.st_mode)));
        return false;
    }
    if (!exists && target != path_) {
        // A link that points nowhere may point anywhere: no file is made there on its behalf.
        report(QStringLiteral("%1 links to %2, which does not exist: not saved").arg(path_, target));
        return false;
    }
    const QString folder = QFileInfo(target).absolutePath();
    if (!exists && !QDir().mkpath(folder)) {
        report(QStringLiteral("cannot create the folder %1: not saved").arg(folder));
        return false;
    }

    QByteArray content = lines_.join(QLatin1Char('\n')).toUtf8();
    content += '\n';
    // Written beside the file and put in its place, so that the settings are always whole.
    QByteArray temporary =
        QFile::encodeName(QDir(folder).filePath(QLatin1Char('.') + QFileInfo(target).fileName())) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        report(QStringLiteral("cannot write into %1: %2: not saved").arg(folder, filekind::errorText(error)));
        return false;
    }
    bool written = true;
    for (qsizetype done = 0; written && done < content.size();) {
        const ssize_t wrote = ::write(fd, content.constData() + done, size_t(content.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        written = wrote > 0;
        done += wrote > 0 ? wrote : 0;
    }
    int error = written ? 0 : errno;
    // The file keeps its permissions, and its owner where we may keep it (root saving a user's file).
    if (written && ::fchmod(fd, exists ? (old.st_mode & 07777) : 0644) != 0)
        error = errno;
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
    }
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.constData(), targetName.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        report(QStringLiteral("cannot save %1: %2").arg(target, filekind::errorText(error)));
        return false;
    }
    problem_.clear();
    return true;
}

void SettingsFile::report(const QString& problem)
{
    problem_ = problem;
    if (problem == reported_)
        return;
    reported_ = problem;
    qWarning("vantrel: settings: %s", qPrintable(problem));
}
