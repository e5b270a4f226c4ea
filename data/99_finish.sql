-- Turns the staging rows of the printer files into the real tables, checks the result and
-- drops the staging tables. A failed check stops the build (a CHECK constraint fails).

CREATE TEMP TABLE must (what TEXT, ok INTEGER CHECK (ok));

-- Every staged text has one Chinese wording per English wording (designs find texts by English).
CREATE TEMP TABLE texts AS
    SELECT en, zh FROM stage_page
    UNION SELECT en, zh FROM stage_optset
    UNION SELECT en, zh FROM stage_row WHERE en <> ''
    UNION SELECT anno_en, anno_zh FROM stage_row WHERE anno_en <> ''
    UNION SELECT key, key FROM stage_row WHERE key IS NOT NULL;
INSERT INTO must SELECT 'one Chinese text per English text: ' || en, count(*) = 1
    FROM texts GROUP BY en;
INSERT INTO must SELECT 'both languages: ' || en, zh <> '' FROM texts;

-- Cells are unique and value controls do not share bytes.
INSERT INTO must SELECT 'one control per cell: ' || printer || ' page ' || page || ' row ' || row,
    count(*) = 1 FROM stage_row GROUP BY printer, page, row, col;
INSERT INTO must SELECT 'inside the block: ' || printer || ' ' || pos, pos + max(len, 1) <= 1024
    FROM stage_row WHERE pos > 0;
INSERT INTO must SELECT 'overlap: ' || a.printer || ' ' || a.pos || '/' || b.pos, 0
    FROM stage_row a JOIN stage_row b ON a.printer = b.printer AND a.rowid < b.rowid
    WHERE a.pos > 0 AND b.pos > 0 AND a.kind IN (1, 3, 5) AND b.kind IN (1, 3, 5)
      AND a.pos < b.pos + max(b.len, 1) AND b.pos < a.pos + max(a.len, 1);
-- The page list shows one title per page: every section of a page carries the page's title.
INSERT INTO must SELECT 'one title per page: ' || printer || ' ' || page, count(DISTINCT en) = 1
    FROM stage_page GROUP BY printer, page;
INSERT INTO must SELECT 'titles differ between pages: ' || printer || ' ' || en,
    count(DISTINCT page) = 1 FROM stage_page GROUP BY printer, en;
INSERT INTO must SELECT 'pages numbered from 0: ' || printer,
    max(page) + 1 = count(DISTINCT page) FROM stage_page GROUP BY printer;
INSERT INTO must SELECT 'page exists: ' || r.printer || ' ' || r.page, 0
    FROM stage_row r WHERE NOT EXISTS
        (SELECT 1 FROM stage_page p WHERE p.printer = r.printer AND p.page = r.page);
INSERT INTO must SELECT 'option list exists: ' || optset, 0
    FROM stage_row r WHERE optset IS NOT NULL
      AND NOT EXISTS (SELECT 1 FROM stage_optset o WHERE o.optset = r.optset);
INSERT INTO must SELECT 'combo box has options: ' || printer || ' ' || pos, optset IS NOT NULL
    FROM stage_row WHERE kind = 3;
-- Every setting explains itself in both languages.
INSERT INTO must SELECT 'annotation: ' || printer || ' ' || en, anno_en <> '' AND anno_zh <> ''
    FROM stage_row WHERE kind IN (1, 3, 4, 5);
INSERT INTO must SELECT 'annotation in bullets: ' || printer || ' ' || en,
    anno_en LIKE '◆%' AND anno_zh LIKE '◆%' FROM stage_row WHERE anno_en <> '';

-- Texts, formulas, printer types -------------------------------------------------------------
INSERT INTO ContentType (ctnt_chinese, ctnt_english) SELECT zh, en FROM texts ORDER BY en;
INSERT INTO FormulaType (fmlt_expression)
    SELECT f FROM (SELECT rf AS f FROM stage_row UNION SELECT wf FROM stage_row)
    WHERE f <> '' ORDER BY f;
INSERT INTO PrinterType (prit_name, prit_test) SELECT name, test FROM stage_printer ORDER BY ord;

INSERT INTO Re_Prit_Page_Layout
    (rppl_pritid, rppl_pageid, rppl_layout, rppl_contentid, rppl_byteposition, rppl_valid)
    SELECT t.prit_id, p.page, p.layout, c.ctnt_id, p.byteposition, p.valid
    FROM stage_page p JOIN PrinterType t ON t.prit_name = p.printer
    JOIN ContentType c ON c.ctnt_english = p.en
    ORDER BY t.prit_id, p.page, p.layout;

