#pragma once

#include <QList>
#include <QMap>
#include <QStringList>

#include "database/records.h"
#include "database/tableaccess.h"

// Re_Prit_Page_Layout: the sections of the pages of a printer type.
class PageLayoutTable : public TableAccess
{
public:
    using TableAccess::TableAccess;

    DbResult deleteLayoutsOfPrinter(int pritId);
    // One batch; either every record is stored or none.
    DbResult insertLayouts(const QList<PageLayoutRecord> &records);
    int pageCount(int pritId);
    int layoutCount(int pritId, int pageId);
    // The distinct title texts of the printer type's pages in the language, in page order.
    QStringList pageTitles(int language, int pritId);
    // rppl_pageid -> the section of that page read last.
    QMap<int, PageLayoutRecord> layoutsByPage(int pritId);
    // rppl_id -> section.
    QMap<int, PageLayoutRecord> layoutsById(int pritId);
};
