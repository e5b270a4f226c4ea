-- Fixed rows every design relies on, the designer account, and the staging tables in which
-- the printer files (10_*.sql ...) describe their pages. 99_finish.sql turns the staging rows
-- into the real tables and drops them.

-- Control kinds as the designer numbers them: 0 Label box, 1 Edit box, 2 Button box,
-- 3 ComboBox, 4 CheckBox, 5 DoubleSpinBox. Return type: 0 none, 1 text, 2 number, 3 choice.
INSERT INTO ControlType (ctrt_name, ctrt_returntype) VALUES
    (0, 0), (1, 1), (2, 0), (3, 3), (4, 2), (5, 2);

-- Instruction types: 0 none, 1 command export, 2 command parameter.
INSERT INTO ActionType (actt_type) VALUES (0), (1), (2);

-- The designer account: name "designer"; the password's hash sum (see the README).
INSERT INTO user (user_name, user_password, user_authority) VALUES
    ('designer', '-41-385830-35-43-105857133-97-87-22-88-29106-201523-106-27-46-59-2081-5368367427-94127', 1);

-- Staging ------------------------------------------------------------------------------------

-- Printer types in the order they are numbered.
CREATE TABLE stage_printer (name TEXT PRIMARY KEY, test INTEGER DEFAULT 0, ord INTEGER);

-- One row per section of a page; the title is the page's title.
CREATE TABLE stage_page (
    printer TEXT, page INTEGER, layout INTEGER DEFAULT 0, en TEXT, zh TEXT,
    byteposition TEXT DEFAULT '', valid TEXT DEFAULT ''
);

-- Named option lists: value is the byte the setting holds when the option is chosen.
CREATE TABLE stage_optset (optset TEXT, value INTEGER, en TEXT, zh TEXT);

-- One row per setting. A value control in column 1 (edit, combo, check, spin box) gets a caption
-- label in column 0 with en/zh; labels, buttons and controls in other columns stand alone.
-- key: the caption the engine recognises a field by (same text in both languages); when set it
-- is the value control's text instead of en/zh. grp/role: special group (or button action,
-- role 0) of the control.
CREATE TABLE stage_row (
    printer TEXT, page INTEGER, row INTEGER, col INTEGER DEFAULT 1, kind INTEGER,
    en TEXT, zh TEXT,
    pos INTEGER DEFAULT 0, len INTEGER DEFAULT 0, optset TEXT,
    rf TEXT DEFAULT '', wf TEXT DEFAULT '', minv REAL DEFAULT 0, maxv REAL DEFAULT 0,
    anno_en TEXT DEFAULT '', anno_zh TEXT DEFAULT '',
    relpos TEXT DEFAULT '', relval TEXT DEFAULT '',
    grp TEXT DEFAULT '', role INTEGER DEFAULT 0, key TEXT,
    timeout INTEGER DEFAULT 0, action INTEGER DEFAULT 0
);

