#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// One printer the simulator can play, read from a JSON data file.
struct PrinterProfile
{
    QString id;
    QByteArray modelReply; // identification record, without the marker
    bool marker = false; // newer layout: the marker goes in front of the model reply
    QByteArray edsRecord;
    QString typeCode;
    quint8 modeByte = 0;
    QByteArray settingBlock;
    QByteArray defaultBlock;
    QByteArray sensorData;
    QByteArray mac;
    QByteArray address; // answer to the network address read
    QByteArray parameterList; // JSON text; only parameter-list printers have one
    quint8 ack = 1; // the one-byte answer to writes, resets and cancels
    // Test command name -> first answer followed by the answers to the polls.
    QHash<QString, QVector<quint8>> testOutcomes;
    // Commands the printer leaves unanswered on a serial link.
    QStringList serialQuiet;

    // Loads a profile by id (embedded profiles) or from a file path.
    static bool load(const QString &idOrFile, PrinterProfile *out, QString *error);
    static bool fromJson(const QByteArray &json, PrinterProfile *out, QString *error);
    static QStringList builtInIds();
};
