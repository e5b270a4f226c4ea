<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutWidget</name>
    <message>
        <source>&lt;b&gt;Setwright Tool 2016&lt;/b&gt;</source>
        <translation>&lt;b&gt;设置工具 2016&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Login as Admin.</source>
        <translation>以管理员身份登录。</translation>
    </message>
</context>
<context>
    <name>AdOptionCombobox</name>
    <message>
        <source>Define</source>
        <translation>自定义</translation>
    </message>
    <message>
        <source>Please input 5 number password!</source>
        <translation>请输入 5 位密码！</translation>
    </message>
    <message>
        <source>Please input 13 number password!</source>
        <translation>请输入 13 位密码！</translation>
    </message>
    <message>
        <source>Please input 8~23 number password!</source>
        <translation>请输入 8~23 位密码！</translation>
    </message>
</context>
<context>
    <name>AdOptionEdit</name>
    <message>
        <source>Please input 5 number password!</source>
        <translation>请输入 5 位密码！</translation>
    </message>
    <message>
        <source>Please input 13 number password!</source>
        <translation>请输入 13 位密码！</translation>
    </message>
    <message>
        <source>Please input 8~23 number password!</source>
        <translation>请输入 8~23 位密码！</translation>
    </message>
</context>
<context>
    <name>AdminOptionsSetting</name>
    <message>
        <source>Content Setting</source>
        <translation>文字内容设置</translation>
    </message>
    <message>
        <source>Simplified Chinese</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Formula Setting</source>
        <translation>公式设置</translation>
    </message>
    <message>
        <source> New</source>
        <translation> 新建</translation>
    </message>
</context>
<context>
    <name>AdminSettingsWidget</name>
    <message>
        <source>Annotations</source>
        <translation>注释</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>FW</source>
        <translation>固件</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Sections</source>
        <translation>分区</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>恢复默认</translation>
    </message>
    <message>
        <source>Read Settings</source>
        <translation>读取设置</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>No comments</source>
        <translation>无注释</translation>
    </message>
</context>
<context>
    <name>ComboBoxDialogs</name>
    <message>
        <source>Control properties</source>
        <translation>控件属性</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Control properties:</source>
        <translation>控件属性：</translation>
    </message>
    <message>
        <source>Edit(English&amp;Chinese):</source>
        <translation>编辑（英文和中文）：</translation>
    </message>
    <message>
        <source>Byte size:</source>
        <translation>字节数：</translation>
    </message>
    <message>
        <source>1024 Byte location:</source>
        <translation>1024字节位置：</translation>
    </message>
    <message>
        <source>MinLength:</source>
        <translation>最小值：</translation>
    </message>
    <message>
        <source>MaxLength:</source>
        <translation>最大值：</translation>
    </message>
    <message>
        <source>Read formula:</source>
        <translation>读取公式：</translation>
    </message>
    <message>
        <source>Write formula:</source>
        <translation>写入公式：</translation>
    </message>
    <message>
        <source>Instruction type:</source>
        <translation>指令类型：</translation>
    </message>
    <message>
        <source>Instruction names:</source>
        <translation>指令名称：</translation>
    </message>
    <message>
        <source>Parameters of the command position:</source>
        <translation>指令参数位置：</translation>
    </message>
    <message>
        <source>Is show or hide setup:</source>
        <translation>显示或隐藏设置：</translation>
    </message>
    <message>
        <source>Connect byte:</source>
        <translation>关联字节：</translation>
    </message>
    <message>
        <source>Vaild Value:</source>
        <translation>有效值：</translation>
    </message>
    <message>
        <source>Sub-option(Chinese&amp;English):</source>
        <translation>子选项（中文和英文）：</translation>
    </message>
    <message>
        <source>English++Chinese++value; double-click to edit</source>
        <translation>英文++中文++值；双击编辑</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Annotation(Chinese):</source>
        <translation>注释（中文）：</translation>
    </message>
    <message>
        <source>Annotation(English):</source>
        <translation>注释（英文）：</translation>
    </message>
</context>
<context>
    <name>Communication</name>
    <message>
        <source>Open Port Error</source>
        <translation>打开端口错误</translation>
    </message>
    <message>
        <source>Write Port Error</source>
        <translation>写端口错误</translation>
    </message>
    <message>
        <source>Read Port Error Or
The Port Is Occupied</source>
        <translation>读端口错误或
端口被占用</translation>
    </message>
    <message>
        <source>TimeOut Error</source>
        <translation>超时错误</translation>
    </message>
    <message>
        <source>WIFI connect fail</source>
        <translation>WIFI 连接失败</translation>
    </message>
    <message>
        <source>Ethernet connect fail</source>
        <translation>以太网连接失败</translation>
    </message>
