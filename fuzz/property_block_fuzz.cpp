// Feeds arbitrary bytes to the property-block decoder and applies them to an
// object of each class against the names it declares. A malformed block may
// only end in the framework's exceptions: no crash, no leak, no read past the
// block's end (the block is the fuzzer's own buffer, not a copy).
#include "fuzz_targets.h"

#include "property_block.h"
#include "startup.h"
#include "window.h"
#include "window1.h"

#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// A decoded block encodes back to the very same bytes.
void checkRoundTrip(const QByteArray &block, const std::vector<DecodedRecord> &records)
{
    std::vector<Record> again;
    for (const DecodedRecord &r : records) {
        switch (r.value.type) {
        case PropertyType::Integer:
            again.emplace_back(r.name.constData(), int(r.value.integer));
            break;
        case PropertyType::Boolean:
            again.emplace_back(r.name.constData(), r.value.boolean);
            break;
        case PropertyType::String:
            again.emplace_back(r.name.constData(), r.value.string);
            break;
        case PropertyType::Color:
            again.emplace_back(r.name.constData(), r.value.color);
            break;
        }
    }
    if (encodeBlock(again) != block)
        std::abort();
}

void quiet(QtMsgType, const QMessageLogContext &, const QString &)
{
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Qt's warnings about out-of-range sizes would drown the fuzzer's report.
    qInstallMessageHandler(quiet);
    // Lives as long as the process; the fuzzer never returns to main.
    static QApplication *app = new QApplication(*argc, *argv);
    Q_UNUSED(app);
    RuntimeInit();
    initialize();
    // Builds and releases the main window once, so that fonts, styles and
    // the platform window are set up before the first input.
    Window1::Window1_()->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const char *cls = kFuzzClasses[data[0] % kFuzzClasses.size()];
    const QByteArray block = QByteArray::fromRawData(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));

    try {
        const std::vector<DecodedRecord> records = decodeBlock(block, QStringLiteral("fuzzed"));
        checkRoundTrip(block, records);
    } catch (const UnsupportedFormatException &) {
        // A malformed block is refused, and that is all.
    }

    const ClassInfo *info = RuntimeLookupClass(QLatin1String(cls));
    if (!info)
        std::abort();
    auto host = std::make_unique<Window>();
    try {
        Object *target = host.get();
        if (qstrcmp(cls, "Window") != 0) {
            Control *control = host->New(info);
            host->AddControl(QStringLiteral("Fuzzed"), control);
            target = control;
        }
        SetProperties(target, block);
    } catch (const RuntimeException &) {
        // Refused blocks and out-of-range values end in the framework's
        // exceptions, which the creation routine passes on.
    }
    return 0;
}
