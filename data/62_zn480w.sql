-- ZN-480 W (type code 0B01): Wi-Fi printer of the ZN family. Its lengths are whole millimetres.
-- The print position adjustment is kept as a signed number: a negative value has 255 in the
-- high byte and 256 minus its size in the low byte. The Wi-Fi settings lie in 316-508, which the
-- ordinary save leaves alone; the Wi-Fi page writes them with its own button. The WEP key may be
-- kept as ten hexadecimal digits, shown with "0x" in front.

INSERT INTO stage_printer (name, test, ord) VALUES ('ZN-480 W', 2, 10);

INSERT INTO stage_page (printer, page, layout, en, zh) VALUES
    ('ZN-480 W', 0, 0, 'Print Setup', '打印设置'),
    ('ZN-480 W', 1, 0, 'Paper Setup', '纸张设置'),
    ('ZN-480 W', 2, 0, 'Wifi Setup', '无线设置'),
    ('ZN-480 W', 3, 0, 'Interface Setup', '接口设置');

INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, rf, wf, minv, maxv, relpos, relval, grp, role) VALUES
    ('ZN-480 W', 0, 0, 3, 100, 1, 'emulation', 'Emulation', '仿真模式', '', '', 0, 0, '', '', 'Emulation Mode', 1),
    ('ZN-480 W', 0, 1, 3, 101, 1, 'pitch', 'Character Pitch', '字符间距', '', '', 0, 0, '', '', '', 0),
    ('ZN-480 W', 0, 2, 3, 200, 1, 'density', 'Print Density', '打印浓度', '', '', 0, 0, '', '', '', 0),
    ('ZN-480 W', 0, 3, 3, 224, 1, 'speed', 'Print Speed', '打印速度', '', '', 0, 0, '', '', '', 0),
    ('ZN-480 W', 0, 4, 3, 103, 1, 'codepage', 'Code Page', '代码页', '', '', 0, 0, '', '', '', 0),
    ('ZN-480 W', 0, 5, 3, 104, 1, 'intl', 'International Character Set', '国际字符集', '', '', 0, 0, '', '', '', 0),
    ('ZN-480 W', 1, 0, 3, 110, 1, 'papertype', 'Paper Type', '纸张类型', '', '', 0, 0, '', '', '', 0),
    ('ZN-480 W', 1, 4, 3, 118, 1, 'paperout', 'Paper Out', '缺纸处理', '', '', 0, 0, '', '', '', 0),
    ('ZN-480 W', 1, 5, 3, 119, 1, 'onoff', 'Auto Tear-off', '自动撕纸', '', '', 0, 0, '110', '0', '', 0),
    ('ZN-480 W', 3, 0, 3, 232, 1, 'interface', 'Interface', '接口选择', '', '', 0, 0, '', '', '', 0),
    ('ZN-480 W', 3, 1, 3, 240, 1, 'baud', 'Baud Rate', '波特率', '', '', 0, 0, '232', '-2', '', 0),
    ('ZN-480 W', 3, 2, 3, 241, 1, 'databits', 'Data Bits', '数据位', '', '', 0, 0, '232', '-2', '', 0),
    ('ZN-480 W', 3, 3, 3, 242, 1, 'parity', 'Parity', '校验', '', '', 0, 0, '232', '-2', '', 0),
    ('ZN-480 W', 3, 4, 3, 243, 1, 'flow', 'Flow Control', '流控制', '', '', 0, 0, '232', '-2', '', 0);