-- Option lists shared by several printers ------------------------------------------------------
INSERT INTO stage_optset (optset, value, en, zh) VALUES
    ('onoff', 0, 'Off', '关闭'), ('onoff', 1, 'On', '开启'),
    ('disable', 0, 'Disable', '禁用'), ('disable', 1, 'Enable', '启用'),
    ('emulation', 0, 'ESC/P2 (LQ)', 'ESC/P2 (LQ)'),
    ('emulation', 2, 'IBM Proprinter', 'IBM Proprinter'),
    ('emulation', 4, 'OKI Microline', 'OKI Microline'),
    ('pitch', 0, '10 CPI', '10 CPI'), ('pitch', 1, '12 CPI', '12 CPI'),
    ('pitch', 2, '15 CPI', '15 CPI'), ('pitch', 3, '17.1 CPI', '17.1 CPI'),
    ('pitch', 4, '20 CPI', '20 CPI'), ('pitch', 5, 'Proportional', '比例间距'),
    ('font', 0, 'Draft', '草稿体'), ('font', 1, 'Roman', '罗马体'),
    ('font', 2, 'Sans Serif', '无衬线体'), ('font', 3, 'Courier', 'Courier 体'),
    ('font', 4, 'Prestige', 'Prestige 体'), ('font', 5, 'Script', '手写体'),
    ('font', 6, 'OCR-B', 'OCR-B'),
    ('codepage', 0, 'PC437 (USA)', 'PC437 (美国)'),
    ('codepage', 1, 'PC850 (Multilingual)', 'PC850 (多语言)'),
    ('codepage', 2, 'PC860 (Portuguese)', 'PC860 (葡萄牙语)'),
    ('codepage', 3, 'PC863 (Canadian French)', 'PC863 (加拿大法语)'),
    ('codepage', 4, 'PC865 (Nordic)', 'PC865 (北欧)'),
    ('codepage', 5, 'PC858 (Euro)', 'PC858 (欧元)'),
    ('codepage', 6, 'PC866 (Cyrillic)', 'PC866 (西里尔文)'),
    ('codepage', 7, 'GB18030 (Simplified Chinese)', 'GB18030 (简体中文)'),
    ('codepage', 8, 'BIG5 (Traditional Chinese)', 'BIG5 (繁体中文)'),
    ('intl', 0, 'USA', '美国'), ('intl', 1, 'France', '法国'), ('intl', 2, 'Germany', '德国'),
    ('intl', 3, 'United Kingdom', '英国'), ('intl', 4, 'Denmark', '丹麦'),
    ('intl', 5, 'Sweden', '瑞典'), ('intl', 6, 'Italy', '意大利'), ('intl', 7, 'Spain', '西班牙'),
    ('intl', 8, 'Japan', '日本'), ('intl', 9, 'Norway', '挪威'), ('intl', 10, 'China', '中国'),
    ('linespacing', 0, '1/6 inch', '1/6 英寸'), ('linespacing', 1, '1/8 inch', '1/8 英寸'),
    ('density', 0, 'Light', '浅'), ('density', 1, 'Normal', '标准'),
    ('density', 2, 'Dark', '深'), ('density', 3, 'Extra dark', '加深'),
    -- Dot aspect at 216: the fifth entry disappears on heads that cannot print it.
    ('aspect', 0, '1:1', '1:1'), ('aspect', 1, '10:8', '10:8'), ('aspect', 2, '13:8', '13:8'),
    ('aspect', 3, '16:8', '16:8'), ('aspect', 4, 'Compressed', '压缩'),
    -- Print speed at 224: the faster entries depend on the print head.
    ('speed', 0, 'Normal', '标准'), ('speed', 1, 'High speed', '高速'),
    ('speed', 2, 'Ultra high speed', '超高速'), ('speed', 3, 'Quiet', '静音'),
    -- Interface at 232: entries the printer lacks are removed after reading.
    ('interface', 0, 'Auto', '自动'), ('interface', 1, 'USB', 'USB'),
    ('interface', 2, 'Parallel', '并口'), ('interface', 3, 'Serial', '串口'),
    ('interface', 4, 'Ethernet', '以太网'), ('interface', 5, 'Wireless', '无线'),
    ('baud', 0, '1200', '1200'), ('baud', 1, '2400', '2400'), ('baud', 2, '4800', '4800'),
    ('baud', 3, '9600', '9600'), ('baud', 4, '19200', '19200'), ('baud', 5, '38400', '38400'),
    ('baud', 6, '57600', '57600'), ('baud', 7, '115200', '115200'),
    ('databits', 0, '7 bits', '7 位'), ('databits', 1, '8 bits', '8 位'),
    ('parity', 0, 'None', '无校验'), ('parity', 1, 'Odd', '奇校验'), ('parity', 2, 'Even', '偶校验'),
    ('flow', 0, 'DTR/DSR', 'DTR/DSR'), ('flow', 1, 'XON/XOFF', 'XON/XOFF'),
    ('flow', 2, 'RTS/CTS', 'RTS/CTS'),
    ('papertype', 0, 'Continuous (tractor)', '连续纸 (拖纸)'),
    ('papertype', 1, 'Cut sheet', '单页纸'),
    ('papertype', 2, 'Multi-part form', '多联票据'),
    ('paperout', 0, 'Stop printing', '停止打印'), ('paperout', 1, 'Ignore', '忽略'),
    ('paperout', 2, 'Finish the page', '打完本页'),
    ('headgap', 0, 'Auto', '自动'), ('headgap', 1, 'Thin paper', '薄纸'),
    ('headgap', 2, 'Standard', '标准'), ('headgap', 3, 'Thick paper', '厚纸'),
    ('headgap', 4, 'Envelope', '信封'),
    ('sleep', 0, 'Never', '从不'), ('sleep', 1, '5 minutes', '5 分钟'),
    ('sleep', 2, '15 minutes', '15 分钟'), ('sleep', 3, '30 minutes', '30 分钟'),
    ('sleep', 4, '60 minutes', '60 分钟'),
    ('buzzer', 0, 'Silent', '静音'), ('buzzer', 1, 'Errors only', '仅出错时'),
    ('buzzer', 2, 'Always', '始终'),
    ('dottype', 0, 'Draft dots', '草稿打印点'), ('dottype', 1, 'Letter quality dots', '信函打印点'),
    ('dotmode', 0, 'Bidirectional', '双向'), ('dotmode', 1, 'High speed bidirectional', '高速双向'),
    ('dhcp', 0, 'Off', '关闭'), ('dhcp', 1, 'On (automatic address)', '开启 (自动获取)'),
    ('panel', 0, 'Unlocked', '未锁定'), ('panel', 1, 'Locked', '锁定');

-- Dot adjustment steps 0..60; the printer takes the shown step minus half the span.
WITH RECURSIVE step(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM step WHERE n < 60)
INSERT INTO stage_optset (optset, value, en, zh) SELECT 'dotstep', n, CAST(n AS TEXT), CAST(n AS TEXT) FROM step;
-- The wider span of the receipt printers: 0..140.
WITH RECURSIVE step(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM step WHERE n < 140)
INSERT INTO stage_optset (optset, value, en, zh) SELECT 'dotstep140', n, CAST(n AS TEXT), CAST(n AS TEXT) FROM step;