</context>
<context>
    <name>ConnectConfig</name>
    <message>
        <source>USB</source>
        <translation>USB</translation>
    </message>
    <message>
        <source>Serial Port</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>LPT</source>
        <translation>并口</translation>
    </message>
    <message>
        <source>Wifi</source>
        <translation>Wifi</translation>
    </message>
    <message>
        <source>Bluetooth</source>
        <translation>蓝牙</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>网络</translation>
    </message>
    <message>
        <source>Port Config</source>
        <translation>端口配置</translation>
    </message>
    <message>
        <source>Port Type</source>
        <translation>端口类型</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>USB Port</source>
        <translation>USB 端口</translation>
    </message>
    <message>
        <source>No Parity</source>
        <translation>无校验</translation>
    </message>
    <message>
        <source>Even Parity</source>
        <translation>偶校验</translation>
    </message>
    <message>
        <source>Odd Parity</source>
        <translation>奇校验</translation>
    </message>
    <message>
        <source>One Stop</source>
        <translation>1 位停止位</translation>
    </message>
    <message>
        <source>One and Half Stop</source>
        <translation>1.5 位停止位</translation>
    </message>
    <message>
        <source>Two Stop</source>
        <translation>2 位停止位</translation>
    </message>
    <message>
        <source>No Flow Control</source>
        <translation>无流控</translation>
    </message>
    <message>
        <source>HardWare Control</source>
        <translation>硬件流控</translation>
    </message>
    <message>
        <source>Software Control</source>
        <translation>软件流控</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>波特率</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>校验位</translation>
    </message>
    <message>
        <source>Data Bits</source>
        <translation>数据位</translation>
    </message>
    <message>
        <source>Stop Bits</source>
        <translation>停止位</translation>
    </message>
    <message>
        <source>Flow Control</source>
        <translation>流控制</translation>
    </message>
    <message>
        <source>Note: When using the serial port,it is recommended to set 115200
baud rate for fast, safe and accurate data transmission</source>
        <translation>注意：使用串口时，建议设置 115200
波特率，以获得快速、安全、准确的数据传输</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>恢复默认</translation>
    </message>
    <message>
        <source>LPT Ports</source>
        <translation>并口端口</translation>
    </message>
    <message>
        <source>LPT Config</source>
        <translation>并口配置</translation>
    </message>
    <message>
        <source>Server IP:</source>
        <translation>服务器 IP：</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>Wifi Config</source>
        <translation>Wifi 配置</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Bluetooth Device Select</source>
        <translation>蓝牙设备选择</translation>
    </message>
    <message>
        <source>Printer IP:</source>
        <translation>打印机 IP：</translation>
    </message>
    <message>
        <source>Network Config</source>
        <translation>网络配置</translation>
    </message>
    <message>
        <source>Please input the correct server IP.</source>
        <translation>请输入正确的服务器 IP。</translation>
    </message>
    <message>
        <source>Please select the bluetooth device.</source>
        <translation>请选择蓝牙设备。</translation>
    </message>
    <message>
        <source>No Bluetooth service is running on this computer (bluetoothd), so no Bluetooth printer can be found.</source>
        <translation>本机没有运行蓝牙服务 (bluetoothd)，无法查找蓝牙打印机。</translation>
    </message>
    <message>
        <source>This computer has no Bluetooth adapter, so no Bluetooth printer can be found.</source>
        <translation>本机没有蓝牙适配器，无法查找蓝牙打印机。</translation>
    </message>
    <message>
        <source>The Bluetooth adapter is switched off. Switch it on and refresh again.</source>
        <translation>蓝牙适配器已关闭。请打开后再次刷新。</translation>
    </message>
    <message>
        <source>The Bluetooth search failed. Refresh again.</source>
        <translation>蓝牙搜索失败。请再次刷新。</translation>
    </message>
</context>
<context>
    <name>ConnectPanel</name>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>断开</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>重启</translation>
    </message>
    <message>
        <source>Port Config</source>
        <translation>端口配置</translation>
    </message>
    <message>
        <source>Restart the program</source>
        <translation>重新启动程序</translation>
    </message>
    <message>
        <source>Connection settings</source>
        <translation>连接设置</translation>
    </message>
</context>
<context>
    <name>ContentEditor</name>
    <message>
        <source>Edit content Null.</source>
        <translation>编辑内容为空。</translation>
    </message>
    <message>
        <source>Select a content first.</source>
        <translation>请先选择一条内容。</translation>
    </message>
    <message>
        <source>DUpdate content Success.</source>
        <translation>内容更新成功。</translation>
    </message>
    <message>
        <source>Edite content Null.</source>
        <translation>编辑内容为空。</translation>
    </message>
    <message>
        <source>New Chinese content Null</source>
        <translation>新的中文内容为空</translation>
    </message>
    <message>
        <source>New English content Null</source>
        <translation>新的英文内容为空</translation>
    </message>
    <message>
        <source>New Chinese content existed</source>
        <translation>新的中文内容已存在</translation>
    </message>
    <message>
        <source>New English content existed</source>
        <translation>新的英文内容已存在</translation>
    </message>
    <message>
        <source>Create content success.</source>
        <translation>内容创建成功。</translation>
    </message>
    <message>
        <source>Delete content Success</source>
        <translation>内容删除成功</translation>
    </message>