-- Controls: the staged rows plus a caption label left of every value control in column 1. The
-- caption shows the same annotation as its control: users click the text they read.
CREATE TEMP TABLE controls AS
    SELECT printer, page, row, 0 AS col, 0 AS kind, en, zh, 0 AS pos, 0 AS len,
           '' AS rf, '' AS wf, 0.0 AS minv, 0.0 AS maxv, anno_en,
           '' AS relpos, '' AS relval, 0 AS timeout, 0 AS action, NULL AS srcid
    FROM stage_row WHERE col = 1 AND kind IN (1, 3, 4, 5) AND en <> ''
    UNION ALL
    SELECT printer, page, row, col, kind, coalesce(key, en), coalesce(key, zh), pos, len,
           rf, wf, minv, maxv, anno_en, relpos, relval, timeout, action, rowid
    FROM stage_row;
INSERT INTO must SELECT 'caption cell free: ' || printer || ' ' || page || '/' || row, count(*) = 1
    FROM controls GROUP BY printer, page, row, col;

INSERT INTO Re_Prit_Ctrt_Act
    (rpca_pritid, rpca_rpplid, rpca_controlid, rpca_parentrelated, rpca_actionid, rpca_pagerow,
     rpca_pagecol, rpca_byteposition, rpca_bytelength, rpca_timeout, rpca_comment, rpca_contentid,
     rpca_readformulaid, rpca_writeformulaid, rpca_relateposition, rpca_relatevalid,
     rpca_minlength, rpca_maxlength)
    SELECT t.prit_id,
           (SELECT max(l.rppl_id) FROM Re_Prit_Page_Layout l
             WHERE l.rppl_pritid = t.prit_id AND l.rppl_pageid = c.page),
           k.ctrt_id, 0, c.action, c.row, c.col, c.pos, c.len, c.timeout,
           coalesce((SELECT ctnt_id FROM ContentType WHERE ctnt_english = c.anno_en
                      AND c.anno_en <> ''), 0),
           (SELECT ctnt_id FROM ContentType WHERE ctnt_english = c.en),
           coalesce((SELECT fmlt_id FROM FormulaType WHERE fmlt_expression = c.rf), 0),
           coalesce((SELECT fmlt_id FROM FormulaType WHERE fmlt_expression = c.wf), 0),
           c.relpos, c.relval, c.minv, c.maxv
    FROM controls c JOIN PrinterType t ON t.prit_name = c.printer
    JOIN ControlType k ON k.ctrt_name = c.kind
    ORDER BY t.prit_id, c.page, c.row, c.col;

-- The staged row of every stored control, to attach options and commands.
CREATE TEMP TABLE placed AS
    SELECT a.rpca_id, a.rpca_pritid AS prit_id, s.optset, s.grp, s.role
    FROM Re_Prit_Ctrt_Act a
    JOIN PrinterType t ON t.prit_id = a.rpca_pritid
    JOIN Re_Prit_Page_Layout l ON l.rppl_id = a.rpca_rpplid
    JOIN stage_row s ON s.printer = t.prit_name AND s.page = l.rppl_pageid
                    AND s.row = a.rpca_pagerow AND s.col = a.rpca_pagecol;

INSERT INTO Re_Prit_Ctrt_Ctnt (rpcc_pritid, rpcc_rpcaid, rpcc_contentid, rpcc_contentorder)
    SELECT p.prit_id, p.rpca_id, c.ctnt_id, o.value
    FROM placed p JOIN stage_optset o ON o.optset = p.optset
    JOIN ContentType c ON c.ctnt_english = o.en
    ORDER BY p.rpca_id, o.value;

INSERT INTO Re_Prit_Ctrt_Cmd (rpcm_pritid, rpcm_rpcaid, rpcm_cmd, rpcm_relationcontrolid,
                              rpcm_paramposition)
    SELECT prit_id, rpca_id, grp, 0, role FROM placed WHERE grp <> '' ORDER BY rpca_id;

INSERT INTO must SELECT 'every control stored', (SELECT count(*) FROM controls)
    = (SELECT count(*) FROM Re_Prit_Ctrt_Act);
INSERT INTO must SELECT 'every control has a section and a text', count(*) = 0
    FROM Re_Prit_Ctrt_Act WHERE rpca_rpplid IS NULL OR rpca_contentid IS NULL;

DROP TABLE stage_row;
DROP TABLE stage_optset;
DROP TABLE stage_page;
DROP TABLE stage_printer;
VACUUM;
