#pragma once

#include "exceptions.h"
#include "platform.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <utility>

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

// Owns an open file descriptor and closes it.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    void reset(int fd = -1);

private:
    int m_fd;
};

// A plain file opened to write at its end. Every failure raises IOException
// with the system's reason; nothing reports success that did not happen. The
// stream holds an exclusive lock on the file from the moment it takes the
// file's size until it is closed, so another copy of the application that
// saves to the same file waits and appends after it. A failed Write or Close
// cuts the file back to that size (a file that the opening created is
// removed), so a failure never leaves part of what was written and never
// takes away another writer's bytes.
class TextOutputStream
{
public:
    // Takes over `file`, locked and open at the end of the file `name` in the
    // folder `folder`; `sizeAtOpen` is the file's size when the lock was taken.
    TextOutputStream(FileDescriptor &&file, FileDescriptor &&folder, QString name, qint64 sizeAtOpen, bool created);
    TextOutputStream(const TextOutputStream &) = delete;
    TextOutputStream &operator=(const TextOutputStream &) = delete;

    // Writes the text as UTF-8, adding no line ending, straight to the file.
    void Write(const QString &text);
    // Makes what was written durable and closes the file.
    void Close();

private:
    [[noreturn]] void failAndRestore(int error);

    FileDescriptor m_file;
    FileDescriptor m_folder;
    QString m_name;
    qint64 m_sizeAtOpen;
    bool m_created;
};

// A file directly in a folder, named by its bare name.
class FolderItem
{
public:
    // `folder` is a descriptor open on the folder; it must stay open while
    // the item is used.
    FolderItem(int folder, QString name) : m_folder(folder), m_name(std::move(name)) {}

    // True when anything is at the name, a symbolic link to nothing included.
    bool Exists() const;
    // Both open the plain file at the name to write at its end, creating it
    // when it is missing; neither ever shortens a file that is there by then.
    // They never block on what is at the name, never follow a symbolic link
    // and refuse anything that is not a plain file. Waiting for another
    // writer to let go of the file takes 5 s at most in all.
    std::unique_ptr<TextOutputStream> CreateTextFile() const;
    std::unique_ptr<TextOutputStream> AppendToTextFile() const;

private:
    int m_folder;
    QString m_name;
};

// A file of that name in the application's folder. Raises IOException with
// the system's reason when that folder could not be opened at start-up.
FolderItem GetFolderItem(const QString &name);
