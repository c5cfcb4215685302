// Writes the system's own property blocks, each prefixed with the byte that
// picks its class in the fuzz target, and one block holding bytes that are
// not UTF-8, as the fuzzer's seed corpus; and the declared property names
// with a few such byte runs as its dictionary.
#include "fuzz_targets.h"

#include "property_block.h"
#include "window1_layout.h"
#include "window2.h"
#include "window3.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

int classByte(const char *cls)
{
    const QByteArray name(cls);
    for (size_t i = 0; i < kFuzzClasses.size(); ++i) {
        if (name == kFuzzClasses[i] || (name.startsWith("Window1.Timer") && qstrcmp(kFuzzClasses[i], "Window1.Timer1") == 0))
            return int(i);
    }
    return -1;
}

bool write(const QDir &dir, const char *cls, const QByteArray &block)
{
    const int selector = classByte(cls);
    if (selector < 0) {
        std::fprintf(stderr, "no fuzz class for %s\n", cls);
        return false;
    }
    const QByteArray seed = QByteArray(1, char(selector)) + block;
    const QString name = QString::fromLatin1(QCryptographicHash::hash(seed, QCryptographicHash::Sha1).toHex());
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(seed) == seed.size();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR DICTIONARY_FILE\n", argv[0]);
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral(".")))
        return 1;
    bool ok = write(dir, "Window", window1Block()) && write(dir, "Window", window2Block()) &&
              write(dir, "Window", window3Block());
    for (int i = 0; i < kWindow1ControlCount; ++i)
        ok = ok && write(dir, window1Layout()[size_t(i)].cls, window1ControlBlock(i));
    for (const char *label : {"Label1", "Label2", "Label3"})
        ok = ok && write(dir, "Label", window2ControlBlock(QLatin1String(label)));
    ok = ok && write(dir, "PushButton", window2ControlBlock(QStringLiteral("PushButton1"))) &&
         write(dir, "TextArea", window3ControlBlock(QStringLiteral("TextArea1"))) &&
         write(dir, "PushButton", window3ControlBlock(QStringLiteral("PushButton1")));

    // One block whose text is not UTF-8, for the decoder's refusal.
    QByteArray stray = window2ControlBlock(QStringLiteral("Label1"));
    stray.replace("Zentora", "\xFF" "entora");
    ok = ok && write(dir, "Label", stray);

    // Each name as a record starts: the name and its space; and byte runs
    // that are not UTF-8 (a stray byte, a cut sequence, a surrogate, an
    // overlong form).
    QFile dictionary(QString::fromLocal8Bit(argv[2]));
    ok = ok && dictionary.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (const QByteArray &name : declaredNames())
        ok = ok && dictionary.write("\"" + name + " \"\n") > 0;
    for (const char *bytes : {"\\xFF", "\\xC3", "\\xED\\xA0\\x80", "\\xC0\\xAF"})
        ok = ok && dictionary.write("\"" + QByteArray(bytes) + "\"\n") > 0;
    return ok ? 0 : 1;
}
