-- MV-4410C (type code 0302): 24-pin colour printer with black-mark and cut-sheet handling.
-- The rows at 216-221, 230 and 234 depend on the installed head (byte 583); the black-mark and
-- cut-sheet distances are whole dots (1/180 inch). Network ranges (32-96, 316-692) stay free.

INSERT INTO stage_printer (name, test, ord) VALUES ('MV-4410C', 1, 3);

INSERT INTO stage_optset (optset, value, en, zh) VALUES
    ('ribbon', 0, 'Black ribbon', '黑色色带'), ('ribbon', 1, 'Colour ribbon (CMYK)', '彩色色带 (CMYK)'),
    ('colourmode', 0, 'Monochrome', '单色'), ('colourmode', 1, 'Colour', '彩色'),
    ('colourmode', 2, 'Colour with black text', '彩色 (黑色文字)'),
    ('copymode', 0, 'Single part', '单联'), ('copymode', 1, 'Up to 4 parts', '最多 4 联'),
    ('copymode', 2, 'Up to 6 parts', '最多 6 联');

INSERT INTO stage_page (printer, page, layout, en, zh, byteposition, valid) VALUES
    ('MV-4410C', 0, 0, 'Print Setup', '打印设置', '', ''),
    ('MV-4410C', 1, 0, 'Paper Setup', '纸张设置', '', ''),
    ('MV-4410C', 1, 1, 'Paper Setup', '纸张设置', '142', '1'),
    ('MV-4410C', 1, 2, 'Paper Setup', '纸张设置', '110', '1'),
    ('MV-4410C', 2, 0, 'Character Setup', '字符设置', '', ''),
    ('MV-4410C', 3, 0, 'Interface Setup', '接口设置', '', ''),
    ('MV-4410C', 4, 0, 'Other Setup', '其他设置', '', '');

INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, relpos, relval, anno_en, anno_zh, grp, role) VALUES
    ('MV-4410C', 0, 0, 3, 100, 1, 'emulation', 'Emulation', '仿真模式', '', '',
     '', '', 'Emulation Mode', 1),
    ('MV-4410C', 0, 1, 3, 101, 1, 'pitch', 'Character Pitch', '字符间距', '', '', '', '', '', 0),
    ('MV-4410C', 0, 2, 3, 102, 1, 'font', 'Font', '字体', '', '', '', '', '', 0),
    ('MV-4410C', 0, 3, 3, 200, 1, 'density', 'Print Density', '打印浓度', '', '',
     '', '', '', 0),
    ('MV-4410C', 0, 4, 3, 216, 1, 'aspect', 'Dot Aspect', '点阵宽高比', '583', '#',
     '', '', '', 0),
    ('MV-4410C', 0, 5, 3, 218, 1, 'ribbon', 'Ribbon', '色带', '583', '#',
     '◆Set by the installed ribbon cartridge.', '◆由安装的色带盒决定。', '', 0),
    ('MV-4410C', 0, 6, 3, 220, 1, 'colourmode', 'Colour Printing', '彩色打印', '218', '1',
     '◆Only with the colour ribbon installed.', '◆仅在安装彩色色带时有效。', '', 0),
    ('MV-4410C', 0, 7, 3, 224, 1, 'speed', 'Print Speed', '打印速度', '', '',
     '', '', '', 0),
    ('MV-4410C', 0, 8, 3, 230, 1, 'copymode', 'Copy Mode', '复写模式', '583', '#',
     '◆More parts need a stronger impact and print slower.', '◆联数越多击打力越强，速度越慢。', '', 0),
    ('MV-4410C', 0, 9, 3, 234, 1, 'onoff', 'Head Protection', '打印头保护', '583', '#',
     '◆Pauses printing when the head gets too hot.', '◆打印头过热时暂停打印。', '', 0),
    ('MV-4410C', 0, 10, 3, 108, 1, 'onoff', 'Bidirectional Printing', '双向打印', '', '',
     '', '', '', 0),
    ('MV-4410C', 1, 0, 3, 110, 1, 'papertype', 'Paper Type', '纸张类型', '', '',
     '', '', '', 0),
    ('MV-4410C', 1, 1, 3, 142, 1, 'onoff', 'Black Mark Detection', '黑标检测', '', '',
     '◆Finds the top of each form by the printed mark on its back.', '◆通过纸背面的黑标确定每页起始位置。', 'Black Mark', 1);

