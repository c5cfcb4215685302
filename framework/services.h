#pragma once

#include "exceptions.h"
#include "platform.h"

#include <QDateTime>
#include <QString>

#include <memory>

// An independent generator; each object draws from its own engine.
class Random
{
public:
    Random();
    // Uniform integer in [low, high], both bounds included.
    int InRange(int low, int high);

private:
    std::unique_ptr<RandomEngine> m_engine;
};

// The current date and time when made.
class Date
{
public:
    Date();
    // The system locale's short date.
    QString ShortDate() const;
    const QDateTime &dateTime() const { return m_when; }

private:
    QDateTime m_when;
};

// A text file opened for writing. Every failure raises IOException with the
// system's reason; nothing reports success that did not happen. A failed
// Write or Close puts the file back as it was when it was opened (a file
// that the opening created is removed), so a failure never leaves part of
// what was written.
class TextOutputStream
{
public:
    // Takes over `fd`, open for writing at the end of the file at `path`.
    TextOutputStream(int fd, QString path, qint64 sizeAtOpen, bool created);
    ~TextOutputStream();
    TextOutputStream(const TextOutputStream &) = delete;
    TextOutputStream &operator=(const TextOutputStream &) = delete;

    // Writes the text as UTF-8, adding no line ending, straight to the file.
    void Write(const QString &text);
    // Makes what was written durable and closes the file.
    void Close();

private:
    [[noreturn]] void failAndRestore(int error);

    int m_fd;
    QString m_path;
    qint64 m_sizeAtOpen;
    bool m_created;
};

// A file named by its path.
class FolderItem
{
public:
    explicit FolderItem(QString path) : m_path(std::move(path)) {}

    const QString &path() const { return m_path; }
    bool Exists() const;
    // Creates (or empties) the file.
    std::unique_ptr<TextOutputStream> CreateTextFile() const;
    // Opens the file to write at its end.
    std::unique_ptr<TextOutputStream> AppendToTextFile() const;

private:
    QString m_path;
};

// A file of that name in the application's folder.
FolderItem GetFolderItem(const QString &name);
