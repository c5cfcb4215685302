#pragma once

#include "exceptions.h"
#include "platform.h"

#include <QDateTime>
#include <QFile>
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
// reason; nothing reports success that did not happen.
class TextOutputStream
{
public:
    explicit TextOutputStream(std::unique_ptr<QFile> file);
    ~TextOutputStream();
    TextOutputStream(const TextOutputStream &) = delete;
    TextOutputStream &operator=(const TextOutputStream &) = delete;

    // Writes the text as UTF-8, adding no line ending, in one write.
    void Write(const QString &text);
    // Flushes and closes; a failed flush raises IOException.
    void Close();

private:
    std::unique_ptr<QFile> m_file;
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
