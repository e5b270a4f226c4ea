#include "maintenance_ui/devicetest.h"

#include <QCoreApplication>
#include <QDebug>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "components/stylesheets.h"
#include "maintenance_core/devicetest.h"
#include "maintenance_core/testpagetypes.h"

namespace {
constexpr int kGroupWidth = 1000;
constexpr int kStatusWidth = 120;
constexpr int kValueWidth = 100;
constexpr int kNameWidth = 260;
constexpr int kTestButtonWidth = 220;
constexpr int kButtonHeight = 40;
constexpr int kTestColumns = 3;
const QString kImage = QStringLiteral(":/images/DEV_QR70.jpg");

QString translated(const char *text)
{
    return QCoreApplication::translate("DeviceTest", text);
}

QString statusStyle(const char *colour)
{
    return QStringLiteral("QLabel{font-weight:normal;font-size:12px;color:%1;}")
        .arg(QLatin1String(colour));
}
} // namespace

DeviceTest::DeviceTest(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("DeviceTest"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#DeviceTest{border:1px solid black;background:white;}"));
    m_group = new QGroupBox(tr("Printer Test"), this);
    m_group->setFixedWidth(kGroupWidth);
    m_group->setStyleSheet(QStringLiteral(
        "QGroupBox{font-weight:bold;border:1px solid #34495E;border-radius:4px;margin-top:12px;}"
        "QGroupBox::title{subcontrol-origin:margin;left:12px;padding:0 4px;}"));
    new QVBoxLayout(m_group);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_group, 0, Qt::AlignHCenter | Qt::AlignTop);
}

void DeviceTest::clearGroup()
{
    delete m_content;
    m_content = nullptr;
    m_buttons.clear();
    m_rows.clear();
}

void DeviceTest::setTestType(int type)
{
    m_testType = type;
    m_paperPresent = false;
    clearGroup();
    m_content = new QWidget(m_group);
    m_group->layout()->addWidget(m_content);
    if (type == testpagetypes::kQr70)
        buildQr70Page();
    else
        qDebug() << "Device Type Not Specified.";
}

QPushButton *DeviceTest::makeButton(int request)
{
    const devicetest::TestInfo *test = devicetest::findRequest(request);
    auto *button = new QPushButton(translated(test->label), m_content);
    button->setMinimumSize(kTestButtonWidth, kButtonHeight);
    button->setStyleSheet(rkstyle::flatButton(QStringLiteral("#5c97bf"), QStringLiteral("#67809F"),
                              QStringLiteral("#34495E"))
        + QStringLiteral("QPushButton{color:white;font-weight:bold;border-radius:4px;}"));
    m_buttons.append({ request, button });
    return button;
}

void DeviceTest::buildQr70Page()
{
    auto *tests = new QGridLayout;
    tests->setHorizontalSpacing(20);
    tests->setVerticalSpacing(12);
    const QVector<void (DeviceTest::*)()> handlers {
        &DeviceTest::onClickedEnterHexMode,
        &DeviceTest::onClickedPrintFwInfo,
        &DeviceTest::onClickedPrintDevInfo,
        &DeviceTest::onClickedPrintMenu,
        &DeviceTest::onClickedDetectHeadTmp,
        &DeviceTest::onClickedPinTest,
    };
    for (int i = 0; i < handlers.size(); ++i) {
        QPushButton *button = makeButton(devicetest::tests().at(i).request);
        connect(button, &QPushButton::clicked, this, handlers.at(i));
        tests->addWidget(button, i / kTestColumns, i % kTestColumns);
    }

    QPushButton *refresh = makeButton(devicetest::RefreshSensors);
    connect(refresh, &QPushButton::clicked, this, &DeviceTest::onClickedRefreshSnsrValue);
    QPushButton *electrical = makeButton(devicetest::ElectricalCheck);
    connect(electrical, &QPushButton::clicked, this, &DeviceTest::onClickedElectricalChk);
    auto *sensorButtons = new QHBoxLayout;
    sensorButtons->addWidget(refresh);
    sensorButtons->addWidget(electrical);
    sensorButtons->addStretch();

    auto *sensorColumn = new QVBoxLayout;
    sensorColumn->addWidget(buildSensorTable());
    sensorColumn->addLayout(sensorButtons);

    auto *image = new QLabel(m_content);
    image->setObjectName(QStringLiteral("deviceImage"));
    image->setPixmap(QPixmap(kImage));
    image->setAlignment(Qt::AlignCenter);

    auto *lower = new QHBoxLayout;
    lower->addLayout(sensorColumn);
    lower->addStretch();
    lower->addWidget(image, 0, Qt::AlignVCenter);

    auto *layout = new QVBoxLayout(m_content);
    layout->setSpacing(16);
    layout->addLayout(tests);
    layout->addLayout(lower);
}

