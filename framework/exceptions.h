#pragma once

#include <QString>

#include <exception>
#include <string>

// The runtime's exception classes. Every failure inside the framework reaches
// the program as one of these; className() names the class as a user sees it
// in the unhandled-exception report.
class RuntimeException : public std::exception
{
public:
    explicit RuntimeException(QString message = QString())
        : m_message(std::move(message)), m_utf8(m_message.toStdString())
    {
    }

    virtual const char *className() const { return "RuntimeException"; }
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};

#define FRAMEWORK_EXCEPTION(Name)                                                                  \
    class Name : public RuntimeException                                                           \
    {                                                                                              \
    public:                                                                                        \
        using RuntimeException::RuntimeException;                                                  \
        const char *className() const override { return #Name; }                                   \
    };

FRAMEWORK_EXCEPTION(NilObjectException)
FRAMEWORK_EXCEPTION(OutOfBoundsException)
FRAMEWORK_EXCEPTION(IOException)
FRAMEWORK_EXCEPTION(IllegalCastException)
FRAMEWORK_EXCEPTION(UnsupportedFormatException)

#undef FRAMEWORK_EXCEPTION