</context>
<context>
    <name>DBManageWidget</name>
    <message>
        <source>Login</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>Log in to edit the contents and formulas.</source>
        <translation>登录后才能编辑内容和公式。</translation>
    </message>
    <message>
        <source>User: </source>
        <translation>用户：</translation>
    </message>
    <message>
        <source>Password: </source>
        <translation>密码：</translation>
    </message>
    <message>
        <source>Logged in as %1.</source>
        <translation>已登录：%1。</translation>
    </message>
    <message>
        <source>Login failed: wrong user name or password.</source>
        <translation>登录失败：用户名或密码错误。</translation>
    </message>
</context>
<context>
    <name>DeleteMulDialogs</name>
    <message>
        <source>Delete Printer</source>
        <translation>删除打印机</translation>
    </message>
    <message>
        <source>Select Printer Mode</source>
        <translation>选择打印机型号</translation>
    </message>
    <message>
        <source>Please Select</source>
        <translation>请选择</translation>
    </message>
    <message>
        <source>SelectAll</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>NotSelectAll</source>
        <translation>取消全选</translation>
    </message>
</context>
<context>
    <name>DesignModel</name>
    <message>
        <source>Chinese Name is null!</source>
        <translation>中文名称为空！</translation>
    </message>
    <message>
        <source>English Name is null!</source>
        <translation>英文名称为空！</translation>
    </message>
    <message>
        <source>Both English and Chinese must change simultaneously. If one is to be modified, you can modify it in the setwright tool page</source>
        <translation>中英文名称必须同时修改。如只修改其中一个，请在设置工具页面中修改</translation>
    </message>
</context>
<context>
    <name>DesignerFlow</name>
    <message>
        <source>Log in on the Edit page first.</source>
        <translation>请先在编辑页面登录。</translation>
    </message>
    <message>
        <source>welcome</source>
        <translation>欢迎</translation>
    </message>
    <message>
        <source>Save Successful</source>
        <translation>保存成功</translation>
    </message>
    <message>
        <source>Are you sure you want to delete </source>
        <translation>确定要删除 </translation>
    </message>
    <message>
        <source>printer mode?</source>
        <translation>个打印机型号吗？</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>欢迎</translation>
    </message>
    <message>
        <source>Delete successfully</source>
        <translation>删除成功</translation>
    </message>
</context>
<context>
    <name>DeviceTest</name>
    <message>
        <source>Short/Open</source>
        <translation>短路/开路</translation>
    </message>
    <message>
        <source>Paper In</source>
        <translation>有纸</translation>
    </message>
    <message>
        <source>Paper Out</source>
        <translation>缺纸</translation>
    </message>
    <message>
        <source>Open/Unconnect</source>
        <translation>开路/未连接</translation>
    </message>
    <message>
        <source>Release</source>
        <translation>松开</translation>
    </message>
    <message>
        <source>Press Down</source>
        <translation>压下</translation>
    </message>
    <message>
        <source>High/Low</source>
        <translation>过高/过低</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>Overheating</source>
        <translation>过热</translation>
    </message>
    <message>
        <source>Stop as high</source>
        <translation>过高停止</translation>
    </message>
    <message>
        <source>Enter Hex Mode</source>
        <translation>进入十六进制模式</translation>
    </message>
    <message>
        <source>Print Fw Info</source>
        <translation>打印固件信息</translation>
    </message>
    <message>
        <source>Print Information</source>
        <translation>打印信息</translation>
    </message>
    <message>
        <source>Print Menu</source>
        <translation>打印菜单</translation>
    </message>
    <message>
        <source>Detect Head Temperature</source>
        <translation>检测打印头温度</translation>
    </message>
    <message>
        <source>Pin Test</source>
        <translation>针测试</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Electrical Check</source>
        <translation>电气检查</translation>
    </message>
    <message>
        <source>Fanfold Paper</source>
        <translation>连续纸</translation>
    </message>
    <message>
        <source>Single Paper</source>
        <translation>单页纸</translation>
    </message>
    <message>
        <source>Normal Mode</source>
        <translation>普通模式</translation>
    </message>
    <message>
        <source>Strengthening Copy</source>
        <translation>加强复写</translation>
    </message>
    <message>
        <source>1.Friction Paper Sensor
  Fanfold paper sensor</source>
        <translation>1.摩擦进纸传感器
  连续纸传感器</translation>
    </message>
    <message>
        <source>2.Paper width sensor1
  Black mark sensor</source>
        <translation>2.纸宽传感器1
  黑标传感器</translation>
    </message>
    <message>
        <source>3.Paper width sensor2</source>
        <translation>3.纸宽传感器2</translation>
    </message>
    <message>
        <source>4.Paper-pressed lever sensor</source>
        <translation>4.压纸杆传感器</translation>
    </message>
    <message>
        <source>5.Head temperature</source>
        <translation>5.打印头温度</translation>
    </message>
    <message>
        <source>6.Paper path sensor</source>
        <translation>6.纸路传感器</translation>
    </message>
    <message>
        <source>7.Gap sensor</source>
        <translation>7.间隙传感器</translation>
    </message>
    <message>
        <source>Printer Test</source>
        <translation>打印机测试</translation>
    </message>
    <message>
        <source>Component</source>
        <translation>部件</translation>
    </message>
    <message>
        <source>status</source>
        <translation>状态</translation>
    </message>
