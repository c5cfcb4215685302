#include "services.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

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

TextOutputStream::TextOutputStream(std::unique_ptr<QFile> file) : m_file(std::move(file))
{
}

TextOutputStream::~TextOutputStream()
{
    if (m_file && m_file->isOpen())
        m_file->close();
}

void TextOutputStream::Write(const QString &text)
{
    if (!m_file || !m_file->isOpen())
        throw IOException(QStringLiteral("The file is not open for writing"));
    const QByteArray bytes = text.toUtf8();
    const qint64 start = m_file->isSequential() ? -1 : m_file->size();
    // Flush at once so that a full disk is reported here, not at some later write.
    if (m_file->write(bytes) != bytes.size() || !m_file->flush()) {
        const QString reason = m_file->errorString();
        // Take a partly written text back out, so what was there stays whole.
        if (start >= 0)
            m_file->resize(start);
        throw IOException(reason);
    }
}

void TextOutputStream::Close()
{
    if (!m_file || !m_file->isOpen())
        return;
    const bool flushed = m_file->flush();
    const QString reason = m_file->errorString();
    m_file->close();
    if (!flushed || m_file->error() != QFileDevice::NoError)
        throw IOException(reason);
}

bool FolderItem::Exists() const
{
    return QFileInfo::exists(m_path);
}

namespace {
std::unique_ptr<TextOutputStream> openStream(const QString &path, QIODevice::OpenMode mode)
{
    if (QFileInfo(path).isDir())
        throw IOException(QStringLiteral("%1 is a folder").arg(QFileInfo(path).fileName()));
    auto file = std::make_unique<QFile>(path);
    if (!file->open(mode))
        throw IOException(file->errorString());
    return std::make_unique<TextOutputStream>(std::move(file));
}
}

std::unique_ptr<TextOutputStream> FolderItem::CreateTextFile() const
{
    return openStream(m_path, QIODevice::WriteOnly | QIODevice::Truncate);
}

std::unique_ptr<TextOutputStream> FolderItem::AppendToTextFile() const
{
    return openStream(m_path, QIODevice::WriteOnly | QIODevice::Append);
}

FolderItem GetFolderItem(const QString &name)
{
    return FolderItem(QDir(Platform::instance().applicationFolder()).filePath(name));
}
