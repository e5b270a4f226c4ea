#include "engine/settingsfile.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
const QString kExtension = QStringLiteral(".cfg");
const QString kLegacyModel = QStringLiteral("RK5200");

// The network and Bluetooth ranges.
constexpr int kKeptFirstStart = 32;
constexpr int kKeptFirstEnd = 96;
constexpr int kKeptSecondStart = 316;
constexpr int kKeptSecondEnd = 691;

// The "RK5200" positions whose meaning changed between its firmware variants.
constexpr int kPitchPosition = 23;
constexpr int kQualityPosition = 185;
constexpr qint8 kNewPitch = 37;
constexpr qint8 kNewPitchThreshold = 36;
constexpr quint8 kLegacyQualityDefault = 4;

void setDetail(QString *detail, const QString &text)
{
    if (detail)
        *detail = text;
}

// The two items as QDataStream writes them, each count checked against what is left, so a
// hostile count can neither read past the end nor make us allocate what the file does not hold.
bool parse(const QByteArray &bytes, SettingsFile::Content *content)
{
    QDataStream stream(bytes);
    auto fits = [&stream, &bytes](quint32 count) {
        return count <= quint32(bytes.size() - stream.device()->pos());
    };
    quint32 count = 0;
    stream >> count;
    if (stream.status() != QDataStream::Ok)
        return false;
    constexpr quint32 kNull = 0xFFFFFFFF;
    if (count != kNull) {
        if (count % 2 != 0 || !fits(count))
            return false;
        stream.device()->seek(stream.device()->pos() - 4);
        stream >> content->modelName;
    }
    stream >> count;
    if (stream.status() != QDataStream::Ok || (count != kNull && !fits(count)))
        return false;
    stream.device()->seek(stream.device()->pos() - 4);
    stream >> content->data;
    return stream.status() == QDataStream::Ok;
}

// The new firmware's quality byte for a file written by the old one; false leaves it alone.
bool qualityFromOldFirmware(quint8 old, quint8 *converted)
{
    switch (old) {
    case 1:
    case 2:
    case 3:
        *converted = quint8(old - 1);
        return true;
    case 0:
    case 4:
        *converted = 3;
        return true;
    default:
        return false;
    }
}
} // namespace

QString SettingsFile::withExtension(const QString &fileName)
{
    return hasExtension(fileName) ? fileName : fileName + kExtension;
}

bool SettingsFile::hasExtension(const QString &fileName)
{
    return fileName.endsWith(kExtension, Qt::CaseInsensitive);
}

SettingsFile::Status SettingsFile::save(
    const QString &path, const Content &content, QString *detail)
{
    // Written aside and renamed, so that a failed write never leaves half a file behind.
    QSaveFile file(path);
    // A folder that takes no new files may still hold a file we are allowed to replace.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        setDetail(detail, file.errorString());
        return Status::CannotOpen;
    }
    QDataStream stream(&file);
    stream << content.modelName << content.data;
    if (stream.status() != QDataStream::Ok || !file.commit()) {
        setDetail(detail, file.errorString());
        return Status::CannotOpen;
    }
    return Status::Ok;
}

SettingsFile::Status SettingsFile::load(const QString &path, Content *content, QString *detail)
{
    // Only a regular file is opened: opening a pipe waits for a writer, and a device such as
    // /dev/urandom never ends.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        setDetail(detail, QStringLiteral("not a regular file"));
        return Status::NotAFile;
    }
    if (info.size() > kMaxFileBytes) {
        setDetail(detail,
            QStringLiteral("it holds %1 bytes, a settings file at most %2")
                .arg(info.size())
                .arg(kMaxFileBytes));
        return Status::TooLarge;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setDetail(detail, file.errorString());
        return Status::CannotOpen;
    }
    // A file that grows while it is read is cut off at the limit, not followed.
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        setDetail(detail, file.errorString());
        return Status::CannotOpen;
    }
    if (bytes.size() > kMaxFileBytes) {
        setDetail(detail, QStringLiteral("it holds more than %1 bytes").arg(kMaxFileBytes));
        return Status::TooLarge;
    }
    Content read;
    if (!parse(bytes, &read)) {
        setDetail(detail, QStringLiteral("the file ends before its model name and settings data"));
        return Status::Malformed;
    }
    *content = read;
    return Status::Ok;
}

QString SettingsFile::quoted(const QString &text)
{
    QString shown = text.left(kQuotedCharacters);
    for (QChar &c : shown) {
        if (!c.isPrint())
            c = QLatin1Char('?');
    }
    if (text.size() <= kQuotedCharacters)
        return QLatin1Char('"') + shown + QLatin1Char('"');
    return QStringLiteral("\"%1...\" (%2 characters)").arg(shown).arg(text.size());
}

bool SettingsFile::keptOnImport(int position)
{
    return (position >= kKeptFirstStart && position <= kKeptFirstEnd)
        || (position >= kKeptSecondStart && position <= kKeptSecondEnd);
}

SettingsFile::Status SettingsFile::importBlock(const Content &file, const QString &modelName,
    bool legacyVariant, QByteArray *block, QString *detail)
{
    if (file.modelName != modelName) {
        setDetail(detail,
            QStringLiteral("the file is for %1, the printer is %2")
                .arg(quoted(file.modelName), quoted(modelName)));
        return Status::ModelDiffers;
    }
    const QByteArray &data = file.data;
    if (data.size() < kBlockSize) {
        setDetail(detail,
            QStringLiteral("the settings data holds %1 bytes, a setting block has %2")
                .arg(data.size())
                .arg(kBlockSize));
        return Status::DataTooShort;
    }
    QByteArray result = *block;
    const int end = qMin(kBlockSize, result.size());
    const bool legacyModel = modelName == kLegacyModel;
    for (int i = 0; i < end; ++i) {
        if (keptOnImport(i))
            continue;
        if (legacyModel && i == kPitchPosition && !legacyVariant) {
            result[i] = char(kNewPitch);
            continue;
        }
        if (legacyModel && i == kQualityPosition) {
            const quint8 value = quint8(data.at(i));
            if (legacyVariant) {
                result[i] = char(value != 0 ? value : kLegacyQualityDefault);
            } else if (qint8(data.at(kPitchPosition)) > kNewPitchThreshold) {
                result[i] = char(value);
            } else {
                quint8 converted = 0;
                if (qualityFromOldFirmware(value, &converted))
                    result[i] = char(converted);
            }
            continue;
        }
        result[i] = data.at(i);
    }
    *block = result;
    return Status::Ok;
}