</context>
<context>
    <name>DeviceTestFlow</name>
    <message>
        <source>Paper is Needed.</source>
        <translation>需要装纸。</translation>
    </message>
    <message>
        <source>The printer reported no test result.</source>
        <translation>打印机没有报告测试结果。</translation>
    </message>
</context>
<context>
    <name>DriverInstaller</name>
    <message>
        <source>The printer driver installation was aborted. </source>
        <translation>打印机驱动程序的安装已中止。</translation>
    </message>
    <message>
        <source>A system error occurred.
Exit the program.</source>
        <translation>发生系统错误。
程序将退出。</translation>
    </message>
    <message>
        <source>NORVALE RK Series Printer Driver Package</source>
        <translation>NORVALE RK 系列打印机驱动程序包</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英语</translation>
    </message>
    <message>
        <source>French</source>
        <translation>法语</translation>
    </message>
    <message>
        <source>German</source>
        <translation>德语</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>意大利语</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>西班牙语</translation>
    </message>
    <message>
        <source>Missing printer driver files.
Exit the program.</source>
        <translation>缺少打印机驱动程序文件。
程序将退出。</translation>
    </message>
    <message>
        <source>&quot;Use a network port&quot; is selected.
Use the Add Printer Wizard to set up the printer driver.
Select the port in the &quot;Printer selection&quot; of the installation wizard.
When the port is not ready, select the temporary port like &quot;LPT1:&quot;.
</source>
        <translation>已选择“使用网络端口”。
请使用添加打印机向导安装打印机驱动程序。
在安装向导的“打印机选择”中选择端口。
端口尚未就绪时，请先选择“LPT1:”之类的临时端口。
</translation>
    </message>
    <message>
        <source>Printer driver is ready for installation.
Connect the printer to your PC and turn on the printer power.

Click the OK button.</source>
        <translation>打印机驱动程序已准备好安装。
请将打印机连接到电脑并打开打印机电源。

请单击“确定”按钮。</translation>
    </message>
    <message>
        <source>The printer driver is ready, but the printer setup tool &quot;%1&quot; is not installed.
Add the printer with the printer settings of your desktop.

Exit the program.</source>
        <translation>打印机驱动程序已就绪，但未安装打印机设置工具“%1”。
请用桌面系统的打印机设置添加打印机。

程序将退出。</translation>
    </message>
    <message>
        <source>Printer driver installation has been completed.
When the temporary port like &quot;LPT1:&quot; is selected, change the port setting of property of Printer later.

Click the OK button.</source>
        <translation>打印机驱动程序安装已完成。
如果选择了“LPT1:”之类的临时端口，请稍后在打印机属性中更改端口设置。

请单击“确定”按钮。</translation>
    </message>
    <message>
        <source>Quit NORVALE RK Series Printer Driver Package

IS it OK?</source>
        <translation>退出 NORVALE RK 系列打印机驱动程序包

确定吗？</translation>
    </message>
</context>
<context>
    <name>FirmwareDownload</name>
    <message>
        <source>Complete!
Printer will be restarted</source>
        <translation>完成！
打印机将重新启动</translation>
    </message>
    <message>
        <source>Failed to send data
Firmware Update Error!</source>
        <translation>发送数据失败
固件更新错误！</translation>
    </message>
    <message>
        <source>Firmware Update Error!</source>
        <translation>固件更新错误！</translation>
    </message>
    <message>
        <source>Firmware cannot be read!</source>
        <translation>无法读取固件！</translation>
    </message>
    <message>
        <source>Do you want to update firmware ?</source>
        <translation>是否要更新固件？</translation>
    </message>
</context>
<context>
    <name>FormulaEditor</name>
    <message>
        <source>Edit Formula Null.</source>
        <translation>编辑的公式为空。</translation>
    </message>
    <message>
        <source>Select a formula first.</source>
        <translation>请先选择一个公式。</translation>
    </message>
    <message>
        <source>Update Formula Success.</source>
        <translation>公式更新成功。</translation>
    </message>
    <message>
        <source>Create Formula Null.</source>
        <translation>新建的公式为空。</translation>
    </message>
    <message>
        <source>New Formula existed.</source>
        <translation>新公式已存在。</translation>
    </message>
    <message>
        <source>Create Formula success.</source>
        <translation>公式创建成功。</translation>
    </message>
    <message>
        <source>Delete Formula Success.</source>
        <translation>公式删除成功。</translation>
    </message>
</context>
<context>
    <name>GroupFlow</name>
    <message>
        <source>Save Successful</source>
        <translation>保存成功</translation>
    </message>
    <message>
        <source>The printer did not report a network address.</source>
        <translation>打印机未返回网络地址。</translation>
    </message>
    <message>
        <source>IP:address=</source>
        <translation>IP:地址=</translation>
    </message>
    <message>
        <source>The printer did not report a MAC address.</source>
        <translation>打印机未返回 MAC 地址。</translation>
    </message>
    <message>
        <source>address = </source>
        <translation>地址 = </translation>
    </message>
    <message>
        <source>Please input the correct MAC address.</source>
        <translation>请输入正确的 MAC 地址。</translation>
    </message>
    <message>
        <source>Please choose!</source>
        <translation>请选择！</translation>
    </message>
