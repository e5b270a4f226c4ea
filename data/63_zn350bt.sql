-- ZN-350 BT (type code 0703): compact Bluetooth printer of the ZN family. Its ordinary settings
-- end at 315, except the Bluetooth visibility at 635, which the page's Save writes like any
-- other switch. The Bluetooth area starts at 596: 17 bytes of name, then the pass code; this
-- module reports the pass code in a field of 10 bytes.

INSERT INTO stage_printer (name, test, ord) VALUES ('ZN-350 BT', 2, 11);

INSERT INTO stage_optset (optset, value, en, zh) VALUES
    ('btvisible', 0, 'Always visible', '始终可见'), ('btvisible', 1, 'Hidden once paired', '配对后隐藏');

INSERT INTO stage_page (printer, page, layout, en, zh) VALUES
    ('ZN-350 BT', 0, 0, 'Print Setup', '打印设置'),
    ('ZN-350 BT', 1, 0, 'Paper Setup', '纸张设置'),
    ('ZN-350 BT', 2, 0, 'Character Setup', '字符设置'),
    ('ZN-350 BT', 3, 0, 'Bluetooth Setup', '蓝牙设置'),
    ('ZN-350 BT', 4, 0, 'Other Setup', '其他设置');

INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, rf, wf, minv, maxv, relpos, relval, grp, role) VALUES
    ('ZN-350 BT', 0, 0, 3, 100, 1, 'emulation', 'Emulation', '仿真模式', '', '', 0, 0, '', '', 'Emulation Mode', 1),
    ('ZN-350 BT', 0, 1, 3, 101, 1, 'pitch', 'Character Pitch', '字符间距', '', '', 0, 0, '', '', '', 0),
    ('ZN-350 BT', 0, 2, 3, 102, 1, 'font', 'Font', '字体', '', '', 0, 0, '', '', '', 0),
    ('ZN-350 BT', 0, 3, 3, 200, 1, 'density', 'Print Density', '打印浓度', '', '', 0, 0, '', '', '', 0),
    ('ZN-350 BT', 0, 4, 3, 224, 1, 'speed', 'Print Speed', '打印速度', '', '', 0, 0, '', '', '', 0),
    ('ZN-350 BT', 1, 0, 3, 110, 1, 'papertype', 'Paper Type', '纸张类型', '', '', 0, 0, '', '', '', 0),
    ('ZN-350 BT', 1, 1, 5, 112, 2, NULL, 'Page Length', '页长',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 76.2, 558.8, '', '', '', 0),
    ('ZN-350 BT', 1, 2, 5, 114, 2, NULL, 'Top Margin', '上边距',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 0, 50.8, '', '', '', 0),
    ('ZN-350 BT', 1, 3, 3, 118, 1, 'paperout', 'Paper Out', '缺纸处理', '', '', 0, 0, '', '', '', 0),
    ('ZN-350 BT', 1, 4, 3, 119, 1, 'onoff', 'Auto Tear-off', '自动撕纸', '', '', 0, 0, '110', '0', '', 0),
    ('ZN-350 BT', 2, 0, 3, 103, 1, 'codepage', 'Code Page', '代码页', '', '', 0, 0, '', '', '', 0),
    ('ZN-350 BT', 2, 1, 3, 104, 1, 'intl', 'International Character Set', '国际字符集', '', '', 0, 0, '', '', '', 0),
    ('ZN-350 BT', 2, 2, 3, 105, 1, 'linespacing', 'Line Spacing', '行间距', '', '', 0, 0, '', '', '', 0),
    ('ZN-350 BT', 4, 0, 3, 251, 1, 'sleep', 'Sleep Time', '休眠时间', '', '', 0, 0, '', '', '', 0),
    ('ZN-350 BT', 4, 1, 3, 252, 1, 'buzzer', 'Buzzer', '蜂鸣器', '', '', 0, 0, '', '', '', 0),
    ('ZN-350 BT', 4, 2, 3, 635, 1, 'btvisible', 'Bluetooth Visibility', '蓝牙可见性', '', '', 0, 0, '', '', '', 0);

-- Bluetooth (group "Bluetooth"): 1 name, 2 pass code.
INSERT INTO stage_row (printer, page, row, kind, pos, len, en, zh, key, grp, role) VALUES
    ('ZN-350 BT', 3, 0, 1, 596, 16, 'Bluetooth Name', '蓝牙名称', 'BlueToothModel', 'Bluetooth', 1),
    ('ZN-350 BT', 3, 1, 1, 613, 10, 'Pass Code', '配对密码', 'BlueToothPassword', 'Bluetooth', 2);
INSERT INTO stage_row (printer, page, row, col, kind, en, zh, grp, role, action, timeout) VALUES
    ('ZN-350 BT', 3, 2, 0, 2, 'Write', '写入', 'Bluetooth Write', 0, 1, 500);
