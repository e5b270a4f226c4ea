#pragma once

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>

class ConfigFile;
class QWidget;
class WidgetEngine;

using GroupRegistry = QMap<QString, QMap<int, QWidget *>>;

// Wires the controls of the special groups to each other: a DHCP switch that disables the
// address fields, a security kind that sets the key's length, a Define box that enables its
// value. Made for each opening of a block printer's settings; every rule is applied once when it
// is made, so the dependent fields start in the right state.
//
// Wi-Fi mode rules: in station mode (0) the DHCP switch is offered and the addresses are entered
// only while it is off; the start address is unused. In access point mode (1) the printer has its
// own fixed address: DHCP, gateway and DNS are unused, the start address is entered.
// Cut-sheet pairs of "Single Page" on printer type code "0302" stay disabled while the panel locks
// the cut-sheet margins (byte 223 not 0).
// By printer type: a type whose Ethernet positions come from the configuration has no IPv6, so
// its IPv6 switch and fields stay hidden. In "Emulation Mode", role 1 is the emulation choice and
// role r >= 2 holds a setting of the choice's item r - 2; a type whose choice lacks that item
// (an emulation the printer does not have) keeps the setting hidden.
class WidgetDispose : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WidgetDispose)

public:
    // Nothing is owned; config may be null (no tear-check memory).
    WidgetDispose(GroupRegistry &groups, const QString &typeCode, const QString &typeName,
        const QByteArray &block, WidgetEngine *engine, ConfigFile *config,
        QObject *parent = nullptr);

    // The check box and spin box pairs of "Black Mark", "Single Page" and "Position_0901"; after
    // an import as well.
    void applyPairs();
    // Every rule again, after the controls were filled anew without signals (factory defaults).
    void applyAll();
    int testNumber() const { return m_testNumber; }

public slots:
    void onchangeWifiModeSK(int index);
    void onchangeSecuritySK(int index);
    void dotTypeChangeQT52(int type);
    void dotTypeChangeQY30(int type);
    void dhcpChange(int index);
    void IPv6SwitchChange(int index);
    void testNumChange(QString text);
    void onchangeLanguage(int index);

private:
    QWidget *control(const QString &group, int role) const;
    int indexOf(const QString &group, int role) const;
    void wire();
    void hideByType();
    bool ipv6Hidden() const;
    void applyPair(const QString &group, int boxRole, int spinRole);
    void setDotRanges(int type, double firstSpan, double secondSpan);

    GroupRegistry &m_groups;
    QString m_typeCode;
    QString m_typeName;
    const QByteArray &m_block;
    WidgetEngine *m_engine;
    ConfigFile *m_config;
    int m_testNumber = 1;
};

// Shows or hides a control together with its caption and default text (the rest of its grid row).
void setGroupRowShown(QWidget *control, bool shown);
