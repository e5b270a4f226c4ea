#include "printerprofile.h"

#include <cctype>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextCodec>

#include <cjson/cJSON.h>

#include "printercommands.h"

// The profiles are compiled into the static library; its resources must be registered once
// (outside any namespace, as the resource macro requires).
static void initResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(profiles);
        return true;
    }();
    Q_UNUSED(done);
}

namespace {

const char kResourceDir[] = ":/rksim/profiles";

bool parseHex(const QString &text, QByteArray *out)
{
    QString clean = text;
    clean.remove(QLatin1Char(' '));
    if (clean.size() % 2 != 0)
        return false;
    for (QChar c : clean) {
        if (!std::isxdigit(c.toLatin1()))
            return false;
    }
    *out = QByteArray::fromHex(clean.toLatin1());
    return true;
}

// A block is written sparsely: a fill byte, then bytes and GB18030 texts at positions.
bool parseBlock(const QJsonObject &description, const QByteArray &base, QByteArray *out, QString *error)
{
    QByteArray block = base;
    if (block.isEmpty())
        block = QByteArray(kBlockSize, char(description.value(QStringLiteral("fill")).toInt(0)));
    const QJsonObject bytes = description.value(QStringLiteral("bytes")).toObject();
    for (auto it = bytes.begin(); it != bytes.end(); ++it) {
        bool ok = false;
        const int pos = it.key().toInt(&ok);
        QByteArray value;
        if (!ok || !parseHex(it.value().toString(), &value) || pos < 0
            || pos + value.size() > kBlockSize) {
            *error = QStringLiteral("bad block bytes at \"%1\"").arg(it.key());
            return false;
        }
        block.replace(pos, value.size(), value);
    }
    QTextCodec *gb = QTextCodec::codecForName("GB18030");
    const QJsonObject texts = description.value(QStringLiteral("texts")).toObject();
    for (auto it = texts.begin(); it != texts.end(); ++it) {
        bool ok = false;
        const int pos = it.key().toInt(&ok);
        const QJsonArray field = it.value().toArray();
        const int length = field.at(1).toInt(-1);
        QByteArray value = gb->fromUnicode(field.at(0).toString());
        if (!ok || pos < 0 || length < 0 || value.size() > length || pos + length > kBlockSize) {
            *error = QStringLiteral("bad block text at \"%1\"").arg(it.key());
            return false;
        }
        value.append(QByteArray(length - value.size(), '\0'));
        block.replace(pos, length, value);
    }
    *out = block;
    return true;
}

} // namespace

bool PrinterProfile::fromJson(const QByteArray &json, PrinterProfile *out, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (!doc.isObject()) {
        *error = QStringLiteral("not a JSON object: %1").arg(parseError.errorString());
        return false;
    }
    const QJsonObject o = doc.object();
    PrinterProfile p;
    p.id = o.value(QStringLiteral("id")).toString();
    p.modelReply = o.value(QStringLiteral("modelReply")).toString().toUtf8();
    p.marker = o.value(QStringLiteral("marker")).toBool(false);
    p.edsRecord = o.value(QStringLiteral("eds")).toString().toUtf8();
    p.typeCode = o.value(QStringLiteral("typeCode")).toString();
    const int mode = o.value(QStringLiteral("modeByte")).toInt(-1);
    if (p.id.isEmpty() || p.modelReply.isEmpty() || mode < 0 || mode > 255) {
        *error = QStringLiteral("a profile needs id, modelReply and modeByte");
        return false;
    }
    p.modeByte = quint8(mode);
    p.ack = quint8(o.value(QStringLiteral("ack")).toInt(1));
    if (!parseBlock(o.value(QStringLiteral("settingBlock")).toObject(), QByteArray(),
            &p.settingBlock, error))
        return false;
    const QJsonObject defaults = o.value(QStringLiteral("defaultBlock")).toObject();
    const QByteArray defaultBase
        = defaults.value(QStringLiteral("base")).toString() == QLatin1String("settingBlock")
        ? p.settingBlock
        : QByteArray();
    if (!parseBlock(defaults, defaultBase, &p.defaultBlock, error))
        return false;
    if (!parseHex(o.value(QStringLiteral("sensorData")).toString(), &p.sensorData)
        || !parseHex(
            o.value(QStringLiteral("mac")).toString(QStringLiteral("000000000000")), &p.mac)
        || p.mac.size() != kMacSize) {
        *error = QStringLiteral("bad sensorData or mac");
        return false;
    }
    p.address = o.value(QStringLiteral("address")).toString().toUtf8();
    if (o.value(QStringLiteral("parameterList")).isObject()) {
        // Page and parameter order matter to the program, and QJsonObject sorts its keys.
        cJSON *root = cJSON_Parse(json.constData());
        char *text
            = cJSON_PrintUnformatted(cJSON_GetObjectItemCaseSensitive(root, "parameterList"));
        p.parameterList = QByteArray(text);
        cJSON_free(text);
        cJSON_Delete(root);
    } else if (o.value(QStringLiteral("parameterList")).isString()) {
        // A printer whose parameter list is broken sends this text as it stands.
        p.parameterList = o.value(QStringLiteral("parameterList")).toString().toUtf8();
    }
    const QJsonObject tests = o.value(QStringLiteral("tests")).toObject();
    for (auto it = tests.begin(); it != tests.end(); ++it) {
        QVector<quint8> answers;
        for (const QJsonValue &v : it.value().toArray())
            answers.append(quint8(v.toInt()));
        if (answers.isEmpty()) {
            *error = QStringLiteral("test \"%1\" has no answers").arg(it.key());
            return false;
        }
        p.testOutcomes.insert(it.key(), answers);
    }
    for (const QJsonValue &v : o.value(QStringLiteral("serialQuiet")).toArray())
        p.serialQuiet.append(v.toString());
    *out = p;
    return true;
}

bool PrinterProfile::load(const QString &idOrFile, PrinterProfile *out, QString *error)
{
    initResources();
    QString path = idOrFile;
    if (!QFileInfo::exists(path))
        path = QStringLiteral("%1/%2.json").arg(QLatin1String(kResourceDir), idOrFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("no profile \"%1\" (built in: %2)")
                     .arg(idOrFile, builtInIds().join(QStringLiteral(", ")));
        return false;
    }
    if (!fromJson(file.readAll(), out, error)) {
        *error = QStringLiteral("%1: %2").arg(path, *error);
        return false;
    }
    return true;
}

QStringList PrinterProfile::builtInIds()
{
    initResources();
    QStringList ids;
    const QStringList files = QDir(QLatin1String(kResourceDir))
                                  .entryList({ QStringLiteral("*.json") }, QDir::Files, QDir::Name);
    for (const QString &f : files)
        ids.append(QFileInfo(f).completeBaseName());
    return ids;
}
