#include "services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cerrno>

#include <fcntl.h>
#include <locale.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

Random::Random() : m_engine(Platform::instance().newRandomEngine())
{
}

int Random::InRange(int low, int high)
{
    return m_engine->inRange(low, high);
}

Date::Date() : m_when(Platform::instance().now())
{
}

QString Date::ShortDate() const
{
    return QLocale::system().toString(m_when.date(), QLocale::ShortFormat);
}

namespace {

// The system's reason for an error number, in the program's own language.
QString systemReason(int error)
{
    static const locale_t english = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return QString::fromLocal8Bit(english ? strerror_l(error, english) : strerror(error));
}

} // namespace

TextOutputStream::TextOutputStream(int fd, QString path, qint64 sizeAtOpen, bool created)
    : m_fd(fd), m_path(std::move(path)), m_sizeAtOpen(sizeAtOpen), m_created(created)
{
}

TextOutputStream::~TextOutputStream()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void TextOutputStream::failAndRestore(int error)
{
    // Cut back what part of the text did reach the file. The descriptor
    // writes straight to the file, so there is no buffer left to flush first.
    if (m_created)
        ::unlink(QFile::encodeName(m_path).constData());
    else if (m_sizeAtOpen >= 0 && ::ftruncate(m_fd, off_t(m_sizeAtOpen)) != 0)
        qWarning("Could not cut %s back to its earlier size", qPrintable(m_path));
    ::close(m_fd);
    m_fd = -1;
    throw IOException(systemReason(error));
}

void TextOutputStream::Write(const QString &text)
{
    if (m_fd < 0)
        throw IOException(QStringLiteral("The file is not open for writing"));
    const QByteArray bytes = text.toUtf8();
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            failAndRestore(n < 0 ? errno : EIO);
        done += n;
    }
}

void TextOutputStream::Close()
{
    if (m_fd < 0)
        return;
    // A file system may report a full disk only when the data goes out.
    // Devices and the like cannot be synced (EINVAL); that is no failure.
    if (::fsync(m_fd) != 0 && errno != EINVAL)
        failAndRestore(errno);
    // What was written is on the disk now; closing cannot lose it.
    ::close(m_fd);
    m_fd = -1;
}

bool FolderItem::Exists() const
{
    return QFileInfo::exists(m_path);
}

namespace {
// Opens the file to write at its end, creating it (empty) when it is missing.
std::unique_ptr<TextOutputStream> openStream(const QString &path, bool truncate)
{
    const QByteArray name = QFile::encodeName(path);
    const int flags = O_WRONLY | O_APPEND | O_CLOEXEC;
    bool created = false;
    int fd = ::open(name.constData(), flags | O_CREAT | O_EXCL, 0666);
    if (fd >= 0) {
        created = true;
    } else if (errno == EEXIST) {
        fd = ::open(name.constData(), flags | (truncate ? O_TRUNC : 0));
    }
    if (fd < 0)
        throw IOException(systemReason(errno));
    struct stat info;
    const qint64 size = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? qint64(info.st_size) : -1;
    return std::make_unique<TextOutputStream>(fd, path, size, created);
}
} // namespace

std::unique_ptr<TextOutputStream> FolderItem::CreateTextFile() const
{
    return openStream(m_path, true);
}

std::unique_ptr<TextOutputStream> FolderItem::AppendToTextFile() const
{
    return openStream(m_path, false);
}

FolderItem GetFolderItem(const QString &name)
{
    return FolderItem(QDir(Platform::instance().applicationFolder()).filePath(name));
}
