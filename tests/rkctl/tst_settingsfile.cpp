#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "engine/settingsfile.h"

namespace {
QByteArray filled(int size, char value)
{
    return QByteArray(size, value);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}
} // namespace

// The settings file: its exact bytes, the files it refuses and the block an import leaves.
class tst_SettingsFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void bytesOnDisk_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("expected");
        // Big-endian counts; the model name as UTF-16 big-endian.
        QTest::newRow("block") << QStringLiteral("RK") << QByteArray::fromHex("01ff00")
                               << QByteArray::fromHex("00000004"
                                                      "0052004b"
                                                      "00000003"
                                                      "01ff00");
        QTest::newRow("Chinese model") << QStringLiteral("打印") << QByteArray("")
                                       << QByteArray::fromHex("00000004"
                                                              "6253"
                                                              "5370"
                                                              "00000000");
        QTest::newRow("null model") << QString() << QByteArray::fromHex("07")
                                    << QByteArray::fromHex("ffffffff"
                                                           "00000001"
                                                           "07");
    }

    void bytesOnDisk()
    {
        QFETCH(QString, model);
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, expected);
        const QString path = m_dir.filePath(QStringLiteral("bytes.cfg"));
        QCOMPARE(SettingsFile::save(path, { model, data }), SettingsFile::Status::Ok);
        QCOMPARE(readAll(path), expected);
        SettingsFile::Content back;
        QCOMPARE(SettingsFile::load(path, &back), SettingsFile::Status::Ok);
        QCOMPARE(back.modelName, model);
        QCOMPARE(back.modelName.isNull(), model.isNull());
        QCOMPARE(back.data, data);
    }

    void extension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << "printer"
                              << "printer.cfg";
        QTest::newRow("lower") << "printer.cfg"
                               << "printer.cfg";
        QTest::newRow("upper") << "printer.CFG"
                               << "printer.CFG";
        QTest::newRow("in the middle") << "printer.cfg.old"
                                       << "printer.cfg.old.cfg";
        QTest::newRow("other") << "printer.txt"
                               << "printer.txt.cfg";
    }

    void extension()
    {
        QFETCH(QString, name);
        QTEST(SettingsFile::withExtension(name), "expected");
        QVERIFY(SettingsFile::hasExtension(SettingsFile::withExtension(name)));
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("status");
        const int malformed = int(SettingsFile::Status::Malformed);
        QTest::newRow("empty") << QByteArray() << malformed;
        QTest::newRow("model only") << QByteArray::fromHex("000000020041") << malformed;
        QTest::newRow("model cut short") << QByteArray::fromHex("0000000a0041") << malformed;
        // The count promises more than the file holds: no reading past its end.
        QTest::newRow("data cut short")
            << QByteArray::fromHex("00000002004100000400") + filled(10, 'x') << malformed;
        // Counts far beyond the file are refused before anything is allocated for them.
        QTest::newRow("huge model count") << QByteArray::fromHex("fffffff0") + filled(64, 'x') << malformed;
        QTest::newRow("huge data count")
            << QByteArray::fromHex("000000020041fffffff0") + filled(64, 'x') << malformed;
    }

    void refusedFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, status);
        const QString path = m_dir.filePath(QStringLiteral("refused.cfg"));
        writeAll(path, content);
        SettingsFile::Content read { QStringLiteral("untouched"), QByteArray("x") };
        QString detail;
        QCOMPARE(int(SettingsFile::load(path, &read, &detail)), status);
        QVERIFY(!detail.isEmpty());
        QCOMPARE(read.modelName, QStringLiteral("untouched"));
    }

    void missingFilesAndFolders()
    {
        SettingsFile::Content read;
        QString detail;
        QCOMPARE(SettingsFile::load(m_dir.filePath(QStringLiteral("absent.cfg")), &read, &detail),
            SettingsFile::Status::CannotOpen);
        QVERIFY(!detail.isEmpty());
        QCOMPARE(SettingsFile::save(m_dir.filePath(QStringLiteral("no/such/folder/a.cfg")),
                     { QStringLiteral("RK"), filled(4, 'a') }, &detail),
            SettingsFile::Status::CannotOpen);
    }

    // Each position of the file data lands in the block unless an import keeps it.
    void importKeepsTheNetworkRanges()
    {
        const SettingsFile::Content file { QStringLiteral("ZN-470 KW"), filled(1024, '\xAA') };
        QByteArray block = filled(1024, '\x11');
        QCOMPARE(SettingsFile::importBlock(file, QStringLiteral("ZN-470 KW"), false, &block),
            SettingsFile::Status::Ok);
        for (int p = 0; p < 1024; ++p) {
            const bool kept = (p >= 32 && p <= 96) || (p >= 316 && p <= 691);
            QCOMPARE(SettingsFile::keptOnImport(p), kept);
            QVERIFY2(block.at(p) == (kept ? '\x11' : '\xAA'), qPrintable(QString::number(p)));
        }
    }

    void importRefusals_data()
    {
        QTest::addColumn<QString>("fileModel");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("status");
        QTest::newRow("other model")
            << "MV-4410C" << 1024 << int(SettingsFile::Status::ModelDiffers);
        QTest::newRow("same name, other case")
            << "zn-470 kw" << 1024 << int(SettingsFile::Status::ModelDiffers);
        QTest::newRow("one byte short")
            << "ZN-470 KW" << 1023 << int(SettingsFile::Status::DataTooShort);
        QTest::newRow("no data") << "ZN-470 KW" << 0 << int(SettingsFile::Status::DataTooShort);
    }

    void importRefusals()
    {
        QFETCH(QString, fileModel);
        QFETCH(int, size);
        QFETCH(int, status);
        const QByteArray before = filled(1024, '\x11');
        QByteArray block = before;
        QString detail;
        QCOMPARE(int(SettingsFile::importBlock({ fileModel, filled(size, '\xAA') },
                     QStringLiteral("ZN-470 KW"), false, &block, &detail)),
            status);
        QCOMPARE(block, before);
        QVERIFY(!detail.isEmpty());
    }

    void importLongDataAndShortBlock()
    {
        // Data beyond a block is no setting; a short block is never grown.
        QByteArray block = filled(1024, '\x11');
        QCOMPARE(SettingsFile::importBlock({ QStringLiteral("RP-58S"), filled(1500, '\x22') },
                     QStringLiteral("RP-58S"), false, &block),
            SettingsFile::Status::Ok);
        QCOMPARE(block.size(), 1024);
        QByteArray shortBlock = filled(100, '\x11');
        QCOMPARE(SettingsFile::importBlock({ QStringLiteral("RP-58S"), filled(1024, '\x22') },
                     QStringLiteral("RP-58S"), false, &shortBlock),
            SettingsFile::Status::Ok);
        QCOMPARE(shortBlock, filled(32, '\x22') + filled(65, '\x11') + filled(3, '\x22'));
    }

    void legacyModelPositions_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<bool>("legacy");
        QTest::addColumn<int>("data23");
        QTest::addColumn<int>("data185");
        QTest::addColumn<int>("block185");
        QTest::addColumn<int>("expected23");
        QTest::addColumn<int>("expected185");
        // Old firmware: 23 copied, 185 copied unless 0, which becomes 4.
        QTest::newRow("old fw, 185 set") << "RK5200" << true << 40 << 2 << 9 << 40 << 2;
        QTest::newRow("old fw, 185 zero") << "RK5200" << true << 40 << 0 << 9 << 40 << 4;
        // New firmware: 23 is always 37; 185 copied when the file's 23 is above 36.
        QTest::newRow("new fw, file from new") << "RK5200" << false << 37 << 2 << 9 << 37 << 2;
        QTest::newRow("new fw, 1 -> 0") << "RK5200" << false << 36 << 1 << 9 << 37 << 0;
        QTest::newRow("new fw, 2 -> 1") << "RK5200" << false << 10 << 2 << 9 << 37 << 1;
        QTest::newRow("new fw, 3 -> 2") << "RK5200" << false << 10 << 3 << 9 << 37 << 2;
        QTest::newRow("new fw, 0 -> 3") << "RK5200" << false << 10 << 0 << 9 << 37 << 3;
        QTest::newRow("new fw, 4 -> 3") << "RK5200" << false << 10 << 4 << 9 << 37 << 3;
        QTest::newRow("new fw, 7 leaves block") << "RK5200" << false << 10 << 7 << 9 << 37 << 9;
        // 23 compared as a signed byte: 200 is negative.
        QTest::newRow("new fw, signed 23") << "RK5200" << false << 200 << 2 << 9 << 37 << 1;
        QTest::newRow("other model copies") << "MV-4410C" << false << 10 << 0 << 9 << 10 << 0;
    }

    void legacyModelPositions()
    {
        QFETCH(QString, model);
        QFETCH(bool, legacy);
        QFETCH(int, data23);
        QFETCH(int, data185);
        QFETCH(int, block185);
        QByteArray data = filled(1024, '\x05');
        data[23] = char(data23);
        data[185] = char(data185);
        QByteArray block = filled(1024, '\x00');
        block[185] = char(block185);
        QCOMPARE(SettingsFile::importBlock({ model, data }, model, legacy, &block),
            SettingsFile::Status::Ok);
        QTEST(int(quint8(block.at(23))), "expected23");
        QTEST(int(quint8(block.at(185))), "expected185");
        QCOMPARE(block.at(24), '\x05');
    }
};

QTEST_GUILESS_MAIN(tst_SettingsFile)
#include "tst_settingsfile.moc"
