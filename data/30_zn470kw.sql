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
     '', '', 'Emulation Mode', 1),
    ('ZN-470 KW', 0, 1, 3, 101, 1, 'pitch', 'Character Pitch', '字符间距', '', '', 0, 0, '', '', '', '', '', 0),
    ('ZN-470 KW', 0, 2, 3, 200, 1, 'density', 'Print Density', '打印浓度', '', '', 0, 0, '', '',
     '', '', '', 0),
    ('ZN-470 KW', 0, 3, 3, 224, 1, 'speed', 'Print Speed', '打印速度', '', '', 0, 0, '', '',
     '', '', '', 0),
    ('ZN-470 KW', 0, 4, 3, 103, 1, 'codepage', 'Code Page', '代码页', '', '', 0, 0, '', '',
     '', '', '', 0),
    ('ZN-470 KW', 1, 0, 3, 110, 1, 'papertype', 'Paper Type', '纸张类型', '', '', 0, 0, '', '',
     '', '', '', 0),
    ('ZN-470 KW', 1, 1, 5, 112, 2, NULL, 'Page Length', '页长',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 76.2, 558.8, '', '',
     '', '', '', 0),
    ('ZN-470 KW', 1, 2, 5, 114, 2, NULL, 'Top Margin', '上边距',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 0, 50.8, '', '', '', '', '', 0),
    ('ZN-470 KW', 1, 3, 3, 119, 1, 'onoff', 'Auto Tear-off', '自动撕纸', '', '', 0, 0, '110', '0',
     '', '', '', 0),
    ('ZN-470 KW', 4, 0, 3, 232, 1, 'interface', 'Interface', '接口选择', '', '', 0, 0, '', '',
     '', '', '', 0),
    ('ZN-470 KW', 4, 1, 3, 240, 1, 'baud', 'Baud Rate', '波特率', '', '', 0, 0, '232', '-2', '', '', '', 0),
    ('ZN-470 KW', 4, 2, 3, 241, 1, 'databits', 'Data Bits', '数据位', '', '', 0, 0, '232', '-2', '', '', '', 0),
    ('ZN-470 KW', 4, 3, 3, 242, 1, 'parity', 'Parity', '校验', '', '', 0, 0, '232', '-2', '', '', '', 0),
    ('ZN-470 KW', 4, 4, 3, 243, 1, 'flow', 'Flow Control', '流控制', '', '', 0, 0, '232', '-2', '', '', '', 0);

