// A settings file (".cfg") as Import reads it: any bytes, then the import's block rules for the
// model the file names and for the legacy model, against a current block. Whatever the file
// holds, the block keeps its size and the positions an import never copies.

#include <fuzzer/FuzzedDataProvider.h>

#include <QVector>

#include "engine/settingsfile.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::init();
    const QString path = fuzz::fileWith(QStringLiteral("import.cfg"), fuzz::bytes(data, size));
    SettingsFile::Content content;
    QString detail;
    const SettingsFile::Status status = SettingsFile::load(path, &content, &detail);
    if (status != SettingsFile::Status::Ok) {
        FUZZ_CHECK(!detail.isEmpty());
        return 0;
    }
    FUZZ_CHECK(content.data.size() <= int(size));
    FUZZ_CHECK(!SettingsFile::quoted(content.modelName).isEmpty());

    QByteArray current(SettingsFile::kBlockSize, '\x5a');
    static const QVector<int> kept = [] {
        QVector<int> positions;
        for (int i = 0; i < SettingsFile::kBlockSize; ++i) {
            if (SettingsFile::keptOnImport(i))
                positions.append(i);
        }
        return positions;
    }();
    for (const QString &model : { content.modelName, QStringLiteral("RK5200") }) {
        for (const bool legacy : { false, true }) {
            QByteArray block = current;
            const SettingsFile::Status imported
                = SettingsFile::importBlock(content, model, legacy, &block, &detail);
            FUZZ_CHECK(block.size() == current.size());
            if (imported != SettingsFile::Status::Ok) {
                FUZZ_CHECK(block == current);
                continue;
            }
            for (const int i : kept)
                FUZZ_CHECK(block.at(i) == current.at(i));
        }
    }

    // What was read is written back and read again unchanged.
    const QString again = fuzz::fileWith(QStringLiteral("again.cfg"), QByteArray());
    FUZZ_CHECK(SettingsFile::save(again, content) == SettingsFile::Status::Ok);
    SettingsFile::Content reread;
    if (SettingsFile::load(again, &reread) == SettingsFile::Status::Ok) {
        FUZZ_CHECK(reread.modelName == content.modelName);
        FUZZ_CHECK(reread.data == content.data);
    }
    return 0;
}
