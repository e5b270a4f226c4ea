-- Schema of SWTDatabase.db, the settings database delivered beside RKMENU.
-- Nine tables have auto-increment keys (and so rows in sqlite_sequence once filled);
-- ContentType keeps a plain integer key. The program binds and reads the column types below.
-- user keeps its key last: the login reads "select *" by column index (name, password, authority).
PRAGMA foreign_keys = OFF;
PRAGMA page_size = 4096;

CREATE TABLE user (
    user_name      TEXT,
    user_password  TEXT,
    user_authority INTEGER DEFAULT 1,
    user_id        INTEGER PRIMARY KEY AUTOINCREMENT
);

CREATE TABLE PrinterType (
    prit_id   INTEGER PRIMARY KEY AUTOINCREMENT,
    prit_name TEXT,
    prit_test INTEGER DEFAULT 0
);

CREATE TABLE ControlType (
    ctrt_id         INTEGER PRIMARY KEY AUTOINCREMENT,
    ctrt_name       INTEGER,
    ctrt_returntype INTEGER DEFAULT 0
);

CREATE TABLE ActionType (
    actt_id   INTEGER PRIMARY KEY AUTOINCREMENT,
    actt_type INTEGER
);

CREATE TABLE ContentType (
    ctnt_id      INTEGER PRIMARY KEY,
    ctnt_chinese TEXT,
    ctnt_english TEXT
);

CREATE TABLE FormulaType (
    fmlt_id         INTEGER PRIMARY KEY AUTOINCREMENT,
    fmlt_expression TEXT
);

CREATE TABLE Re_Prit_Page_Layout (
    rppl_id           INTEGER PRIMARY KEY AUTOINCREMENT,
    rppl_pritid       INTEGER,
    rppl_pageid       INTEGER,
    rppl_layout       INTEGER,
    rppl_contentid    INTEGER,
    rppl_byteposition TEXT,
    rppl_valid        TEXT
);

CREATE TABLE Re_Prit_Ctrt_Act (
    rpca_id             INTEGER PRIMARY KEY AUTOINCREMENT,
    rpca_pritid         INTEGER,
    rpca_rpplid         INTEGER,
    rpca_controlid      INTEGER,
    rpca_parentrelated  INTEGER DEFAULT 0,
    rpca_actionid       INTEGER DEFAULT 0,
    rpca_pagerow        INTEGER,
    rpca_pagecol        INTEGER,
    rpca_byteposition   INTEGER DEFAULT 0,
    rpca_bytelength     INTEGER DEFAULT 0,
    rpca_timeout        INTEGER DEFAULT 0,
    rpca_comment        INTEGER DEFAULT 0,
    rpca_contentid      INTEGER DEFAULT 0,
    rpca_readformulaid  INTEGER DEFAULT 0,
    rpca_writeformulaid INTEGER DEFAULT 0,
    rpca_relateposition TEXT,
    rpca_relatevalid    TEXT,
    rpca_minlength      REAL DEFAULT 0,
    rpca_maxlength      REAL DEFAULT 0
);

CREATE TABLE Re_Prit_Ctrt_Ctnt (
    rpcc_id           INTEGER PRIMARY KEY AUTOINCREMENT,
    rpcc_pritid       INTEGER,
    rpcc_rpcaid       INTEGER,
    rpcc_contentid    INTEGER,
    rpcc_contentorder INTEGER
);

CREATE TABLE Re_Prit_Ctrt_Cmd (
    rpcm_id                INTEGER PRIMARY KEY AUTOINCREMENT,
    rpcm_pritid            INTEGER,
    rpcm_rpcaid            INTEGER,
    rpcm_cmd               TEXT,
    rpcm_relationcontrolid INTEGER DEFAULT 0,
    rpcm_paramposition     INTEGER DEFAULT 0
);

-- Every read of a printer type's design goes by prit_id; texts and formulas by their text.
CREATE INDEX idx_layout_prit ON Re_Prit_Page_Layout (rppl_pritid);
CREATE INDEX idx_control_prit ON Re_Prit_Ctrt_Act (rpca_pritid);
CREATE INDEX idx_option_control ON Re_Prit_Ctrt_Ctnt (rpcc_rpcaid);
CREATE INDEX idx_command_prit ON Re_Prit_Ctrt_Cmd (rpcm_pritid);
CREATE INDEX idx_content_english ON ContentType (ctnt_english);
CREATE INDEX idx_content_chinese ON ContentType (ctnt_chinese);
CREATE INDEX idx_formula_text ON FormulaType (fmlt_expression);
