-- RK-5200 (24-pin, type code 0000): "RK-5200" for the firmware that reports number 24,
-- "RK-5200_NEW" for later firmware. Same block layout; the print quality byte 185 counts 1-4
-- on the old firmware (0 = factory setting, shown as the last entry) and 0-3 on the new one.
-- Network ranges (32-96, 316-692) are left free: this model has none.

INSERT INTO stage_printer (name, test, ord) VALUES ('RK-5200', 0, 1), ('RK-5200_NEW', 0, 2);

INSERT INTO stage_optset (optset, value, en, zh) VALUES
    ('quality_old', 1, 'High speed draft', '高速草稿'), ('quality_old', 2, 'Draft quality', '草稿质量'),
    ('quality_old', 3, 'Near letter quality', '准信函质量'), ('quality_old', 4, 'Letter quality', '信函质量'),
    ('quality_new', 0, 'High speed draft', '高速草稿'), ('quality_new', 1, 'Draft quality', '草稿质量'),
    ('quality_new', 2, 'Near letter quality', '准信函质量'), ('quality_new', 3, 'Letter quality', '信函质量'),
    ('buffer', 0, '1 KB', '1 KB'), ('buffer', 1, '8 KB', '8 KB'), ('buffer', 2, '32 KB', '32 KB'),
    ('buffer', 3, '64 KB', '64 KB');

INSERT INTO stage_page (printer, page, layout, en, zh) VALUES
    ('RK-5200', 0, 0, 'Print Setup', '打印设置'),
    ('RK-5200', 1, 0, 'Paper Setup', '纸张设置'),
    ('RK-5200', 1, 1, 'Paper Setup', '纸张设置'),
    ('RK-5200', 2, 0, 'Character Setup', '字符设置'),
    ('RK-5200', 3, 0, 'Interface Setup', '接口设置'),
    ('RK-5200', 4, 0, 'Other Setup', '其他设置'),
    ('RK-5200', 5, 0, 'Advanced Setup', '高级设置');

-- Print Setup
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, anno_en, anno_zh, grp, role) VALUES
    ('RK-5200', 0, 0, 3, 100, 1, 'emulation', 'Emulation', '仿真模式',
     '', '', 'Emulation Mode', 1),
    ('RK-5200', 0, 1, 3, 101, 1, 'pitch', 'Character Pitch', '字符间距',
     '', '', '', 0),
    ('RK-5200', 0, 2, 3, 102, 1, 'font', 'Font', '字体',
     '', '', '', 0),
    ('RK-5200', 0, 3, 3, 185, 1, 'quality_old', 'Print Quality', '打印质量',
     '◆Draft prints one pass per line.◆Letter quality prints two passes and is slower.',
     '◆草稿质量每行打印一遍。◆信函质量打印两遍，速度较慢。', '', 0),
    ('RK-5200', 0, 4, 3, 200, 1, 'density', 'Print Density', '打印浓度',
     '', '', '', 0),
    ('RK-5200', 0, 5, 3, 216, 1, 'aspect', 'Dot Aspect', '点阵宽高比',
     '', '', '', 0),
    ('RK-5200', 0, 6, 3, 224, 1, 'speed', 'Print Speed', '打印速度',
     '', '', '', 0),
    ('RK-5200', 0, 7, 3, 108, 1, 'onoff', 'Bidirectional Printing', '双向打印',
     '', '', '', 0);

