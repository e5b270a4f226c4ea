#pragma once

#include <functional>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

// The USB printer port as the communication engine uses it. The operating system's printer
// class driver sits behind an implementation of this interface; failures are thrown as
// COMM_ERROR_CODE values.
class UsbPort : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UsbPort)

public:
    explicit UsbPort(QObject *parent = nullptr);

    virtual void setTimeout(int ms) = 0;
    virtual void setPollInterval(int ms) = 0;
    // Discovers and opens the attached printers; returns how many were opened.
    virtual int open() = 0;
    virtual void close() = 0;
    // Polling writer (ordinary sends) and waiting writer (bulk sends without re-scan).
    virtual bool write(const QByteArray &data) = 0;
    virtual bool writeWait(const QByteArray &data) = 0;
    virtual QByteArray read(int length) = 0;
    // Keep the selected printer's product id, and find it again after a new discovery.
    virtual void rememberSelected() = 0;
    virtual void reselect() = 0;
    virtual void selectByPosition(int position) = 0;
    virtual QByteArray deviceId() = 0;
    virtual QString modelName() = 0;
    // The status requests that help a printer through its restart.
    virtual void queryStatus() = 0;

    // Devices opened by the last discovery.
    virtual int deviceCount() const { return 0; }
    // The serial number taken from the device's instance id; empty when it has none.
    virtual QString serialNumberAt(int position) const;
    // The model from the device id of the device at this position; false when the device did
    // not answer the request.
    virtual bool modelNameAt(int position, QString *model);
    // Forgets the discovered devices (handles closed) and the name lists.
    virtual void resetEnumeration();

    // One name per discovered device, for the user to pick from; every device can be picked.
    QStringList listDeviceNames(int count);
    // Only the devices whose model the program knows; selectByPosition(i) then picks entry i.
    QStringList listSupportedDevices(
        int count, const std::function<bool(const QString &)> &isKnown);
    QStringList deviceNames() const { return m_deviceNames; }
    QVector<int> positions() const { return m_positions; }

    // Model names of the settings database that the printers report differently.
    static QString knownModelName(const QString &model);

protected:
    // Selections by list entry pick these handle positions.
    void setPositions(const QVector<int> &positions) { m_positions = positions; }

private:
    void distinguishEqualNames();

    QStringList m_deviceNames;
    QVector<int> m_positions;
};

// Used until a printer class driver is wired in, and where none exists: no printers attached.
class UnavailableUsbPort : public UsbPort
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UnavailableUsbPort)

public:
    explicit UnavailableUsbPort(QObject *parent = nullptr);

    void setTimeout(int ms) override;
    void setPollInterval(int ms) override;
    int open() override;
    void close() override;
    bool write(const QByteArray &data) override;
    bool writeWait(const QByteArray &data) override;
    QByteArray read(int length) override;
    void rememberSelected() override;
    void reselect() override;
    void selectByPosition(int position) override;
    QByteArray deviceId() override;
    QString modelName() override;
    void queryStatus() override;
};