</context>
<context>
    <name>HelpAboutPage</name>
    <message>
        <source>Setting tool for impact printers: connect a printer, read and change its settings, test it and update its firmware.</source>
        <translation>针式打印机设置工具：连接打印机，读取并修改其设置，进行测试并升级固件。</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>The help file is missing:</source>
        <translation>找不到帮助文件：</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>The help file cannot be read:</source>
        <translation>无法读取帮助文件：</translation>
    </message>
</context>
<context>
    <name>HelpViewer</name>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>后退</translation>
    </message>
</context>
<context>
    <name>InstallerPage</name>
    <message>
        <source>Select a printer driver.
To use a network port, check mark the option &quot;Use a network port&quot;.</source>
        <translation>请选择打印机驱动程序。
要使用网络端口，请勾选“使用网络端口”选项。</translation>
    </message>
    <message>
        <source>Add a Printer Driver package.</source>
        <translation>添加打印机驱动程序包。</translation>
    </message>
    <message>
        <source>Select the printer driver language.</source>
        <translation>请选择打印机驱动程序的语言。</translation>
    </message>
    <message>
        <source>Use a network port</source>
        <translation>使用网络端口</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>LauncherWindow</name>
    <message>
        <source>Norvale RK Series
Software Setup</source>
        <translation>Norvale RK 系列
软件安装</translation>
    </message>
    <message>
        <source>Select the printer and click OK.</source>
        <translation>请选择打印机并单击“确定”。</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Printer Driver</source>
        <translation>打印机驱动程序</translation>
    </message>
    <message>
        <source>Comments</source>
        <translation>说明</translation>
    </message>
</context>
<context>
    <name>ListWidget</name>
    <message>
        <source>Device Select</source>
        <translation>设备选择</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>LogoBar</name>
    <message>
        <source>Printer Setting Tool</source>
        <translation>打印机设置工具</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Port setting successful.</source>
        <translation>端口设置成功。</translation>
    </message>
    <message>
        <source>Please Connect To A Printer.</source>
        <translation>请先连接打印机。</translation>
    </message>
    <message>
        <source>communicate Error: </source>
        <translation>通信错误：</translation>
    </message>
    <message>
        <source>Test success.</source>
        <translation>测试成功。</translation>
    </message>
    <message>
        <source>Device Test Failed.</source>
        <translation>设备测试失败。</translation>
    </message>
    <message>
        <source>Out Of Paper.</source>
        <translation>缺纸。</translation>
    </message>
    <message>
        <source>communicate Error:Open Port Error</source>
        <translation>通信错误：打开端口错误</translation>
    </message>
    <message>
        <source>This model does not support setup</source>
        <translation>该型号不支持设置</translation>
    </message>
    <message>
        <source>Please select the bluetooth device.</source>
        <translation>请选择蓝牙设备。</translation>
    </message>
    <message>
        <source>Printer has changed!</source>
        <translation>打印机已更换！</translation>
    </message>
    <message>
        <source>Save Successful</source>
        <translation>保存成功</translation>
    </message>
    <message>
        <source>Some paramter has channge
Do you want to save ？</source>
        <translation>部分参数已更改
是否保存？</translation>
    </message>
    <message>
        <source>Please confirm whether to restore the
factory default value</source>
        <translation>请确认是否恢复
出厂默认值</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Export fail</source>
        <translation>导出失败</translation>
    </message>
    <message>
        <source>Export Successfully</source>
        <translation>导出成功</translation>
    </message>
    <message>
        <source>load</source>
        <translation>载入</translation>
    </message>
    <message>
        <source>Printer type different!</source>
        <translation>打印机型号不同！</translation>
    </message>
    <message>
        <source>This is not a settings file.</source>
        <translation>这不是设置文件。</translation>
    </message>
    <message>
        <source>Import Successfully</source>
        <translation>导入成功</translation>
    </message>
    <message>
        <source>This model does not support testing.</source>
        <translation>该型号不支持测试。</translation>
    </message>
    <message>
        <source>Some paramter not be saved
Do you want to save ？</source>
        <translation>部分参数未保存
是否保存？</translation>
    </message>
</context>
<context>
    <name>MenuDialogs</name>
    <message>
        <source>Modify</source>
        <translation>修改</translation>
    </message>
    <message>
        <source>Common</source>
        <translation>普通</translation>
    </message>
    <message>
        <source>OnePosiType</source>
        <translation>单位置</translation>
    </message>
    <message>
        <source>TwoPosiType</source>
        <translation>双位置</translation>
    </message>
    <message>
        <source>MulPosiType</source>
        <translation>多位置</translation>
    </message>
    <message>
        <source>Name(chinese):</source>
        <translation>名称（中文）：</translation>
    </message>
    <message>
        <source>Name(english):</source>
        <translation>名称（英文）：</translation>
    </message>
    <message>
        <source>Show Type</source>
        <translation>显示类型</translation>
    </message>
    <message>
        <source>PositionOne</source>
        <translation>位置一</translation>
    </message>
    <message>
        <source>PositionTwo</source>
        <translation>位置二</translation>
    </message>
    <message>
        <source>PositionMul</source>
        <translation>多个位置</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>值</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