QWidget *DeviceTest::buildSensorTable()
{
    auto *table = new QWidget(m_content);
    table->setObjectName(QStringLiteral("sensorTable"));
    table->setAttribute(Qt::WA_StyledBackground);
    table->setStyleSheet(QStringLiteral(
        "#sensorTable{border:1px solid #BDC3C7;}"
        "#sensorTable QLabel{border-bottom:1px solid #ECF0F1;padding:2px 4px;}"));
    auto *grid = new QGridLayout(table);
    grid->setSpacing(0);
    auto *componentHeader = new QLabel(tr("Component"), table);
    auto *statusHeader = new QLabel(tr("status"), table);
    auto *valueHeader = new QLabel(table);
    for (QLabel *header : { componentHeader, statusHeader, valueHeader })
        header->setStyleSheet(QStringLiteral("QLabel{font-weight:bold;background:#ECF0F1;}"));
    statusHeader->setAlignment(Qt::AlignCenter);
    m_rows.append({ componentHeader, statusHeader, valueHeader });
    grid->addWidget(componentHeader, 0, 0);
    grid->addWidget(statusHeader, 0, 1);
    grid->addWidget(valueHeader, 0, 2);
    for (int row = 1; row <= devicetest::kSensorRows; ++row) {
        SensorLabels labels;
        labels.name = new QLabel(translated(devicetest::sensorName(row)), table);
        labels.name->setStyleSheet(QStringLiteral("QLabel{font-size:12px;}"));
        labels.name->setMinimumWidth(kNameWidth);
        labels.status = new QLabel(table);
        labels.status->setFixedWidth(kStatusWidth);
        labels.value = new QLabel(table);
        labels.value->setFixedWidth(kValueWidth);
        for (QLabel *l : { labels.status, labels.value })
            l->setAlignment(Qt::AlignCenter);
        grid->addWidget(labels.name, row, 0);
        grid->addWidget(labels.status, row, 1);
        grid->addWidget(labels.value, row, 2);
        m_rows.append(labels);
    }
    return table;
}

void DeviceTest::showSensors(const QByteArray &sensorData)
{
    if (m_testType != testpagetypes::kQr70 || m_rows.size() <= devicetest::kSensorRows)
        return;
    const devicetest::SensorReading reading = devicetest::decodeSensors(sensorData);
    for (int row = 1; row <= devicetest::kSensorRows; ++row) {
        const devicetest::SensorRow &r = reading.rows[row - 1];
        m_rows.at(row).value->setText(QString::number(r.value));
        if (r.status) {
            m_rows.at(row).status->setText(translated(r.status));
            m_rows.at(row).status->setStyleSheet(statusStyle(r.colour));
        }
    }
    if (reading.paper == devicetest::SensorReading::Paper::Present)
        m_paperPresent = true;
    else if (reading.paper == devicetest::SensorReading::Paper::Absent)
        m_paperPresent = false;
}

QPushButton *DeviceTest::button(int request) const
{
    for (const auto &b : m_buttons)
        if (b.first == request)
            return b.second;
    return nullptr;
}

QLabel *DeviceTest::statusLabel(int row) const
{
    return row >= 1 && row < m_rows.size() ? m_rows.at(row).status : nullptr;
}

QLabel *DeviceTest::valueLabel(int row) const
{
    return row >= 1 && row < m_rows.size() ? m_rows.at(row).value : nullptr;
}

QLabel *DeviceTest::nameLabel(int row) const
{
    return row >= 1 && row < m_rows.size() ? m_rows.at(row).name : nullptr;
}

void DeviceTest::onClickedEnterHexMode()
{
    emit deviceTestCmd(devicetest::EnterHexMode);
}

void DeviceTest::onClickedPrintFwInfo()
{
    emit deviceTestCmd(devicetest::PrintFwInfo);
}

void DeviceTest::onClickedPrintDevInfo()
{
    emit deviceTestCmd(devicetest::PrintInformation);
}

void DeviceTest::onClickedPrintMenu()
{
    emit deviceTestCmd(devicetest::PrintMenu);
}

void DeviceTest::onClickedDetectHeadTmp()
{
    emit deviceTestCmd(devicetest::DetectHeadTemperature);
}

void DeviceTest::onClickedPinTest()
{
    emit deviceTestCmd(devicetest::PinTest);
}

void DeviceTest::onClickedRefreshSnsrValue()
{
    emit deviceTestCmd(devicetest::RefreshSensors);
}

void DeviceTest::onClickedElectricalChk()
{
    emit deviceTestCmd(devicetest::ElectricalCheck);
}
