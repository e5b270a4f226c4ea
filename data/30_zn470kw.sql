-- ZN-470 KW (type code 0701): network printer with Wi-Fi and Ethernet. Its network settings
-- lie in 316-508, which the ordinary save leaves alone; each network page writes them with its
-- own buttons. Value controls of network fields carry the caption the engine decodes them by
-- (SSID, Password0701, Wifi and Ethernet Basic Setup, ...), the label beside them the wording.

INSERT INTO stage_printer (name, test, ord) VALUES ('ZN-470 KW', 2, 4);

INSERT INTO stage_optset (optset, value, en, zh) VALUES
    ('wifimode', 0, 'Station', '客户端 (STA)'), ('wifimode', 1, 'Access point', '热点 (AP)'),
    -- The security kind decides the key: WEP 64-bit takes 5 characters (10 hexadecimal digits),
    -- WEP 128-bit 13, the WPA kinds a pass phrase of 8 to 23.
    ('wifisecurity', 0, 'No security', '不加密'), ('wifisecurity', 1, 'WEP 64-bit', 'WEP 64 位'),
    ('wifisecurity', 2, 'WEP 128-bit', 'WEP 128 位'), ('wifisecurity', 3, 'WPA-PSK (TKIP)', 'WPA-PSK (TKIP)'),
    ('wifisecurity', 4, 'WPA2-PSK (AES)', 'WPA2-PSK (AES)'),
    ('wifisecurity', 5, 'WPA/WPA2-PSK mixed', 'WPA/WPA2-PSK 混合');

INSERT INTO stage_page (printer, page, layout, en, zh) VALUES
    ('ZN-470 KW', 0, 0, 'Print Setup', '打印设置'),
    ('ZN-470 KW', 1, 0, 'Paper Setup', '纸张设置'),
    ('ZN-470 KW', 2, 0, 'Wifi Setup', '无线设置'),
    ('ZN-470 KW', 2, 1, 'Wifi Setup', '无线设置'),
    ('ZN-470 KW', 3, 0, 'Ethernet Setup', '以太网设置'),
    ('ZN-470 KW', 4, 0, 'Interface Setup', '接口设置'),
    ('ZN-470 KW', 5, 0, 'Bluetooth Setup', '蓝牙设置');

INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, rf, wf, minv, maxv, relpos, relval, anno_en, anno_zh, grp, role) VALUES
    ('ZN-470 KW', 0, 0, 3, 100, 1, 'emulation', 'Emulation', '仿真模式', '', '', 0, 0, '', '',
     '◆The command set the printer understands.◆Choose the one your application prints with.',
     '◆打印机识别的指令集。◆请选择应用软件所用的指令集。', 'Emulation Mode', 1),
    ('ZN-470 KW', 0, 1, 3, 101, 1, 'pitch', 'Character Pitch', '字符间距', '', '', 0, 0, '', '', '', '', '', 0),
    ('ZN-470 KW', 0, 2, 3, 200, 1, 'density', 'Print Density', '打印浓度', '', '', 0, 0, '', '',
     '◆Raise it for multi-part forms.◆A darker setting wears the ribbon faster.',
     '◆打印多联票据时请调高。◆浓度越高色带损耗越快。', '', 0),
    ('ZN-470 KW', 0, 3, 3, 224, 1, 'speed', 'Print Speed', '打印速度', '', '', 0, 0, '', '',
     '◆Quiet lowers noise at reduced speed.', '◆静音模式降低噪音，速度较低。', '', 0),
    ('ZN-470 KW', 0, 4, 3, 103, 1, 'codepage', 'Code Page', '代码页', '', '', 0, 0, '', '',
     '◆Character table for the codes 128 to 255.◆GB18030 prints Simplified Chinese.',
     '◆128 至 255 号字符所用的字符表。◆GB18030 用于打印简体中文。', '', 0),
    ('ZN-470 KW', 1, 0, 3, 110, 1, 'papertype', 'Paper Type', '纸张类型', '', '', 0, 0, '', '',
     '◆Continuous paper comes from the tractor.◆Cut sheets are fed one by one from the front.',
     '◆连续纸由拖纸器送入。◆单页纸从前方逐张送入。', '', 0),
    ('ZN-470 KW', 1, 1, 5, 112, 2, NULL, 'Page Length', '页长',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 76.2, 558.8, '', '',
     '◆Length of one form in millimetres.◆11 inch paper is 279.4 mm.', '◆一页表格的长度（毫米）。◆11 英寸纸为 279.4 毫米。', '', 0),
    ('ZN-470 KW', 1, 2, 5, 114, 2, NULL, 'Top Margin', '上边距',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 0, 50.8, '', '', '', '', '', 0),
    ('ZN-470 KW', 1, 3, 3, 119, 1, 'onoff', 'Auto Tear-off', '自动撕纸', '', '', 0, 0, '110', '0',
     '◆Advances continuous paper to the tear bar after printing.', '◆打印结束后将连续纸送至撕纸位置。', '', 0),
    ('ZN-470 KW', 4, 0, 3, 232, 1, 'interface', 'Interface', '接口选择', '', '', 0, 0, '', '',
     '◆Auto listens on every installed interface.◆Interfaces the printer lacks are not offered.',
     '◆自动：同时接收所有已安装的接口。◆不显示打印机未安装的接口。', '', 0),
    ('ZN-470 KW', 4, 1, 3, 240, 1, 'baud', 'Baud Rate', '波特率', '', '', 0, 0, '232', '-2', '', '', '', 0),
    ('ZN-470 KW', 4, 2, 3, 241, 1, 'databits', 'Data Bits', '数据位', '', '', 0, 0, '232', '-2', '', '', '', 0),
    ('ZN-470 KW', 4, 3, 3, 242, 1, 'parity', 'Parity', '校验', '', '', 0, 0, '232', '-2', '', '', '', 0),
    ('ZN-470 KW', 4, 4, 3, 243, 1, 'flow', 'Flow Control', '流控制', '', '', 0, 0, '232', '-2', '', '', '', 0);

