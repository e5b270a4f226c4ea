#include "designer_core/editoutcome.h"

#include "database/databasehandler.h"

namespace {
constexpr int kErrorMessage = 0;
constexpr int kSuccessMessage = 1;
} // namespace

EditOutcome EditOutcome::refused(const QString &message)
{
    EditOutcome outcome;
    outcome.kind = Refused;
    outcome.messageType = kErrorMessage;
    outcome.message = message;
    return outcome;
}

EditOutcome EditOutcome::stored(const QString &message)
{
    EditOutcome outcome;
    outcome.kind = Stored;
    outcome.messageType = kSuccessMessage;
    outcome.message = message;
    return outcome;
}

EditOutcome EditOutcome::failed(DbResult result, const QString &databaseError)
{
    EditOutcome outcome;
    outcome.kind = Failed;
    outcome.messageType = kErrorMessage;
    outcome.result = result;
    outcome.databaseError = databaseError;
    return outcome;
}

EditOutcome EditOutcome::answered(
    DbResult result, const DataBaseHandler &database, const QString &success)
{
    return result == DbOk ? stored(success) : failed(result, database.lastError());
}
