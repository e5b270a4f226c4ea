-- RK-3000 (no type code: its firmware predates the identity record's type fields): 9-pin
-- printer with a built-in Ethernet port. Its network settings lie in 24-79, which the ordinary
-- save leaves alone; the Ethernet page writes them with its own button.

INSERT INTO stage_printer (name, test, ord) VALUES ('RK-3000', 0, 12);

INSERT INTO stage_page (printer, page, layout, en, zh) VALUES
    ('RK-3000', 0, 0, 'Print Setup', '打印设置'),
    ('RK-3000', 1, 0, 'Paper Setup', '纸张设置'),
    ('RK-3000', 2, 0, 'Character Setup', '字符设置'),
    ('RK-3000', 3, 0, 'Ethernet Setup', '以太网设置'),
    ('RK-3000', 4, 0, 'Interface Setup', '接口设置');

INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, rf, wf, minv, maxv, relpos, relval, grp, role) VALUES
    ('RK-3000', 0, 0, 3, 100, 1, 'emulation', 'Emulation', '仿真模式', '', '', 0, 0, '', '', 'Emulation Mode', 1),
    ('RK-3000', 0, 1, 3, 101, 1, 'pitch', 'Character Pitch', '字符间距', '', '', 0, 0, '', '', '', 0),
    ('RK-3000', 0, 2, 3, 102, 1, 'font', 'Font', '字体', '', '', 0, 0, '', '', '', 0),
    ('RK-3000', 0, 3, 3, 200, 1, 'density', 'Print Density', '打印浓度', '', '', 0, 0, '', '', '', 0),
    ('RK-3000', 0, 4, 3, 108, 1, 'onoff', 'Bidirectional Printing', '双向打印', '', '', 0, 0, '', '', '', 0),
    ('RK-3000', 1, 0, 3, 110, 1, 'papertype', 'Paper Type', '纸张类型', '', '', 0, 0, '', '', '', 0),
    ('RK-3000', 1, 1, 5, 112, 2, NULL, 'Page Length', '页长',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 76.2, 558.8, '', '', '', 0),
    ('RK-3000', 1, 2, 5, 114, 2, NULL, 'Top Margin', '上边距',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 0, 50.8, '', '', '', 0),
    ('RK-3000', 1, 3, 3, 118, 1, 'paperout', 'Paper Out', '缺纸处理', '', '', 0, 0, '', '', '', 0),
    ('RK-3000', 1, 4, 3, 119, 1, 'onoff', 'Auto Tear-off', '自动撕纸', '', '', 0, 0, '110', '0', '', 0),
    ('RK-3000', 1, 5, 5, 120, 2, NULL, 'Tear-off Distance', '撕纸距离',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 0, 40, '119', '1', '', 0),
    ('RK-3000', 2, 0, 3, 103, 1, 'codepage', 'Code Page', '代码页', '', '', 0, 0, '', '', '', 0),
    ('RK-3000', 2, 1, 3, 104, 1, 'intl', 'International Character Set', '国际字符集', '', '', 0, 0, '', '', '', 0),
    ('RK-3000', 2, 2, 3, 105, 1, 'linespacing', 'Line Spacing', '行间距', '', '', 0, 0, '', '', '', 0),
    ('RK-3000', 2, 3, 3, 106, 1, 'onoff', 'Auto Line Feed', '自动换行', '', '', 0, 0, '', '', '', 0),
    ('RK-3000', 4, 0, 3, 232, 1, 'interface', 'Interface', '接口选择', '', '', 0, 0, '', '', '', 0),
    ('RK-3000', 4, 1, 3, 240, 1, 'baud', 'Baud Rate', '波特率', '', '', 0, 0, '232', '-2', '', 0),
    ('RK-3000', 4, 2, 3, 241, 1, 'databits', 'Data Bits', '数据位', '', '', 0, 0, '232', '-2', '', 0),
    ('RK-3000', 4, 3, 3, 242, 1, 'parity', 'Parity', '校验', '', '', 0, 0, '232', '-2', '', 0),
    ('RK-3000', 4, 4, 3, 243, 1, 'flow', 'Flow Control', '流控制', '', '', 0, 0, '232', '-2', '', 0);

-- Ethernet (group "Ethernet"): 1 IP address, 2 default gateway, 3 subnet mask, 5 name,
-- 6 DHCP, 11 the port.
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, key, grp, role) VALUES
    ('RK-3000', 3, 0, 3, 52, 1, 'dhcp', 'DHCP', 'DHCP', NULL, 'Ethernet', 6),
    ('RK-3000', 3, 1, 1, 24, 4, NULL, 'IP Address', 'IP 地址', 'Ethernet Basic Setup', 'Ethernet', 1),
    ('RK-3000', 3, 2, 1, 28, 4, NULL, 'Default Gateway', '默认网关', 'Ethernet Basic Setup', 'Ethernet', 2),
    ('RK-3000', 3, 3, 1, 32, 4, NULL, 'Subnet Mask', '子网掩码', 'Ethernet Basic Setup', 'Ethernet', 3),
    ('RK-3000', 3, 4, 1, 36, 16, NULL, 'Printer Name', '打印机名称', 'Ethernet Name', 'Ethernet', 5),
    ('RK-3000', 3, 5, 1, 54, 2, NULL, 'Ethernet Port', '以太网端口', 'EthernetPort', 'Ethernet', 11);
INSERT INTO stage_row (printer, page, row, col, kind, en, zh, grp, role, action, timeout) VALUES
    ('RK-3000', 3, 6, 0, 2, 'Write', '写入', 'Ethernet Write', 0, 1, 500);