</context>
<context>
    <name>NoticeDialog</name>
    <message>
        <source>If your operating system is Windows 7 / Windows Server 2008 R2 and later, click the OK button.
For any other Windows operating system, click the Cancel button and read &quot;Readme.txt&quot; in your operating system.

Read InstallGuide.PDF or README.TXT for how to install the printer driver.</source>
        <translation>如果您的操作系统是 Windows 7 / Windows Server 2008 R2 或更高版本，请单击“确定”按钮。
如果是其他 Windows 操作系统，请单击“取消”按钮，并阅读适用于您的操作系统的“Readme.txt”。

如何安装打印机驱动程序，请阅读 InstallGuide.PDF 或 README.TXT。</translation>
    </message>
    <message>
        <source>For Windows 7 / Windows Server 2008 R2 and later, install the printer driver before connecting the printer to your personal computer.
Either of the following messages is displayed in the setup program:
  Printer is ready for installation.
  Printer driver installation has been completed.
After the message is displayed, connect the printer to your PC.</source>
        <translation>对于 Windows 7 / Windows Server 2008 R2 及更高版本，请先安装打印机驱动程序，再将打印机连接到电脑。
安装程序会显示以下消息之一：
  打印机已准备好安装。
  打印机驱动程序安装已完成。
显示该消息后，再将打印机连接到电脑。</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>OptionBar</name>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Printer Settings</source>
        <translation>打印机设置</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>测试</translation>
    </message>
    <message>
        <source>Printer Testing</source>
        <translation>打印机测试</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>升级</translation>
    </message>
    <message>
        <source>Upgrade Firmware</source>
        <translation>升级固件</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>About Us</source>
        <translation>关于我们</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Setwright Tool</source>
        <translation>设置工具</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>配置</translation>
    </message>
    <message>
        <source>Admin Printer Settings</source>
        <translation>管理员打印机设置</translation>
    </message>
</context>
<context>
    <name>OptionRules</name>
    <message>
        <source>Label box</source>
        <translation>标签</translation>
    </message>
    <message>
        <source>Edit box</source>
        <translation>编辑框</translation>
    </message>
    <message>
        <source>Button box</source>
        <translation>按钮</translation>
    </message>
    <message>
        <source>ComboBox</source>
        <translation>下拉框</translation>
    </message>
    <message>
        <source>CheckBox</source>
        <translation>复选框</translation>
    </message>
    <message>
        <source>DoubleSpinBox</source>
        <translation>数值框</translation>
    </message>
    <message>
        <source>NONE</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Directive export</source>
        <translation>指令输出</translation>
    </message>
    <message>
        <source>Directive parameter</source>
        <translation>指令参数</translation>
    </message>
    <message>
        <source>Connect Byte</source>
        <translation>关联字节</translation>
    </message>
    <message>
        <source>engitem++chnitem++</source>
        <translation>engitem++chnitem++</translation>
    </message>
    <message>
        <source>Sub-option is null!</source>
        <translation>子选项为空！</translation>
    </message>
</context>
<context>
    <name>OptionTableLabel</name>
    <message>
        <source>Add a row of controls</source>
        <translation>添加一行控件</translation>
    </message>
    <message>
        <source>Insert Add a row of controls</source>
        <translation>插入一行控件</translation>
    </message>
    <message>
        <source>Move up a line</source>
        <translation>上移一行</translation>
    </message>
    <message>
        <source>Down the line</source>
        <translation>下移一行</translation>
    </message>
    <message>
        <source>Delete a line</source>
        <translation>删除一行</translation>
    </message>
</context>
<context>
    <name>ParameterList</name>
    <message>
        <source>System Setup</source>
        <translation>系统设置</translation>
    </message>
    <message>
        <source>Paper Setup</source>
        <translation>纸张设置</translation>
    </message>
    <message>
        <source>Interface Setup</source>
        <translation>接口设置</translation>
    </message>
    <message>
        <source>Character Setup</source>
        <translation>字符设置</translation>
    </message>
    <message>
        <source>Other Setup</source>
        <translation>其他设置</translation>
    </message>
    <message>
        <source>Wifi Setup</source>
        <translation>Wifi设置</translation>
    </message>
    <message>
        <source>Customized Form</source>
        <translation>自定义表单</translation>
    </message>
</context>
<context>
    <name>ParameterListFlow</name>
    <message>
        <source>The printer&apos;s parameter list builds no settings page.</source>
        <translation>打印机的参数列表无法生成设置页面。</translation>
    </message>
    <message>
        <source>Save Successful</source>
        <translation>保存成功</translation>
    </message>
    <message>
        <source>The printer did not confirm the settings; they may not be saved.</source>
        <translation>打印机未确认设置，设置可能未保存。</translation>
    </message>
</context>
<context>
    <name>ParameterPages</name>
    <message>
        <source>Parameters</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>Current Values</source>
        <translation>当前值</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>默认值</translation>
    </message>
