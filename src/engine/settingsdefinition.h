#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include "database/records.h"

class DatabaseLocation;

// What the printer told about itself before its settings are loaded.
struct SettingsIdentity
{
    QString modelName;
    QString headVariant; // e.g. "24"
    QString typeCode; // e.g. "0701"
    int modeByte = 0;
    int language = 0; // 0 Simplified Chinese, 1 English
};

// Control kind codes (ControlType.ctrt_name).
enum ControlKind {
    KindLabel = 0,
    KindEdit = 1,
    KindButton = 2,
    KindComboBox = 3,
    KindCheckBox = 4,
    KindSpinBox = 5,
    KindNone = -1,
};

// Everything the database says about one printer type's settings pages.
struct SettingsDefinition
{
    PrinterTypeRecord printerType; // id 0 when nothing was found
    // The name compared with model names by the model-specific rules.
    QString printerTypeName;

    QMap<int, ControlTypeRecord> controlTypes; // ctrt_id
    QMap<int, QString> contents; // ctnt_id -> text in the language
    QMap<int, QString> formulas; // fmlt_id -> expression
    QStringList pageTitles; // by page index
    QMap<int, PageLayoutRecord> pageLayouts; // rppl_id
    QMap<int, ControlRow> controlRows; // rpca_id
    QMap<int, QList<OptionItem>> optionItems; // rpcc_rpcaid
    QMap<int, CommandBinding> commandBindings; // rpcm_rpcaid
    QMap<int, PageLayoutRecord> layoutsByPage; // rppl_pageid
    int pageCount = 0;
    QMap<int, int> layoutsPerPage; // page index -> number of sections
    QMap<int, ControlRow> valueRows; // rpca_byteposition

    // The control kind of a row; KindNone for an unknown control type or kind above 5.
    ControlKind kindOf(const ControlRow &row) const;
    QString content(int ctntId) const { return contents.value(ctntId); }
    QString formula(int fmltId) const { return formulas.value(fmltId); }
    // Page index of the row's section; -1 when the section or its page does not exist.
    int pageOf(const ControlRow &row) const;
};

// Loads the definition of the connected printer (the engine's work mode 0). The printer type is
// chosen from the identity: "RK5200" by its head variant, anything naming "ZN-470 KW" as that
// type, a model without a row of its own as "main_" + type code.
SettingsDefinition loadSettingsDefinition(
    const DatabaseLocation &location, const SettingsIdentity &identity);
// The same for a printer type known by name (the designer and the preview).
SettingsDefinition loadSettingsDefinitionByName(
    const DatabaseLocation &location, const QString &typeName, int language);
