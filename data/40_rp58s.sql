-- RP-58S (type code 0501): narrow 9-pin slip and receipt printer with Bluetooth. The top of
-- form and tear-off positions are stored with a fixed offset (27 mm and 43 mm) that the engine
-- takes off for showing. The Bluetooth area starts at 596: 17 bytes of name, then the pass code.

INSERT INTO stage_printer (name, test, ord) VALUES ('RP-58S', 3, 5);

INSERT INTO stage_optset (optset, value, en, zh) VALUES
    ('paper58', 0, 'Receipt roll', '卷纸'), ('paper58', 1, 'Slip', '票据'),
    ('paper58', 2, 'Label with gap', '间隙标签纸');

INSERT INTO stage_page (printer, page, layout, en, zh) VALUES
    ('RP-58S', 0, 0, 'Print Setup', '打印设置'),
    ('RP-58S', 1, 0, 'Paper Setup', '纸张设置'),
    ('RP-58S', 2, 0, 'Bluetooth Setup', '蓝牙设置'),
    ('RP-58S', 3, 0, 'Interface Setup', '接口设置'),
    ('RP-58S', 4, 0, 'Advanced Setup', '高级设置');

INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, rf, wf, minv, maxv, relpos, relval, anno_en, anno_zh) VALUES
    ('RP-58S', 0, 0, 3, 200, 1, 'density', 'Print Density', '打印浓度', '', '', 0, 0, '', '',
     '', ''),
    ('RP-58S', 0, 1, 3, 224, 1, 'speed', 'Print Speed', '打印速度', '', '', 0, 0, '', '',
     '', ''),
    ('RP-58S', 0, 2, 3, 102, 1, 'font', 'Font', '字体', '', '', 0, 0, '', '', '', ''),
    ('RP-58S', 0, 3, 3, 103, 1, 'codepage', 'Code Page', '代码页', '', '', 0, 0, '', '',
     '', ''),
    ('RP-58S', 0, 4, 3, 104, 1, 'intl', 'International Character Set', '国际字符集', '', '', 0, 0, '', '', '', ''),
    ('RP-58S', 1, 0, 3, 110, 1, 'paper58', 'Paper Type', '纸张类型', '', '', 0, 0, '', '', '', ''),
    ('RP-58S', 1, 1, 5, 282, 2, NULL, 'Top of Form Position', '起始打印位置',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 0, 20, '', '',
     '', ''),
    ('RP-58S', 1, 2, 5, 284, 2, NULL, 'Tear-off Position', '撕纸位置',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 0, 15, '110', '0',
     '◆Distance from the print line to the tear bar, 0 to 15 mm.◆Applies to receipt rolls only; hidden for other paper.',
     '◆打印行到撕纸条的距离，0 至 15 毫米。◆仅适用于卷纸，其他纸张不显示此项。'),
    ('RP-58S', 1, 3, 3, 118, 1, 'paperout', 'Paper Out', '缺纸处理', '', '', 0, 0, '', '', '', ''),
    ('RP-58S', 3, 0, 3, 232, 1, 'interface', 'Interface', '接口选择', '', '', 0, 0, '', '',
     '', ''),
    ('RP-58S', 3, 1, 3, 240, 1, 'baud', 'Baud Rate', '波特率', '', '', 0, 0, '232', '-2', '', ''),
    ('RP-58S', 3, 2, 3, 241, 1, 'databits', 'Data Bits', '数据位', '', '', 0, 0, '232', '-2', '', ''),
    ('RP-58S', 3, 3, 3, 242, 1, 'parity', 'Parity', '校验', '', '', 0, 0, '232', '-2', '', ''),
    ('RP-58S', 3, 4, 3, 243, 1, 'flow', 'Flow Control', '流控制', '', '', 0, 0, '232', '-2', '', '');

-- Bluetooth (group "Bluetooth"): 1 name, 2 pass code.
INSERT INTO stage_row (printer, page, row, kind, pos, len, en, zh, key, anno_en, anno_zh, grp, role) VALUES
    ('RP-58S', 2, 0, 1, 596, 16, 'Bluetooth Name', '蓝牙名称', 'BlueToothModel',
     '', '', 'Bluetooth', 1),
    ('RP-58S', 2, 1, 1, 613, 5, 'Pass Code', '配对密码', 'BlueToothPassword',
     '', '', 'Bluetooth', 2);
INSERT INTO stage_row (printer, page, row, col, kind, en, zh, grp, role, action, timeout) VALUES
    ('RP-58S', 2, 2, 0, 2, 'Write', '写入', 'Bluetooth Write', 0, 1, 500);

-- Dot adjustment: this head takes steps of -70 to +70.
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, anno_en, anno_zh, grp, role) VALUES
    ('RP-58S', 4, 0, 3, 270, 1, 'dottype', 'Dot Type', '打印点类型',
     '', '', 'Dot adjustment', 86),
    ('RP-58S', 4, 1, 3, 271, 1, 'dotmode', 'Adjustment Mode', '校准模式', '', '', 'Dot adjustment', 85),
    ('RP-58S', 4, 2, 3, 272, 1, 'dotstep140', 'Draft Adjustment', '草稿校准值', '', '', 'Dot adjustment', 1),
    ('RP-58S', 4, 3, 3, 273, 1, 'dotstep140', 'Letter Quality Adjustment', '信函校准值', '', '', 'Dot adjustment', 2);
INSERT INTO stage_row (printer, page, row, col, kind, en, zh, grp, role, action, timeout) VALUES
    ('RP-58S', 4, 2, 2, 4, 'Include in test', '参与测试', 'Dot adjustment', 41, 0, 0),
    ('RP-58S', 4, 3, 2, 4, 'Include in test', '参与测试', 'Dot adjustment', 42, 0, 0),
    ('RP-58S', 4, 5, 0, 2, 'Write', '写入', 'Dot adjustment write', 0, 1, 500),
    ('RP-58S', 4, 5, 1, 2, 'Check', '查看', 'Dot adjustment check', 0, 1, 500),
    ('RP-58S', 4, 5, 2, 2, 'Default Values', '默认值', 'Dot adjustment default values', 0, 1, 0),
    ('RP-58S', 4, 6, 0, 2, 'Undo', '撤销', 'Dot adjustment undo', 0, 1, 0),
    ('RP-58S', 4, 6, 1, 2, 'Test Print', '打印测试', 'Dot adjustment test', 0, 1, 240000),
    ('RP-58S', 4, 7, 1, 5, 'Test Number', '测试编号', 'Dot adjustment', 88, 0, 0);
UPDATE stage_row SET minv = 1, maxv = 99 WHERE printer = 'RP-58S' AND en = 'Test Number';