</context>
<context>
    <name>PrinterInfo</name>
    <message>
        <source>Printer Info</source>
        <translation>打印机信息</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>PnP ID</source>
        <translation>PnP ID</translation>
    </message>
    <message>
        <source>FW</source>
        <translation>固件</translation>
    </message>
    <message>
        <source>BOOT Ver</source>
        <translation>BOOT 版本</translation>
    </message>
    <message>
        <source>BOOT ID</source>
        <translation>BOOT ID</translation>
    </message>
    <message>
        <source>CG Ver</source>
        <translation>字库版本</translation>
    </message>
    <message>
        <source>Serial No.</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>制造商</translation>
    </message>
    <message>
        <source>VID</source>
        <translation>VID</translation>
    </message>
    <message>
        <source>PID</source>
        <translation>PID</translation>
    </message>
    <message>
        <source>EDSID</source>
        <translation>EDSID</translation>
    </message>
</context>
<context>
    <name>PrinterSelect</name>
    <message>
        <source>Select Printer Mode</source>
        <translation>选择打印机型号</translation>
    </message>
    <message>
        <source>Select Printer</source>
        <translation>选择打印机</translation>
    </message>
    <message>
        <source>confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>The software is already running!</source>
        <translation>软件已经在运行！</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
</context>
<context>
    <name>SaveDialogs</name>
    <message>
        <source>Save/Add the printer type</source>
        <translation>保存/添加打印机型号</translation>
    </message>
    <message>
        <source>confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>SettingGroups</name>
    <message>
        <source>Follow the prompts to input the correct password.</source>
        <translation>请按提示输入正确的密码。</translation>
    </message>
    <message>
        <source>Follow the prompts to input the correct bluetooth name.</source>
        <translation>请按提示输入正确的蓝牙名称。</translation>
    </message>
    <message>
        <source>Please input the correct subnet mask.</source>
        <translation>请输入正确的子网掩码。</translation>
    </message>
    <message>
        <source>Please input the correct default getway.</source>
        <translation>请输入正确的默认网关。</translation>
    </message>
    <message>
        <source>Please input the correct IP addresss.</source>
        <translation>请输入正确的 IP 地址。</translation>
    </message>
    <message>
        <source>Name string length is too long.</source>
        <translation>名称长度过长。</translation>
    </message>
    <message>
        <source>SSID can&apos;t be chinese.</source>
        <translation>SSID 不能包含中文。</translation>
    </message>
    <message>
        <source>Password can&apos;t be chinese.</source>
        <translation>密码不能包含中文。</translation>
    </message>
    <message>
        <source>SSID string length is too long.</source>
        <translation>SSID 长度过长。</translation>
    </message>
    <message>
        <source>Please input the correct server IP .</source>
        <translation>请输入正确的服务器 IP。</translation>
    </message>
    <message>
        <source>Please input the correct start IP address.</source>
        <translation>请输入正确的起始 IP 地址。</translation>
    </message>
    <message>
        <source>Please input the correct preferred DNS server.</source>
        <translation>请输入正确的首选 DNS 服务器。</translation>
    </message>
    <message>
        <source>Please input the correct default gateway.</source>
        <translation>请输入正确的默认网关。</translation>
    </message>
    <message>
        <source>Preferred DNS server IP address and not on the same network segment, modify and then write please.</source>
        <translation>首选 DNS 服务器 IP 地址不在同一网段，请修改后再写入。</translation>
    </message>
    <message>
        <source>IP address and default gateway is not in the same network segment, modify and then write please.</source>
        <translation>IP 地址与默认网关不在同一网段，请修改后再写入。</translation>
    </message>
    <message>
        <source>IP address conflicts with the start address, modify and then write please.</source>
        <translation>IP 地址与起始地址冲突，请修改后再写入。</translation>
    </message>
    <message>
        <source>Start address is not on the same network segment, modify and then write please.</source>
        <translation>起始地址不在同一网段，请修改后再写入。</translation>
    </message>
</context>
<context>
    <name>SettingsDatabase</name>
    <message>
        <source>Cannot open SWTDatabase.db</source>
        <translation>无法打开 SWTDatabase.db</translation>
    </message>
    <message>
        <source>Unable to establish a database connection.</source>
        <translation>无法建立数据库连接。</translation>
    </message>
    <message>
        <source>The database refused the change; nothing of it was stored.</source>
        <translation>数据库拒绝了此次修改，没有保存任何内容。</translation>
    </message>
    <message>
        <source>Cannot change SWTDatabase.db</source>
        <translation>无法修改 SWTDatabase.db</translation>
    </message>
    <message>
        <source>The settings database %1 cannot be used.</source>
        <translation>设置数据库 %1 无法使用。</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>文件不存在。</translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation>文件为空。</translation>
    </message>
    <message>
        <source>The file is damaged or is not a settings database.</source>
        <translation>文件已损坏或不是设置数据库。</translation>
    </message>
    <message>
        <source>Tables or columns the program reads are missing.</source>
        <translation>缺少程序需要读取的数据表或字段。</translation>
    </message>
    <message>
        <source>The file is in use by another program.</source>
        <translation>文件正被其他程序使用。</translation>
    </message>
    <message>
        <source>There is no folder for your own copy of the settings database (no home folder).</source>
        <translation>没有可存放您自己的设置数据库副本的文件夹（没有主文件夹）。</translation>
    </message>
    <message>
        <source>Your own copy %1 of the settings database cannot be made: %2</source>
        <translation>无法创建您自己的设置数据库副本 %1：%2</translation>
    </message>