-- Wi-Fi (group "Wifi"): 1 mode, 2 DHCP, 5 security, 6 SSID, 7 WEP key, 8 password,
-- 15 hexadecimal key, 10-14 the addresses (IP, mask, gateway, DNS, start), 17 port, 18 MAC.
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, key, anno_en, anno_zh, grp, role) VALUES
    ('ZN-470 KW', 2, 0, 3, 316, 1, 'wifimode', 'Wifi Mode', '无线模式', NULL,
     '◆Station joins an existing network.◆Access point lets devices connect to the printer directly.',
     '◆客户端模式：加入现有无线网络。◆热点模式：设备直接连接打印机。', 'Wifi', 1),
    ('ZN-470 KW', 2, 1, 3, 317, 1, 'dhcp', 'DHCP', 'DHCP', NULL,
     '◆On: the network assigns the address.◆Off: enter the addresses below.',
     '◆开启：由网络分配地址。◆关闭：请在下方填写地址。', 'Wifi', 2),
    ('ZN-470 KW', 2, 2, 3, 318, 1, 'wifisecurity', 'Security', '安全类型', NULL,
     '◆WEP keys are 5 or 13 characters.◆WPA pass phrases are 8 to 23 characters.',
     '◆WEP 密钥为 5 或 13 个字符。◆WPA 密码为 8 至 23 个字符。', 'Wifi', 5),
    ('ZN-470 KW', 2, 4, 1, 320, 24, NULL, 'Network Name (SSID)', '网络名称 (SSID)', 'SSID',
     '◆Up to 24 letters, digits and signs.◆Chinese characters are not allowed.',
     '◆最多 24 个字母、数字或符号。◆不能使用中文。', 'Wifi', 6),
    ('ZN-470 KW', 2, 5, 1, 344, 15, NULL, 'WEP Key', 'WEP 密钥', 'WEPPassword0701',
     '◆5 or 13 characters, or 10 hexadecimal digits when Hexadecimal is ticked.',
     '◆5 或 13 个字符；勾选十六进制时为 10 位十六进制数字。', 'Wifi', 7),
    ('ZN-470 KW', 2, 6, 1, 360, 25, NULL, 'Password', '密码', 'Password0701',
     '◆8 to 23 characters.', '◆8 至 23 个字符。', 'Wifi', 8),
    ('ZN-470 KW', 2, 8, 1, 388, 4, NULL, 'IP Address', 'IP 地址', 'Wifi and Ethernet Basic Setup', '', '', 'Wifi', 10),
    ('ZN-470 KW', 2, 9, 1, 392, 4, NULL, 'Subnet Mask', '子网掩码', 'Wifi and Ethernet Basic Setup', '', '', 'Wifi', 11),
    ('ZN-470 KW', 2, 10, 1, 396, 4, NULL, 'Default Gateway', '默认网关', 'Wifi and Ethernet Basic Setup', '', '', 'Wifi', 12),
    ('ZN-470 KW', 2, 11, 1, 400, 4, NULL, 'Preferred DNS Server', '首选 DNS 服务器', 'Wifi and Ethernet Basic Setup', '', '', 'Wifi', 13),
    ('ZN-470 KW', 2, 12, 1, 404, 4, NULL, 'Start Address', '起始地址', 'Wifi and Ethernet Basic Setup',
     '◆First address the printer hands out in access point mode.', '◆热点模式下打印机分配的第一个地址。', 'Wifi', 14),
    ('ZN-470 KW', 2, 13, 1, 408, 2, NULL, 'Network Port', '网络端口', 'NetwordPort',
     '◆Raw printing port, normally 9100.', '◆原始打印端口，通常为 9100。', 'Wifi', 17),
    ('ZN-470 KW', 2, 14, 1, 410, 6, NULL, 'MAC Address', 'MAC 地址', 'MAC', '', '', 'Wifi', 18);
