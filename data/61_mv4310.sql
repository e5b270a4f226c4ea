-- MV-4310 (type code 0301): 24-pin passbook printer of the MV family with Bluetooth. Its board
-- reports the fitted interfaces as a bit mask in bytes 578 (low) and 585 (high); byte 584 holds
-- "P" on the passbook board, which drives only the normal and quiet speeds. Custom margins and
-- the passbook lines are used only while their Define box is ticked. The Bluetooth area starts
-- at 620: 17 bytes of name, then the pass code.
-- Its device test page is the QR70 one (test type 5).

INSERT INTO stage_printer (name, test, ord) VALUES ('MV-4310', 5, 9);

INSERT INTO stage_page (printer, page, layout, en, zh) VALUES
    ('MV-4310', 0, 0, 'Print Setup', '打印设置'),
    ('MV-4310', 1, 0, 'Paper Setup', '纸张设置'),
    ('MV-4310', 2, 0, 'Character Setup', '字符设置'),
    ('MV-4310', 3, 0, 'Interface Setup', '接口设置'),
    ('MV-4310', 4, 0, 'Bluetooth Setup', '蓝牙设置'),
    ('MV-4310', 5, 0, 'Other Setup', '其他设置');

INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, relpos, relval, grp, role) VALUES
    ('MV-4310', 0, 0, 3, 100, 1, 'emulation', 'Emulation', '仿真模式', '', '', 'Emulation Mode', 1),
    ('MV-4310', 0, 1, 3, 101, 1, 'pitch', 'Character Pitch', '字符间距', '', '', '', 0),
    ('MV-4310', 0, 2, 3, 102, 1, 'font', 'Font', '字体', '', '', '', 0),
    ('MV-4310', 0, 3, 3, 200, 1, 'density', 'Print Density', '打印浓度', '', '', '', 0),
    ('MV-4310', 0, 4, 3, 216, 1, 'aspect', 'Dot Aspect', '点阵宽高比', '', '', '', 0),
    ('MV-4310', 0, 5, 3, 224, 1, 'speed', 'Print Speed', '打印速度', '', '', '', 0),
    ('MV-4310', 0, 6, 3, 108, 1, 'onoff', 'Bidirectional Printing', '双向打印', '', '', '', 0),
    ('MV-4310', 2, 0, 3, 103, 1, 'codepage', 'Code Page', '代码页', '', '', '', 0),
    ('MV-4310', 2, 1, 3, 104, 1, 'intl', 'International Character Set', '国际字符集', '', '', '', 0),
    ('MV-4310', 2, 2, 3, 105, 1, 'linespacing', 'Line Spacing', '行间距', '', '', '', 0),
    ('MV-4310', 2, 3, 3, 106, 1, 'onoff', 'Auto Line Feed', '自动换行', '', '', '', 0),
    ('MV-4310', 2, 4, 3, 107, 1, 'onoff', 'Slashed Zero', '带斜线的零', '', '', '', 0),
    ('MV-4310', 3, 0, 3, 232, 1, 'interface', 'Interface', '接口选择', '', '', '', 0),
    ('MV-4310', 3, 1, 3, 240, 1, 'baud', 'Baud Rate', '波特率', '232', '-2', '', 0),
    ('MV-4310', 3, 2, 3, 241, 1, 'databits', 'Data Bits', '数据位', '232', '-2', '', 0),
    ('MV-4310', 3, 3, 3, 242, 1, 'parity', 'Parity', '校验', '232', '-2', '', 0),
    ('MV-4310', 3, 4, 3, 243, 1, 'flow', 'Flow Control', '流控制', '232', '-2', '', 0),
    ('MV-4310', 5, 0, 3, 250, 1, 'headgap', 'Head Gap', '打印头间隙', '', '', '', 0),
    ('MV-4310', 5, 1, 3, 251, 1, 'sleep', 'Sleep Time', '休眠时间', '', '', '', 0),
    ('MV-4310', 5, 2, 3, 252, 1, 'buzzer', 'Buzzer', '蜂鸣器', '', '', '', 0);

-- Paper Setup
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, rf, wf, minv, maxv, relpos, relval) VALUES
    ('MV-4310', 1, 0, 3, 110, 1, 'papertype', 'Paper Type', '纸张类型', '', '', 0, 0, '', ''),
    ('MV-4310', 1, 1, 5, 112, 2, NULL, 'Page Length', '页长',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 76.2, 558.8, '', ''),
    ('MV-4310', 1, 2, 5, 114, 2, NULL, 'Top Margin', '上边距',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 0, 50.8, '', ''),
    ('MV-4310', 1, 3, 5, 116, 2, NULL, 'Print Position Adjustment', '打印位置微调',
     '(H*256+L)/10;(H*256+L-65536)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', -5, 5, '', ''),
    ('MV-4310', 1, 4, 1, 144, 2, NULL, 'Left Margin Columns', '左边距列数',
     'H*256+L', 'H=Math.floor(value/256);L=value%256', 0, 80, '', ''),
    ('MV-4310', 1, 5, 1, 146, 2, NULL, 'Right Margin Columns', '右边距列数',
     'H*256+L', 'H=Math.floor(value/256);L=value%256', 0, 136, '', ''),
    ('MV-4310', 1, 6, 1, 282, 2, NULL, 'Passbook First Line', '存折起始行',
     'H*256+L', 'H=Math.floor(value/256);L=value%256', 1, 40, '110', '1'),
    ('MV-4310', 1, 7, 1, 294, 2, NULL, 'Passbook Lines per Page', '存折每页行数',
     'H*256+L', 'H=Math.floor(value/256);L=value%256', 10, 40, '110', '1');
INSERT INTO stage_row (printer, page, row, col, kind, en, zh) VALUES
    ('MV-4310', 1, 4, 2, 4, 'Define', '自定义'),
    ('MV-4310', 1, 5, 2, 4, 'Define', '自定义'),
    ('MV-4310', 1, 6, 2, 4, 'Define', '自定义'),
    ('MV-4310', 1, 7, 2, 4, 'Define', '自定义');

-- Bluetooth (group "Bluetooth"): 1 name, 2 pass code.
INSERT INTO stage_row (printer, page, row, kind, pos, len, en, zh, key, grp, role) VALUES
    ('MV-4310', 4, 0, 1, 620, 16, 'Bluetooth Name', '蓝牙名称', 'BlueToothModel', 'Bluetooth', 1),
    ('MV-4310', 4, 1, 1, 637, 5, 'Pass Code', '配对密码', 'BlueToothPassword', 'Bluetooth', 2);
INSERT INTO stage_row (printer, page, row, col, kind, en, zh, grp, role, action, timeout) VALUES
    ('MV-4310', 4, 2, 0, 2, 'Write', '写入', 'Bluetooth Write', 0, 1, 500);
