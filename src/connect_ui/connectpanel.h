#pragma once

#include <QWidget>

class QPushButton;
class QTimer;

// The bar with Connect, Disconnect, Restart and the connection configuration button.
class ConnectPanel : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConnectPanel)

public:
    static constexpr int kLockoutSeconds = 6;

    explicit ConnectPanel(QWidget *parent = nullptr);

    bool isConnected() const { return m_connected; }
    void setConnected(bool connected);

    QPushButton *connectButton() const { return m_connect; }
    QPushButton *disconnectButton() const { return m_disconnect; }
    QPushButton *configButton() const { return m_config; }
    QPushButton *restartButton() const { return m_restart; }
    QTimer *lockoutTimer() const { return m_timer; }

signals:
    void connectPrinter();
    void disconnectPrinter();
    void showConnectConfig();
    void restarting();

private slots:
    void onConnect();
    void onDisconnect();
    void onConfig();
    void onLockoutTick();

private:
    void updateButtons();

    QPushButton *m_connect = nullptr;
    QPushButton *m_disconnect = nullptr;
    QPushButton *m_config = nullptr;
    QPushButton *m_restart = nullptr;
    QTimer *m_timer = nullptr;
    int m_counter = kLockoutSeconds;
    bool m_connected = false;
};
