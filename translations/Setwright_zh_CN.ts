<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ConnectPanel</name>
    <message>
        <location filename="../src/comm/connectpanel.cpp" line="+24"/>
        <location line="+62"/>
        <location line="+9"/>
        <location line="+7"/>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <location line="-77"/>
        <source>Disconnect</source>
        <translation>断开</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Restart</source>
        <translation>重启</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Port Config</source>
        <translation>端口配置</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Restart the program</source>
        <translation>重新启动程序</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Connection settings</source>
        <translation>连接设置</translation>
    </message>
</context>
<context>
    <name>HelpAboutPage</name>
    <message>
        <location filename="../src/components/helpaboutpage.cpp" line="+23"/>
        <source>Setting tool for impact printers: connect a printer, read and change its settings, test it and update its firmware.</source>
        <translation>针式打印机设置工具：连接打印机，读取并修改其设置，进行测试并升级固件。</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>The help file is missing:</source>
        <translation>找不到帮助文件：</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>No program to show the help file was found.</source>
        <translation>没有找到可以打开帮助文件的程序。</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Version</source>
        <translation>版本</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../src/app/mainwindow.cpp" line="+133"/>
        <source>Printer Settings</source>
        <translation>打印机设置</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Admin Printer Settings</source>
        <translation>管理员打印机设置</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Printer Testing</source>
        <translation>打印机测试</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Upgrade Firmware</source>
        <translation>升级固件</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>Port Config</source>
        <translation>端口配置</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Printer Info</source>
        <translation>打印机信息</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Please Connect To A Printer.</source>
        <translation>请先连接打印机。</translation>
    </message>
    <message>
        <location line="+61"/>
        <source>Setwright Tool</source>
        <translation>设置工具</translation>
    </message>
</context>
<context>
    <name>OptionBar</name>
    <message>
        <location filename="../src/app/optionbar.cpp" line="+41"/>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Printer Settings</source>
        <translation>打印机设置</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Test</source>
        <translation>测试</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Printer Testing</source>
        <translation>打印机测试</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Upgrade</source>
        <translation>升级</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Upgrade Firmware</source>
        <translation>升级固件</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>About Us</source>
        <translation>关于我们</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Setwright Tool</source>
        <translation>设置工具</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Setup</source>
        <translation>配置</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Admin Printer Settings</source>
        <translation>管理员打印机设置</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../src/app/main.cpp" line="+40"/>
        <source>The software is already running!</source>
        <translation>软件已经在运行！</translation>
    </message>
</context>
<context>
    <name>SettingsDatabase</name>
    <message>
        <location filename="../src/database/settingsdatabase.cpp" line="+16"/>
        <source>Cannot open SWTDatabase.db</source>
        <translation>无法打开 SWTDatabase.db</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unable to establish a database connection.</source>
        <translation>无法建立数据库连接。</translation>
    </message>
</context>
<context>
    <name>TipWidget</name>
    <message>
        <location filename="../src/app/tipwidget.cpp" line="+32"/>
        <source>Tip</source>
        <translation>提示</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Confirm(0)</source>
        <translation>确定(0)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel(C)</source>
        <translation>取消(C)</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>WindowHandler</name>
    <message>
        <location filename="../src/app/windowhandler.cpp" line="+35"/>
        <source>Back to Home.</source>
        <translation>返回主页。</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
</TS>