-- Wi-Fi (group "Wifi"): 1 mode, 2 DHCP, 5 security, 6 SSID, 7 WEP key, 8 password,
-- 15 hexadecimal key, 10-14 the addresses (IP, mask, gateway, DNS, start), 17 port, 18 MAC.
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, key, anno_en, anno_zh, grp, role) VALUES
    ('ZN-470 KW', 2, 0, 3, 316, 1, 'wifimode', 'Wifi Mode', '无线模式', NULL,
     '', '', 'Wifi', 1),
    ('ZN-470 KW', 2, 1, 3, 317, 1, 'dhcp', 'DHCP', 'DHCP', NULL,
     '', '', 'Wifi', 2),
    ('ZN-470 KW', 2, 2, 3, 318, 1, 'wifisecurity', 'Security', '安全类型', NULL,
     '', '', 'Wifi', 5),
    ('ZN-470 KW', 2, 4, 1, 320, 24, NULL, 'Network Name (SSID)', '网络名称 (SSID)', 'SSID',
     '', '', 'Wifi', 6),
    ('ZN-470 KW', 2, 5, 1, 344, 15, NULL, 'WEP Key', 'WEP 密钥', 'WEPPassword0701',
     '', '', 'Wifi', 7),
    ('ZN-470 KW', 2, 6, 1, 360, 25, NULL, 'Password', '密码', 'Password0701',
     '', '', 'Wifi', 8),
    ('ZN-470 KW', 2, 8, 1, 388, 4, NULL, 'IP Address', 'IP 地址', 'Wifi and Ethernet Basic Setup', '', '', 'Wifi', 10),
    ('ZN-470 KW', 2, 9, 1, 392, 4, NULL, 'Subnet Mask', '子网掩码', 'Wifi and Ethernet Basic Setup', '', '', 'Wifi', 11),
    ('ZN-470 KW', 2, 10, 1, 396, 4, NULL, 'Default Gateway', '默认网关', 'Wifi and Ethernet Basic Setup', '', '', 'Wifi', 12),
    ('ZN-470 KW', 2, 11, 1, 400, 4, NULL, 'Preferred DNS Server', '首选 DNS 服务器', 'Wifi and Ethernet Basic Setup', '', '', 'Wifi', 13),
    ('ZN-470 KW', 2, 12, 1, 404, 4, NULL, 'Start Address', '起始地址', 'Wifi and Ethernet Basic Setup',
     '', '', 'Wifi', 14),
    ('ZN-470 KW', 2, 13, 1, 408, 2, NULL, 'Network Port', '网络端口', 'NetwordPort',
     '', '', 'Wifi', 17),
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
     '', '', 'Ethernet', 6),
    ('ZN-470 KW', 3, 1, 1, 440, 4, NULL, 'IP Address', 'IP 地址', 'Ethernet Basic Setup', '', '', 'Ethernet', 1),
    ('ZN-470 KW', 3, 2, 1, 444, 4, NULL, 'Default Gateway', '默认网关', 'Ethernet Basic Setup', '', '', 'Ethernet', 2),
    ('ZN-470 KW', 3, 3, 1, 448, 4, NULL, 'Subnet Mask', '子网掩码', 'Ethernet Basic Setup', '', '', 'Ethernet', 3),
    ('ZN-470 KW', 3, 4, 1, 452, 16, NULL, 'Printer Name', '打印机名称', 'Ethernet Name',
     '', '', 'Ethernet', 5),
    ('ZN-470 KW', 3, 5, 3, 469, 1, 'onoff', 'IPv6', 'IPv6', NULL, '', '', 'Ethernet', 7),
    ('ZN-470 KW', 3, 6, 1, 470, 8, NULL, 'IPv6 Link-local Address', 'IPv6 本地链路地址', 'IPv6 Setup',
     '', '', 'Ethernet', 9),
    ('ZN-470 KW', 3, 7, 1, 478, 8, NULL, 'IPv6 Gateway', 'IPv6 网关', 'IPv6 Setup', '', '', 'Ethernet', 10),
    ('ZN-470 KW', 3, 8, 1, 486, 2, NULL, 'Ethernet Port', '以太网端口', 'EthernetPort',
     '', '', 'Ethernet', 11);
INSERT INTO stage_row (printer, page, row, col, kind, en, zh, grp, role, action, timeout) VALUES
    ('ZN-470 KW', 3, 9, 0, 2, 'Write', '写入', 'Ethernet Write', 0, 1, 500);

-- Bluetooth (group "Bluetooth"): this module keeps the name at 659 and the pass code at 679;
-- the byte after the pass code (689) tells it to take them.
INSERT INTO stage_row (printer, page, row, kind, pos, len, en, zh, key, anno_en, anno_zh, grp, role) VALUES
    ('ZN-470 KW', 5, 0, 1, 659, 20, 'Bluetooth Name', '蓝牙名称', 'BlueToothModel',
     '', '', 'Bluetooth', 1),
    ('ZN-470 KW', 5, 1, 1, 679, 10, 'Pass Code', '配对密码', 'BlueToothPassword',
     '', '', 'Bluetooth', 2);
INSERT INTO stage_row (printer, page, row, col, kind, en, zh, grp, role, action, timeout) VALUES
    ('ZN-470 KW', 5, 2, 0, 2, 'Write', '写入', 'Bluetooth Write', 0, 1, 500);
