#pragma once

#include <QString>

#include "database/dbresult.h"

class DataBaseHandler;

// What one confirm or delete of the designer's editors came to, for the page to show.
struct EditOutcome
{
    enum Kind {
        Refused, // a rule of the editor said no; nothing was asked of the database
        Stored, // the database took the change: the lists are to be filled anew
        Failed, // the database refused the change and kept what it had
    };

    Kind kind = Refused;
    // The message box type (0 error, 1 success) and its translated text.
    int messageType = 0;
    QString message;
    // For Failed: the failure code and the database's own words.
    DbResult result = DbOk;
    QString databaseError;

    static EditOutcome refused(const QString &message);
    static EditOutcome stored(const QString &message);
    static EditOutcome failed(DbResult result, const QString &databaseError);
    // The outcome of a change the database has just answered with result: stored with the
    // success message, or failed with the database's words.
    static EditOutcome answered(
        DbResult result, const DataBaseHandler &database, const QString &success);
};