-- Paper Setup (the margins in tenths of millimetres, two bytes, high byte first)
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, rf, wf, minv, maxv, relpos, relval, anno_en, anno_zh) VALUES
    ('RK-5200', 1, 0, 3, 110, 1, 'papertype', 'Paper Type', '纸张类型', '', '', 0, 0, '', '',
     '', ''),
    ('RK-5200', 1, 1, 5, 112, 2, NULL, 'Page Length', '页长',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 76.2, 558.8, '', '',
     '', ''),
    ('RK-5200', 1, 2, 5, 114, 2, NULL, 'Top Margin', '上边距',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 0, 50.8, '', '', '', ''),
    ('RK-5200', 1, 3, 5, 116, 2, NULL, 'Print Position Adjustment', '打印位置微调',
     '(H*256+L)/10;(H*256+L-65536)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', -5, 5, '', '',
     '', ''),
    ('RK-5200', 1, 4, 3, 118, 1, 'paperout', 'Paper Out', '缺纸处理', '', '', 0, 0, '', '', '', ''),
    ('RK-5200', 1, 5, 3, 119, 1, 'onoff', 'Auto Tear-off', '自动撕纸', '', '', 0, 0, '110', '0',
     '', ''),
    ('RK-5200', 1, 6, 1, 120, 2, NULL, 'Tear-off Position', '撕纸位置',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 0, 40, '119+110', '1+-1',
     '', ''),
    ('RK-5200', 1, 7, 1, 124, 2, NULL, 'Form Length in Lines', '每页行数',
     'H*256+L', 'H=Math.floor(value/256);L=value%256', 1, 127, '', '',
     '', ''),
    ('RK-5200', 1, 8, 1, 144, 2, NULL, 'Left Margin Columns', '左边距列数',
     'H*256+L', 'H=Math.floor(value/256);L=value%256', 0, 80, '', '', '', '');
INSERT INTO stage_row (printer, page, row, col, kind, en, zh) VALUES
    ('RK-5200', 1, 6, 2, 4, 'Define', '自定义'),
    ('RK-5200', 1, 7, 2, 4, 'Define', '自定义'),
    ('RK-5200', 1, 8, 2, 4, 'Define', '自定义');

-- Character Setup
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, anno_en, anno_zh) VALUES
    ('RK-5200', 2, 0, 3, 103, 1, 'codepage', 'Code Page', '代码页',
     '', ''),
    ('RK-5200', 2, 1, 3, 104, 1, 'intl', 'International Character Set', '国际字符集', '', ''),
    ('RK-5200', 2, 2, 3, 105, 1, 'linespacing', 'Line Spacing', '行间距', '', ''),
    ('RK-5200', 2, 3, 3, 106, 1, 'onoff', 'Auto Line Feed', '自动换行', '', ''),
    ('RK-5200', 2, 4, 3, 109, 1, 'onoff', 'Auto Carriage Return', '自动回车', '', ''),
    ('RK-5200', 2, 5, 3, 107, 1, 'onoff', 'Slashed Zero', '带斜线的零', '', '');

-- Interface Setup: the serial rows are hidden while the parallel port is chosen.
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, rf, wf, minv, maxv, relpos, relval, anno_en, anno_zh) VALUES
    ('RK-5200', 3, 0, 3, 232, 1, 'interface', 'Interface', '接口选择', '', '', 0, 0, '', '',
     '', ''),
    ('RK-5200', 3, 1, 3, 240, 1, 'baud', 'Baud Rate', '波特率', '', '', 0, 0, '232', '-2', '', ''),
    ('RK-5200', 3, 2, 3, 241, 1, 'databits', 'Data Bits', '数据位', '', '', 0, 0, '232', '-2', '', ''),
    ('RK-5200', 3, 3, 3, 242, 1, 'parity', 'Parity', '校验', '', '', 0, 0, '232', '-2', '', ''),
    ('RK-5200', 3, 4, 3, 243, 1, 'flow', 'Flow Control', '流控制', '', '', 0, 0, '232', '-2', '', ''),
    ('RK-5200', 3, 5, 3, 244, 1, 'buffer', 'Receive Buffer', '接收缓冲区', '', '', 0, 0, '', '',
     '', '');