INSERT INTO stage_row (printer, page, row, col, kind, en, zh, grp, role, action, timeout) VALUES
    ('ZN-470 KW', 2, 7, 1, 4, 'Hexadecimal', '十六进制', 'Wifi', 15, 0, 0),
    ('ZN-470 KW', 2, 15, 0, 2, 'Write', '写入', 'Wifi Write', 0, 1, 500),
    ('ZN-470 KW', 2, 15, 1, 2, 'Default', '默认', 'Wifi Default', 0, 1, 0),
    ('ZN-470 KW', 2, 15, 2, 2, 'Reset', '复位', 'Wifi Reset', 0, 1, 0),
    ('ZN-470 KW', 2, 16, 0, 2, 'Read IP', '读取 IP', 'Wifi IP Read', 0, 1, 500),
    ('ZN-470 KW', 2, 16, 1, 2, 'Read MAC', '读取 MAC', 'Wifi Mac Read', 0, 1, 500),
    ('ZN-470 KW', 2, 16, 2, 2, 'Write MAC', '写入 MAC', 'Wifi Mac Write', 0, 1, 500);

-- Ethernet (group "Ethernet"): 1 IP address, 2 default gateway, 3 subnet mask, 5 name,
-- 6 DHCP, 7 IPv6 switch, 9 and 10 the IPv6 fields, 11 the port.
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, key, anno_en, anno_zh, grp, role) VALUES
    ('ZN-470 KW', 3, 0, 3, 468, 1, 'dhcp', 'DHCP', 'DHCP', NULL,
     '◆On: the network assigns the address.◆Off: enter the addresses below.',
     '◆开启：由网络分配地址。◆关闭：请在下方填写地址。', 'Ethernet', 6),
    ('ZN-470 KW', 3, 1, 1, 440, 4, NULL, 'IP Address', 'IP 地址', 'Ethernet Basic Setup', '', '', 'Ethernet', 1),
    ('ZN-470 KW', 3, 2, 1, 444, 4, NULL, 'Default Gateway', '默认网关', 'Ethernet Basic Setup', '', '', 'Ethernet', 2),
    ('ZN-470 KW', 3, 3, 1, 448, 4, NULL, 'Subnet Mask', '子网掩码', 'Ethernet Basic Setup', '', '', 'Ethernet', 3),
    ('ZN-470 KW', 3, 4, 1, 452, 16, NULL, 'Printer Name', '打印机名称', 'Ethernet Name',
     '◆Name the printer shows on the network, up to 16 bytes.', '◆打印机在网络中显示的名称，最多 16 字节。', 'Ethernet', 5),
    ('ZN-470 KW', 3, 5, 3, 469, 1, 'onoff', 'IPv6', 'IPv6', NULL, '', '', 'Ethernet', 7),
    ('ZN-470 KW', 3, 6, 1, 470, 8, NULL, 'IPv6 Link-local Address', 'IPv6 本地链路地址', 'IPv6 Setup',
     '◆Formed from the printer''s own address; shown for information.', '◆由打印机自身地址生成，仅供查看。', 'Ethernet', 9),
    ('ZN-470 KW', 3, 7, 1, 478, 8, NULL, 'IPv6 Gateway', 'IPv6 网关', 'IPv6 Setup', '', '', 'Ethernet', 10),
    ('ZN-470 KW', 3, 8, 1, 486, 2, NULL, 'Ethernet Port', '以太网端口', 'EthernetPort',
     '◆Raw printing port, normally 9100.', '◆原始打印端口，通常为 9100。', 'Ethernet', 11);
INSERT INTO stage_row (printer, page, row, col, kind, en, zh, grp, role, action, timeout) VALUES
    ('ZN-470 KW', 3, 9, 0, 2, 'Write', '写入', 'Ethernet Write', 0, 1, 500);

-- Bluetooth (group "Bluetooth"): this module keeps the name at 659 and the pass code at 679;
-- the byte after the pass code (689) tells it to take them.
INSERT INTO stage_row (printer, page, row, kind, pos, len, en, zh, key, anno_en, anno_zh, grp, role) VALUES
    ('ZN-470 KW', 5, 0, 1, 659, 20, 'Bluetooth Name', '蓝牙名称', 'BlueToothModel',
     '◆Up to 16 letters and digits.◆Shown when phones and computers search for devices.',
     '◆最多 16 个字母或数字。◆手机或电脑搜索设备时显示此名称。', 'Bluetooth', 1),
    ('ZN-470 KW', 5, 1, 1, 679, 10, 'Pass Code', '配对密码', 'BlueToothPassword',
     '◆Exactly 4 digits.', '◆必须为 4 位数字。', 'Bluetooth', 2);
INSERT INTO stage_row (printer, page, row, col, kind, en, zh, grp, role, action, timeout) VALUES
    ('ZN-470 KW', 5, 2, 0, 2, 'Write', '写入', 'Bluetooth Write', 0, 1, 500);