</context>
<context>
    <name>SettingsWidget</name>
    <message>
        <source>Annotations</source>
        <translation>注释</translation>
    </message>
    <message>
        <source>Place Holder</source>
        <translation>占位</translation>
    </message>
    <message>
        <source>welcome</source>
        <translation>欢迎</translation>
    </message>
    <message>
        <source>Test Page</source>
        <translation>测试页</translation>
    </message>
    <message>
        <source>Sections</source>
        <translation>分区</translation>
    </message>
    <message>
        <source>Add to left menu</source>
        <translation>添加到左侧菜单</translation>
    </message>
    <message>
        <source>Add to right opt</source>
        <translation>添加到右侧选项</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Change the printer model</source>
        <translation>更换打印机型号</translation>
    </message>
    <message>
        <source>Save/Add the printer type</source>
        <translation>保存/添加打印机型号</translation>
    </message>
    <message>
        <source>Delete the printer type</source>
        <translation>删除打印机型号</translation>
    </message>
    <message>
        <source>New Page</source>
        <translation>新建页面</translation>
    </message>
    <message>
        <source>Enter the name of the printer type.</source>
        <translation>请输入打印机型号名称。</translation>
    </message>
    <message>
        <source>insert a section</source>
        <translation>插入分区</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>修改</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>No comments</source>
        <translation>无注释</translation>
    </message>
</context>
<context>
    <name>SoftwareLauncher</name>
    <message>
        <source>Norvale RK Series Software Setup</source>
        <translation>Norvale RK 系列软件安装</translation>
    </message>
    <message>
        <source>Printer driver is not selected.</source>
        <translation>未选择打印机驱动程序。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be opened on this desktop.</source>
        <translation>在此桌面上无法打开“%1”。</translation>
    </message>
    <message>
        <source>Quit &quot;%1&quot;

Is it OK?</source>
        <translation>退出“%1”

确定吗？</translation>
    </message>
</context>
<context>
    <name>TestPageSetting</name>
    <message>
        <source>Test Page Setup</source>
        <translation>测试页设置</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>NONE</source>
        <translation>无</translation>
    </message>
</context>
<context>
    <name>TipWidget</name>
    <message>
        <source>Tip</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Confirm(0)</source>
        <translation>确定(0)</translation>
    </message>
    <message>
        <source>Cancel(C)</source>
        <translation>取消(C)</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>UpdateFirmware</name>
    <message>
        <source>Notification:
 Printer is about to enter the firmware download mode. 
 Please ensure power is not disrupted.
 Make sure the interface cable is correctly connected between the computer and the printer.
 During the update, do not power off the printer.
 During the update, please stop all the printing tasks.
 During the update, please wait patiently, until the download progress reaches 100%.
 Note: Do not close page during download!</source>
        <translation>注意：
 打印机即将进入固件下载模式。
 请确保电源不会中断。
 请确认电脑与打印机之间的接口线连接正确。
 更新期间请勿关闭打印机电源。
 更新期间请停止所有打印任务。
 更新期间请耐心等待，直到下载进度达到 100%。
 注意：下载期间请勿关闭页面！</translation>
    </message>
    <message>
        <source>File size: </source>
        <translation>文件大小：</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Firmware Update</source>
        <translation>固件更新</translation>
    </message>
    <message>
        <source>Select Firmware File.</source>
        <translation>选择固件文件。</translation>
    </message>
    <message>
        <source>Firmware(*.mot *.ds)</source>
        <translation>固件(*.mot *.ds)</translation>
    </message>
</context>
<context>
    <name>UsbPort</name>
    <message>
        <source>UnknowPrinter</source>
        <translation>未知打印机</translation>
    </message>
</context>
<context>
    <name>WidgetEngine</name>
    <message>
        <source>Default: %1</source>
        <translation>默认值：%1</translation>
    </message>
</context>
<context>
    <name>WindowHandler</name>
    <message>
        <source>Back to Home.</source>
        <translation>返回主页。</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>packagepath</name>
    <message>
        <source>Folder path to Software setup is too long.
Move this Software setup to another folder whose path within 100 characters.

Exit the program.</source>
        <translation>软件安装程序所在文件夹的路径太长。
请将本软件安装程序移到路径不超过 100 个字符的文件夹中。

程序将退出。</translation>
    </message>
    <message>
        <source>Missing to setup infomation file.

Exit the program.</source>
        <translation>缺少安装信息文件。

程序将退出。</translation>
    </message>
    <message>
        <source>Failed to setup infomation file.

Exit the program.</source>
        <translation>安装信息文件有误。

程序将退出。</translation>
    </message>
</context>
<context>
    <name>setupwindow</name>
    <message>
        <source>&quot;%1&quot; is already started.</source>
        <translation>“%1”已经启动。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
</TS>