-- Other Setup
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, anno_en, anno_zh) VALUES
    ('RK-5200', 4, 0, 3, 250, 1, 'headgap', 'Head Gap', '打印头间隙', '', ''),
    ('RK-5200', 4, 1, 3, 251, 1, 'sleep', 'Sleep Time', '休眠时间', '', ''),
    ('RK-5200', 4, 2, 3, 252, 1, 'buzzer', 'Buzzer', '蜂鸣器', '', ''),
    ('RK-5200', 4, 3, 3, 253, 1, 'panel', 'Panel Lock', '面板锁定', '', '');

-- Advanced Setup: dot adjustment, written with its own buttons.
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, anno_en, anno_zh, grp, role) VALUES
    ('RK-5200', 5, 0, 3, 270, 1, 'dottype', 'Dot Type', '打印点类型',
     '', '', 'Dot adjustment', 86),
    ('RK-5200', 5, 1, 3, 271, 1, 'dotmode', 'Adjustment Mode', '校准模式', '', '', 'Dot adjustment', 85),
    ('RK-5200', 5, 2, 3, 272, 1, 'dotstep', 'Draft Adjustment', '草稿校准值', '', '', 'Dot adjustment', 1),
    ('RK-5200', 5, 3, 3, 273, 1, 'dotstep', 'Letter Quality Adjustment', '信函校准值', '', '', 'Dot adjustment', 2),
    ('RK-5200', 5, 4, 3, 274, 1, 'dotstep', 'High Speed Adjustment', '高速校准值', '', '', 'Dot adjustment', 3);
INSERT INTO stage_row (printer, page, row, col, kind, en, zh, grp, role, action, timeout) VALUES
    ('RK-5200', 5, 2, 2, 4, 'Include in test', '参与测试', 'Dot adjustment', 41, 0, 0),
    ('RK-5200', 5, 3, 2, 4, 'Include in test', '参与测试', 'Dot adjustment', 42, 0, 0),
    ('RK-5200', 5, 4, 2, 4, 'Include in test', '参与测试', 'Dot adjustment', 43, 0, 0),
    ('RK-5200', 5, 6, 0, 2, 'Write', '写入', 'Dot adjustment write', 0, 1, 500),
    ('RK-5200', 5, 6, 1, 2, 'Check', '查看', 'Dot adjustment check', 0, 1, 500),
    ('RK-5200', 5, 6, 2, 2, 'Default Values', '默认值', 'Dot adjustment default values', 0, 1, 0),
    ('RK-5200', 5, 7, 0, 2, 'Undo', '撤销', 'Dot adjustment undo', 0, 1, 0),
    ('RK-5200', 5, 7, 1, 2, 'Test Print', '打印测试', 'Dot adjustment test', 0, 1, 240000),
    ('RK-5200', 5, 8, 1, 5, 'Test Number', '测试编号', 'Dot adjustment', 88, 0, 0);
UPDATE stage_row SET minv = 1, maxv = 99 WHERE printer = 'RK-5200' AND en = 'Test Number';

-- RK-5200_NEW: the same design, print quality counted from 0, and the quiet head option.
INSERT INTO stage_page (printer, page, layout, en, zh, byteposition, valid)
    SELECT 'RK-5200_NEW', page, layout, en, zh, byteposition, valid FROM stage_page WHERE printer = 'RK-5200';
INSERT INTO stage_row
    SELECT 'RK-5200_NEW', page, row, col, kind, en, zh, pos, len,
           CASE WHEN pos = 185 THEN 'quality_new' ELSE optset END,
           rf, wf, minv, maxv, anno_en, anno_zh, relpos, relval, grp, role, key, timeout, action
    FROM stage_row WHERE printer = 'RK-5200';
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, anno_en, anno_zh) VALUES
    ('RK-5200_NEW', 4, 4, 3, 254, 1, 'onoff', 'Quiet Head Mode', '静音打印头模式',
     '◆Slows the head between characters to cut the noise by about a third.',
     '◆降低字符间打印头速度，噪音约减少三分之一。');