-- Wi-Fi (group "Wifi"): 1 mode, 2 DHCP, 5 security, 6 SSID, 7 WEP key, 8 pass phrase,
-- 15 hexadecimal key, 10-14 the addresses (IP, mask, gateway, DNS, start), 17 port, 18 MAC.
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, key, grp, role) VALUES
    ('ZN-480 W', 2, 0, 3, 316, 1, 'wifimode', 'Wifi Mode', '无线模式', NULL, 'Wifi', 1),
    ('ZN-480 W', 2, 1, 3, 317, 1, 'dhcp', 'DHCP', 'DHCP', NULL, 'Wifi', 2),
    ('ZN-480 W', 2, 2, 3, 318, 1, 'wifisecurity', 'Security', '安全类型', NULL, 'Wifi', 5),
    ('ZN-480 W', 2, 3, 1, 320, 24, NULL, 'Network Name (SSID)', '网络名称 (SSID)', 'SSID', 'Wifi', 6),
    ('ZN-480 W', 2, 4, 1, 344, 15, NULL, 'WEP Key', 'WEP 密钥', 'WEP', 'Wifi', 7),
    ('ZN-480 W', 2, 6, 1, 360, 25, NULL, 'WPA Pass Phrase', 'WPA 密码', 'PSK', 'Wifi', 8),
    ('ZN-480 W', 2, 7, 1, 388, 4, NULL, 'IP Address', 'IP 地址', 'Wifi and Ethernet Basic Setup', 'Wifi', 10),
    ('ZN-480 W', 2, 8, 1, 392, 4, NULL, 'Subnet Mask', '子网掩码', 'Wifi and Ethernet Basic Setup', 'Wifi', 11),
    ('ZN-480 W', 2, 9, 1, 396, 4, NULL, 'Default Gateway', '默认网关', 'Wifi and Ethernet Basic Setup', 'Wifi', 12),
    ('ZN-480 W', 2, 10, 1, 400, 4, NULL, 'Preferred DNS Server', '首选 DNS 服务器', 'Wifi and Ethernet Basic Setup', 'Wifi', 13),
    ('ZN-480 W', 2, 11, 1, 404, 4, NULL, 'Start Address', '起始地址', 'Wifi and Ethernet Basic Setup', 'Wifi', 14),
    ('ZN-480 W', 2, 12, 1, 408, 2, NULL, 'Network Port', '网络端口', 'NetwordPort', 'Wifi', 17),
    ('ZN-480 W', 2, 13, 1, 410, 6, NULL, 'MAC Address', 'MAC 地址', 'MAC', 'Wifi', 18);
INSERT INTO stage_row (printer, page, row, col, kind, en, zh, grp, role, action, timeout) VALUES
    ('ZN-480 W', 2, 5, 1, 4, 'Hexadecimal', '十六进制', 'Wifi', 15, 0, 0),
    ('ZN-480 W', 2, 14, 0, 2, 'Write', '写入', 'Wifi Write', 0, 1, 500),
    ('ZN-480 W', 2, 14, 1, 2, 'Default', '默认', 'Wifi Default', 0, 1, 0),
    ('ZN-480 W', 2, 14, 2, 2, 'Reset', '复位', 'Wifi Reset', 0, 1, 0),
    ('ZN-480 W', 2, 15, 0, 2, 'Read IP', '读取 IP', 'Wifi IP Read', 0, 1, 500),
    ('ZN-480 W', 2, 15, 1, 2, 'Read MAC', '读取 MAC', 'Wifi Mac Read', 0, 1, 500),
    ('ZN-480 W', 2, 15, 2, 2, 'Write MAC', '写入 MAC', 'Wifi Mac Write', 0, 1, 500);

-- Lengths in whole millimetres.
INSERT INTO stage_row (printer, page, row, kind, pos, len, en, zh, rf, wf, minv, maxv, anno_en, anno_zh) VALUES
    ('ZN-480 W', 1, 1, 5, 112, 2, 'Page Length', '页长',
     'H*256+L', 'H=Math.floor(value/256);L=value%256', 76, 559,
     '◆Length of one form in whole millimetres, 76 to 559 mm (3 to 22 inches).◆11 inch paper is 279 mm, A4 is 297 mm.',
     '◆一页表格的长度（整毫米），76 至 559 毫米（3 至 22 英寸）。◆11 英寸纸为 279 毫米，A4 为 297 毫米。'),
    ('ZN-480 W', 1, 2, 5, 114, 2, 'Top Margin', '上边距',
     'H*256+L', 'H=Math.floor(value/256);L=value%256', 0, 50,
     '◆Blank space above the first line of each page, 0 to 50 mm in whole millimetres.◆Applies to every paper type.',
     '◆每页首行上方的空白，0 至 50 毫米（整毫米）。◆适用于所有纸张类型。'),
    ('ZN-480 W', 1, 3, 5, 116, 2, 'Print Position Adjustment', '打印位置微调',
     'H*256+L;H*256+L-65536', 'H=value<0?255:0;L=value<0?256-value:value', -10, 10,
     '◆Moves the first print line up (negative) or down (positive), -10 to +10 mm in whole millimetres.◆Applies to every paper type; 0 is the factory position.',
     '◆将首行打印位置上移（负值）或下移（正值），-10 至 +10 毫米（整毫米）。◆适用于所有纸张类型，0 为出厂位置。');
