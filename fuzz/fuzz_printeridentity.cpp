// The identification records as the printer sends them (model reply, with or without the marker
// of the newer layout, and the EDS record): any bytes, read as the dispatcher reads them. The
// identity derived from them never holds more than the records did.
//
// Input: flags (1 newer layout, 2 Latin-1 instead of UTF-8), the model record's size (2 bytes) and
// bytes, then the EDS record.

#include "comm/printeridentity.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::init();
    fuzz::Reader in(data, size);
    const int flags = in.byte();
    const bool newer = flags & 1;
    const bool latin = flags & 2;
    const QByteArray first = in.take(size_t(in.u16()));
    const QByteArray second = in.rest();
    // The dispatcher takes a record up to its first zero byte, as UTF-8.
    auto text = [latin](const QByteArray &reply) {
        const int zero = reply.indexOf('\0');
        const QByteArray record = zero < 0 ? reply : reply.left(zero);
        return latin ? QString::fromLatin1(record) : QString::fromUtf8(record);
    };
    const QString record = text(first);
    const QString eds = text(second);

    PrinterIdentity identity;
    if (newer) {
        identity.identifyNewer(record, eds);
        FUZZ_CHECK(identity.modelName().startsWith(QLatin1String(PrinterIdentity::kBrandWord)));
        FUZZ_CHECK(identity.firmwareNumber().isEmpty());
    } else {
        const QString firmware = identity.identify(record, eds);
        FUZZ_CHECK(firmware == identity.firmwareNumber());
        bool number = false;
        firmware.toInt(&number);
        FUZZ_CHECK(number);
        FUZZ_CHECK(record.startsWith(identity.modelName()));
    }
    FUZZ_CHECK(identity.mainIdentifier().size() <= eds.size());
    FUZZ_CHECK(PrinterIdentity::edsIdOf(identity.edsParts()).size() <= eds.size());
    identity.clear();
    FUZZ_CHECK(identity.modelName().isEmpty() && identity.recordParts().isEmpty());
    return 0;
}
