-- BX-580 (type code 0C01): 24-pin passbook and document printer with Bluetooth. Its board
-- reports each optional interface module in a byte of its own (USB 602, parallel 609, serial
-- 614); the interface list offers only the fitted ones. The quiet print speed needs the low-noise
-- head and is left out otherwise. Custom margins and the passbook lines are used only while
-- their Define box is ticked. The Bluetooth area starts at 620: 17 bytes of name, the pass code.
-- Its device test page is the QR70 one (test type 5).

INSERT INTO stage_printer (name, test, ord) VALUES ('BX-580', 5, 8);

INSERT INTO stage_optset (optset, value, en, zh) VALUES
    ('speed3', 0, 'Normal', '标准'), ('speed3', 1, 'High speed', '高速'), ('speed3', 2, 'Quiet', '静音'),
    ('iface0c01', 0, 'Auto', '自动'), ('iface0c01', 1, 'USB', 'USB'),
    ('iface0c01', 2, 'Parallel', '并口'), ('iface0c01', 3, 'Serial', '串口');

INSERT INTO stage_page (printer, page, layout, en, zh) VALUES
    ('BX-580', 0, 0, 'Print Setup', '打印设置'),
    ('BX-580', 1, 0, 'Paper Setup', '纸张设置'),
    ('BX-580', 2, 0, 'Character Setup', '字符设置'),
    ('BX-580', 3, 0, 'Interface Setup', '接口设置'),
    ('BX-580', 4, 0, 'Bluetooth Setup', '蓝牙设置'),
    ('BX-580', 5, 0, 'Other Setup', '其他设置');

INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, grp, role) VALUES
    ('BX-580', 0, 0, 3, 100, 1, 'emulation', 'Emulation', '仿真模式', 'Emulation Mode', 1),
    ('BX-580', 0, 1, 3, 101, 1, 'pitch', 'Character Pitch', '字符间距', '', 0),
    ('BX-580', 0, 2, 3, 102, 1, 'font', 'Font', '字体', '', 0),
    ('BX-580', 0, 3, 3, 200, 1, 'density', 'Print Density', '打印浓度', '', 0),
    ('BX-580', 0, 4, 3, 224, 1, 'speed3', 'Print Speed', '打印速度', '', 0),
    ('BX-580', 0, 5, 3, 108, 1, 'onoff', 'Bidirectional Printing', '双向打印', '', 0),
    ('BX-580', 2, 0, 3, 103, 1, 'codepage', 'Code Page', '代码页', '', 0),
    ('BX-580', 2, 1, 3, 104, 1, 'intl', 'International Character Set', '国际字符集', '', 0),
    ('BX-580', 2, 2, 3, 105, 1, 'linespacing', 'Line Spacing', '行间距', '', 0),
    ('BX-580', 2, 3, 3, 106, 1, 'onoff', 'Auto Line Feed', '自动换行', '', 0),
    ('BX-580', 2, 4, 3, 109, 1, 'onoff', 'Auto Carriage Return', '自动回车', '', 0),
    ('BX-580', 5, 0, 3, 250, 1, 'headgap', 'Head Gap', '打印头间隙', '', 0),
    ('BX-580', 5, 1, 3, 251, 1, 'sleep', 'Sleep Time', '休眠时间', '', 0),
    ('BX-580', 5, 2, 3, 252, 1, 'buzzer', 'Buzzer', '蜂鸣器', '', 0),
    ('BX-580', 5, 3, 3, 253, 1, 'panel', 'Panel Lock', '面板锁定', '', 0);

-- Paper Setup. The eject length applies to cut sheets and to multi-part forms alike.
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, rf, wf, minv, maxv, relpos, relval, anno_en, anno_zh) VALUES
    ('BX-580', 1, 0, 3, 110, 1, 'papertype', 'Paper Type', '纸张类型', '', '', 0, 0, '', '', '', ''),
    ('BX-580', 1, 1, 5, 112, 2, NULL, 'Page Length', '页长',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 76.2, 558.8, '', '', '', ''),
    ('BX-580', 1, 2, 5, 114, 2, NULL, 'Top Margin', '上边距',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 0, 50.8, '', '', '', ''),
    ('BX-580', 1, 3, 1, 120, 2, NULL, 'Tear-off Position', '撕纸位置',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 0, 40, '110', '0', '', ''),
    ('BX-580', 1, 4, 1, 124, 2, NULL, 'Form Length in Lines', '每页行数',
     'H*256+L', 'H=Math.floor(value/256);L=value%256', 1, 127, '', '', '', ''),
    ('BX-580', 1, 5, 1, 280, 2, NULL, 'Passbook First Line', '存折起始行',
     'H*256+L', 'H=Math.floor(value/256);L=value%256', 1, 40, '110', '1', '', ''),
    ('BX-580', 1, 6, 1, 292, 2, NULL, 'Passbook Lines per Page', '存折每页行数',
     'H*256+L', 'H=Math.floor(value/256);L=value%256', 10, 40, '110', '1', '', ''),
    ('BX-580', 1, 7, 5, 130, 2, NULL, 'Sheet Eject Length', '退纸长度',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 0, 100, '-110+110', '1+2', '', '');
INSERT INTO stage_row (printer, page, row, col, kind, en, zh) VALUES
    ('BX-580', 1, 3, 2, 4, 'Define', '自定义'),
    ('BX-580', 1, 4, 2, 4, 'Define', '自定义'),
    ('BX-580', 1, 5, 2, 4, 'Define', '自定义'),
    ('BX-580', 1, 6, 2, 4, 'Define', '自定义');

-- Interface Setup: the serial rows are hidden while the parallel port is chosen.
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, relpos, relval, anno_en, anno_zh) VALUES
    ('BX-580', 3, 0, 3, 232, 1, 'iface0c01', 'Interface', '接口选择', '', '',
     '◆Auto listens on every fitted interface.◆Only the modules fitted in this printer are offered.',
     '◆自动：同时接收所有已安装的接口。◆只列出本机已安装的接口模块。'),
    ('BX-580', 3, 1, 3, 240, 1, 'baud', 'Baud Rate', '波特率', '232', '-2', '', ''),
    ('BX-580', 3, 2, 3, 241, 1, 'databits', 'Data Bits', '数据位', '232', '-2', '', ''),
    ('BX-580', 3, 3, 3, 242, 1, 'parity', 'Parity', '校验', '232', '-2', '', ''),
    ('BX-580', 3, 4, 3, 243, 1, 'flow', 'Flow Control', '流控制', '232', '-2', '', ''),
    ('BX-580', 3, 5, 3, 244, 1, 'buffer', 'Receive Buffer', '接收缓冲区', '', '', '', '');

-- Bluetooth (group "Bluetooth"): 1 name, 2 pass code.
INSERT INTO stage_row (printer, page, row, kind, pos, len, en, zh, key, grp, role) VALUES
    ('BX-580', 4, 0, 1, 620, 16, 'Bluetooth Name', '蓝牙名称', 'BlueToothModel', 'Bluetooth', 1),
    ('BX-580', 4, 1, 1, 637, 5, 'Pass Code', '配对密码', 'BlueToothPassword', 'Bluetooth', 2);
INSERT INTO stage_row (printer, page, row, col, kind, en, zh, grp, role, action, timeout) VALUES
    ('BX-580', 4, 2, 0, 2, 'Write', '写入', 'Bluetooth Write', 0, 1, 500);
