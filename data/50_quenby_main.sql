-- QuenbyQP-80 (type code 0904): passbook and document printer that answers with the newer
-- identification layout. Its custom margins and passbook lines are used only while the Define
-- box beside them is ticked. Its device test page is the QR70 one (test type 5).
-- main_0901: the design every printer of the 0901 family falls back to when its model has no
-- type of its own; its adjustments are in millimetres with one decimal.

INSERT INTO stage_printer (name, test, ord) VALUES ('QuenbyQP-80', 5, 6), ('main_0901', 0, 7);

INSERT INTO stage_page (printer, page, layout, en, zh) VALUES
    ('QuenbyQP-80', 0, 0, 'Print Setup', '打印设置'),
    ('QuenbyQP-80', 1, 0, 'Paper Setup', '纸张设置'),
    ('QuenbyQP-80', 1, 1, 'Paper Setup', '纸张设置'),
    ('QuenbyQP-80', 2, 0, 'Character Setup', '字符设置'),
    ('QuenbyQP-80', 3, 0, 'Interface Setup', '接口设置'),
    ('QuenbyQP-80', 4, 0, 'Other Setup', '其他设置'),
    ('main_0901', 0, 0, 'Print Setup', '打印设置'),
    ('main_0901', 1, 0, 'Paper Setup', '纸张设置'),
    ('main_0901', 2, 0, 'Interface Setup', '接口设置');

-- The print, character, interface and other pages match the RK-5200's, without its print
-- quality byte 185.
INSERT INTO stage_row
    SELECT 'QuenbyQP-80', page, row, col, kind, en, zh, pos, len, optset, rf, wf, minv, maxv,
           anno_en, anno_zh, relpos, relval, grp, role, key, timeout, action
    FROM stage_row WHERE printer = 'RK-5200' AND page IN (0, 2, 3, 4) AND pos <> 185;

INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, rf, wf, minv, maxv, relpos, relval, anno_en, anno_zh) VALUES
    ('QuenbyQP-80', 1, 0, 3, 110, 1, 'papertype', 'Paper Type', '纸张类型', '', '', 0, 0, '', '',
     '', ''),
    ('QuenbyQP-80', 1, 1, 5, 112, 2, NULL, 'Page Length', '页长',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 76.2, 558.8, '', '',
     '', ''),
    ('QuenbyQP-80', 1, 2, 5, 114, 2, NULL, 'Top Margin', '上边距',
     '(H*256+L)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', 0, 50.8, '', '', '', ''),
    ('QuenbyQP-80', 1, 3, 5, 116, 2, NULL, 'Print Position Adjustment', '打印位置微调',
     '(H*256+L)/10;(H*256+L-65536)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', -5, 5, '', '',
     '', ''),
    ('QuenbyQP-80', 1, 4, 1, 144, 2, NULL, 'Left Margin Columns', '左边距列数',
     'H*256+L', 'H=Math.floor(value/256);L=value%256', 0, 80, '', '', '', ''),
    ('QuenbyQP-80', 1, 5, 1, 146, 2, NULL, 'Right Margin Columns', '右边距列数',
     'H*256+L', 'H=Math.floor(value/256);L=value%256', 0, 136, '', '', '', ''),
    ('QuenbyQP-80', 1, 6, 1, 280, 2, NULL, 'Passbook First Line', '存折起始行',
     'H*256+L', 'H=Math.floor(value/256);L=value%256', 1, 40, '110', '1',
     '', ''),
    ('QuenbyQP-80', 1, 7, 1, 292, 2, NULL, 'Passbook Lines per Page', '存折每页行数',
     'H*256+L', 'H=Math.floor(value/256);L=value%256', 10, 40, '110', '1', '', '');
INSERT INTO stage_row (printer, page, row, col, kind, en, zh) VALUES
    ('QuenbyQP-80', 1, 4, 2, 4, 'Define', '自定义'),
    ('QuenbyQP-80', 1, 5, 2, 4, 'Define', '自定义'),
    ('QuenbyQP-80', 1, 6, 2, 4, 'Define', '自定义'),
    ('QuenbyQP-80', 1, 7, 2, 4, 'Define', '自定义');

-- main_0901
INSERT INTO stage_row (printer, page, row, kind, pos, len, optset, en, zh, relpos, relval, anno_en, anno_zh, grp, role) VALUES
    ('main_0901', 0, 0, 3, 100, 1, 'emulation', 'Emulation', '仿真模式', '', '',
     '', '', 'Emulation Mode', 1),
    ('main_0901', 0, 1, 3, 101, 1, 'pitch', 'Character Pitch', '字符间距', '', '', '', '', '', 0),
    ('main_0901', 0, 2, 3, 200, 1, 'density', 'Print Density', '打印浓度', '', '',
     '', '', '', 0),
    ('main_0901', 0, 3, 3, 224, 1, 'speed', 'Print Speed', '打印速度', '', '',
     '', '', '', 0),
    ('main_0901', 0, 4, 3, 103, 1, 'codepage', 'Code Page', '代码页', '', '',
     '', '', '', 0),
    ('main_0901', 1, 0, 3, 110, 1, 'papertype', 'Paper Type', '纸张类型', '', '',
     '', '', '', 0),
    ('main_0901', 2, 0, 3, 232, 1, 'interface', 'Interface', '接口选择', '', '',
     '', '', '', 0),
    ('main_0901', 2, 1, 3, 240, 1, 'baud', 'Baud Rate', '波特率', '232', '-2', '', '', '', 0),
    ('main_0901', 2, 2, 3, 242, 1, 'parity', 'Parity', '校验', '232', '-2', '', '', '', 0);

-- Position adjustments (group "Position_0901"): each spin box only while its box is ticked.
INSERT INTO stage_row (printer, page, row, kind, pos, len, en, zh, rf, wf, minv, maxv, anno_en, anno_zh, grp, role) VALUES
    ('main_0901', 1, 1, 5, 300, 2, 'Top of Form Adjustment', '起始位置微调',
     '(H*256+L)/10;(H*256+L-65536)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', -10, 10,
     '', '', 'Position_0901', 2),
    ('main_0901', 1, 2, 5, 302, 2, 'Left Margin Adjustment', '左边距微调',
     '(H*256+L)/10;(H*256+L-65536)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', -10, 10,
     '', '', 'Position_0901', 4),
    ('main_0901', 1, 3, 5, 304, 2, 'Tear-off Adjustment', '撕纸位置微调',
     '(H*256+L)/10;(H*256+L-65536)/10', 'H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256', -10, 10,
     '', '', 'Position_0901', 6);
INSERT INTO stage_row (printer, page, row, col, kind, en, zh, grp, role) VALUES
    ('main_0901', 1, 1, 2, 4, 'Define', '自定义', 'Position_0901', 1),
    ('main_0901', 1, 2, 2, 4, 'Define', '自定义', 'Position_0901', 3),
    ('main_0901', 1, 3, 2, 4, 'Define', '自定义', 'Position_0901', 5);
