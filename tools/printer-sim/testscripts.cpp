#include "testscripts.h"

#include "printercommands.h"
#include "printerprofile.h"

namespace testscripts {

QStringList testNames()
{
    QStringList names;
    for (const SimCommandEntry &e : simCommandTable())
        if (e.reply == ReplyKind::TestOutcome && e.id != SimCommand::PollTest)
            names.append(QString::fromLatin1(e.name));
    return names;
}

bool applyScript(const QString &text, PrinterProfile *profile, QString *error)
{
    const int equals = text.indexOf(QLatin1Char('='));
    const QString name = text.left(equals);
    if (equals <= 0 || !testNames().contains(name)) {
        *error = QStringLiteral("--test wants NAME=A,B,... with NAME one of %1, not %2")
                     .arg(testNames().join(QLatin1String(", ")), text);
        return false;
    }
    QVector<quint8> answers;
    for (const QString &part : text.mid(equals + 1).split(QLatin1Char(','))) {
        bool ok = false;
        const uint value = part.trimmed().toUInt(&ok, 0);
        if (!ok || value > 255) {
            *error = QStringLiteral("--test %1: answers are bytes 0-255").arg(name);
            return false;
        }
        answers.append(quint8(value));
    }
    profile->testOutcomes.insert(name, answers);
    return true;
}

bool applySensors(const QString &hex, PrinterProfile *profile, QString *error)
{
    const QByteArray text = hex.toLatin1();
    const QByteArray data = QByteArray::fromHex(text);
    // fromHex skips what is not a digit; a typing error must not pass as other data.
    if (text.size() % 2 != 0 || data.size() * 2 != text.size()) {
        *error = QStringLiteral("--sensors wants hexadecimal bytes, not %1").arg(hex);
        return false;
    }
    profile->sensorData = data;
    return true;
}

} // namespace testscripts