-- Black mark and cut sheet distances: each spin box is used only while its Define box is ticked.
INSERT INTO stage_row (printer, page, row, kind, pos, len, en, zh, rf, wf, minv, maxv, relpos, relval, grp, role) VALUES
    ('MV-4410C', 1, 2, 5, 144, 2, 'Black Mark Offset (dots)', '黑标偏移 (点)', 'H*256+L', 'H=Math.floor(value/256);L=value%256', 0, 720, '142', '1', 'Black Mark', 5),
    ('MV-4410C', 1, 3, 5, 146, 2, 'Black Mark Width (dots)', '黑标宽度 (点)', 'H*256+L', 'H=Math.floor(value/256);L=value%256', 10, 180, '142', '1', 'Black Mark', 7),
    ('MV-4410C', 1, 4, 5, 148, 2, 'Mark Search Length (dots)', '黑标搜索长度 (点)', 'H*256+L', 'H=Math.floor(value/256);L=value%256', 180, 3960, '142', '1', 'Black Mark', 9),
    ('MV-4410C', 1, 5, 5, 150, 2, 'Print Start After Mark (dots)', '黑标后起印位置 (点)', 'H*256+L', 'H=Math.floor(value/256);L=value%256', 0, 720, '142', '1', 'Black Mark', 11),
    ('MV-4410C', 1, 6, 5, 152, 2, 'Sheet Top Margin (dots)', '单页上边距 (点)', 'H*256+L', 'H=Math.floor(value/256);L=value%256', 0, 360, '110', '1', 'Single Page', 27),
    ('MV-4410C', 1, 7, 5, 154, 2, 'Sheet Bottom Margin (dots)', '单页下边距 (点)', 'H*256+L', 'H=Math.floor(value/256);L=value%256', 0, 360, '110', '1', 'Single Page', 30),
    ('MV-4410C', 1, 8, 5, 156, 2, 'Sheet Left Margin (dots)', '单页左边距 (点)', 'H*256+L', 'H=Math.floor(value/256);L=value%256', 0, 360, '110', '1', 'Single Page', 33),
    ('MV-4410C', 1, 9, 5, 158, 2, 'Sheet Eject Length (dots)', '单页退纸长度 (点)', 'H*256+L', 'H=Math.floor(value/256);L=value%256', 0, 1440, '110', '1', 'Single Page', 36),
    ('MV-4410C', 1, 11, 5, 162, 2, 'Tear-off Distance', '撕纸距离', '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 0, 40, '', '', 'Single Page', 56);
INSERT INTO stage_row (printer, page, row, col, kind, pos, en, zh, grp, role, anno_en, anno_zh) VALUES
    ('MV-4410C', 1, 2, 2, 4, 0, 'Define', '自定义', 'Black Mark', 4, '', ''),
    ('MV-4410C', 1, 3, 2, 4, 0, 'Define', '自定义', 'Black Mark', 6, '', ''),
    ('MV-4410C', 1, 4, 2, 4, 0, 'Define', '自定义', 'Black Mark', 8, '', ''),
    ('MV-4410C', 1, 5, 2, 4, 0, 'Define', '自定义', 'Black Mark', 10, '', ''),
    ('MV-4410C', 1, 6, 2, 4, 0, 'Define', '自定义', 'Single Page', 26, '', ''),
    ('MV-4410C', 1, 7, 2, 4, 0, 'Define', '自定义', 'Single Page', 29, '', ''),
    ('MV-4410C', 1, 8, 2, 4, 0, 'Define', '自定义', 'Single Page', 32, '', ''),
    ('MV-4410C', 1, 9, 2, 4, 0, 'Define', '自定义', 'Single Page', 35, '', ''),
    ('MV-4410C', 1, 10, 1, 4, 160, 'Tear-off Check', '撕纸检查', 'Single Page', 55,
     '◆Ticked: the paper waits at the tear bar after each job.◆The choice is kept on this computer.',
     '◆勾选后每次打印结束纸张停在撕纸位置。◆此选择保存在本机。');

-- Form length and perforation skip: written only while the Define box beside them is ticked.
INSERT INTO stage_row (printer, page, row, kind, pos, len, en, zh, rf, wf, minv, maxv) VALUES
    ('MV-4410C', 1, 12, 1, 280, 2, 'Form Length in Lines', '每页行数', 'H*256+L', 'H=Math.floor(value/256);L=value%256', 1, 127),
    ('MV-4410C', 1, 13, 1, 282, 2, 'Perforation Skip (lines)', '跳过折缝行数', 'H*256+L', 'H=Math.floor(value/256);L=value%256', 0, 20);
INSERT INTO stage_row (printer, page, row, col, kind, en, zh) VALUES
    ('MV-4410C', 1, 12, 2, 4, 'Define', '自定义'),
    ('MV-4410C', 1, 13, 2, 4, 'Define', '自定义');

INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, relpos, relval, anno_en, anno_zh) VALUES
    ('MV-4410C', 2, 0, 3, 103, 1, 'codepage', 'Code Page', '代码页', '', '',
     '', ''),
    ('MV-4410C', 2, 1, 3, 104, 1, 'intl', 'International Character Set', '国际字符集', '', '', '', ''),
    ('MV-4410C', 2, 2, 3, 105, 1, 'linespacing', 'Line Spacing', '行间距', '', '', '', ''),
    ('MV-4410C', 2, 3, 3, 106, 1, 'onoff', 'Auto Line Feed', '自动换行', '', '', '', ''),
    ('MV-4410C', 3, 0, 3, 232, 1, 'interface', 'Interface', '接口选择', '', '',
     '', ''),
    ('MV-4410C', 3, 1, 3, 240, 1, 'baud', 'Baud Rate', '波特率', '232', '-2', '', ''),
    ('MV-4410C', 3, 2, 3, 241, 1, 'databits', 'Data Bits', '数据位', '232', '-2', '', ''),
    ('MV-4410C', 3, 3, 3, 242, 1, 'parity', 'Parity', '校验', '232', '-2', '', ''),
    ('MV-4410C', 3, 4, 3, 243, 1, 'flow', 'Flow Control', '流控制', '232', '-2', '', ''),
    ('MV-4410C', 4, 0, 3, 250, 1, 'headgap', 'Head Gap', '打印头间隙', '', '', '', ''),
    ('MV-4410C', 4, 1, 3, 251, 1, 'sleep', 'Sleep Time', '休眠时间', '', '', '', ''),
    ('MV-4410C', 4, 2, 3, 252, 1, 'buzzer', 'Buzzer', '蜂鸣器', '', '', '', '');
