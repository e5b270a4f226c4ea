#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "database/dbresult.h"
#include "database/settingsdatabase.h"

// A printer type's design as the designer edits it: texts as Chinese/English pairs and formulas
// as their text, so that it can be stored under any printer type and read back.

struct DesignOption
{
    QString chinese;
    QString english;
    int value = 0; // the byte value the option stands for (rpcc_contentorder)

    bool operator==(const DesignOption &o) const;
};

struct DesignSection
{
    int page = 0; // rppl_pageid
    int layout = 0; // rppl_layout
    QString titleChinese;
    QString titleEnglish;
    QString bytePosition; // rppl_byteposition
    QString valid; // rppl_valid

    bool operator==(const DesignSection &o) const;
};

struct DesignControl
{
    int page = 0; // the page the control lies on
    int row = 0;
    int col = 0;
    int kind = 0; // control kind code 0-5
    QString labelChinese;
    QString labelEnglish;
    QString annotationChinese;
    QString annotationEnglish;
    int parentRelated = 0;
    int actionType = 0; // rpca_actionid
    int bytePosition = 0;
    int byteLength = 0;
    int timeout = 0;
    QString readFormula;
    QString writeFormula;
    QString relatePosition;
    QString relateValid;
    double minLength = 0.0;
    double maxLength = 0.0;
    QList<DesignOption> options; // in ascending value order
    // Group name or button action; an empty name stores no command row.
    QString command;
    int relationControlId = 0;
    int paramPosition = 0;

    bool operator==(const DesignControl &o) const;
};

struct PrinterDesign
{
    QList<DesignSection> sections;
    QList<DesignControl> controls;

    bool operator==(const PrinterDesign &o) const;
};

// Stores and reads whole designs and resolves texts and formulas to ids.
class DesignStore
{
public:
    explicit DesignStore(const DatabaseLocation &location);

    // ctnt_id for the pair, keyed by the English text: a new content when the English text is
    // unknown, else the known one, whose Chinese text (in every row that has it) becomes the
    // given one. 0 for an empty English text.
    int contentIdFor(const QString &chinese, const QString &english);
    // fmlt_id of the expression, inserting it when new; 0 for an empty expression.
    int formulaIdFor(const QString &expression);

    // Replaces everything stored for pritId (sections, controls, options, commands) with the
    // design. All or nothing: on failure the earlier design stays.
    DbResult replaceDesign(int pritId, const PrinterDesign &design);
    // The designer's save: the printer type named `name` (created when new, its test page value
    // set when it differs) and its design, in one transaction, so that a failure leaves the
    // database as it was. pritId receives the type's prit_id when the save worked.
    DbResult saveDesign(
        const QString &name, int testValue, const PrinterDesign &design, int *pritId = nullptr);
    // The stored design of pritId, sections by page and layout, controls by page, row, column.
    PrinterDesign readDesign(int pritId);
    // Deletes each named printer type with its sections, controls, options and commands; each
    // one whole or not at all. Unknown names are skipped. Returns the first failure, else DbOk.
    DbResult deletePrinterTypes(const QStringList &names);
    // The database's own words for the failure of the last save or delete; empty when it
    // gave none.
    QString lastError() const { return m_lastError; }

private:
    // replaceDesign's work inside a transaction the caller holds.
    DbResult storeDesign(int pritId, const PrinterDesign &design);
    DbResult failedIds(const QString &error);

    DatabaseLocation m_location;
    QString m_lastError;
};
