#pragma once

#include <array>

#include <QStringList>

#include "comm/usbport.h"
#include "comm/usbprinterdevices.h"

class ConfigFile;

// The USB port on the system's printer class driver: up to ten attached printers, one of them
// selected for the exchanges. Failures are thrown as COMM_ERROR_CODE values.
class ClassDriverUsbPort : public UsbPort
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClassDriverUsbPort)

public:
    static constexpr int kMaxDevices = 10;
    static constexpr int kDefaultPollIntervalMs = 1000;
    // The engine's "whatever is there" read size; such a read is never completed by polling.
    static constexpr int kReadAnything = 100;

    ClassDriverUsbPort(const UsbPrinterDevices &devices, int timeoutMs, QObject *parent = nullptr);
    // The devices of the configured roots.
    ClassDriverUsbPort(const ConfigFile *config, int timeoutMs, QObject *parent = nullptr);
    ~ClassDriverUsbPort() override;

    void setTimeout(int ms) override { m_timeout = ms; }
    void setPollInterval(int ms) override { m_pollInterval = ms; }
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

    int deviceCount() const override { return m_deviceCount; }
    QString serialNumberAt(int position) const override { return m_serialNumbers.value(position); }
    bool modelNameAt(int position, QString *model) override;
    void resetEnumeration() override;

    int selected() const { return m_selected; }
    bool isOpen() const { return m_open; }
    QStringList productIds() const { return m_productIds; }

    // The product id and serial number rules for a device's instance id.
    static void parseInstanceId(
        const QString &instanceId, QString *productId, QString *serialNumber);
    // The model ("MDL:" or "MODEL:") of a device id that starts with its 2-byte length;
    // false when the id is empty.
    static bool modelOf(const QByteArray &deviceId, QString *model);

private:
    UsbPrinterDevices::Handle selectedHandle() const;
    void closeHandles();

    UsbPrinterDevices m_devices;
    int m_selected = 0;
    std::array<UsbPrinterDevices::Handle, kMaxDevices> m_handles;
    std::array<UsbPrinterInterface, kMaxDevices> m_interfaces;
    int m_deviceCount = 0;
    QStringList m_productIds;
    QStringList m_serialNumbers;
    QString m_rememberedProductId;
    bool m_open = false;
    int m_timeout;
    int m_pollInterval = kDefaultPollIntervalMs;
};
