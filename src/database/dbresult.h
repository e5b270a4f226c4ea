#pragma once

// Outcome of every operation that changes the settings database.
enum DbResult {
    DbOk = 0,
    DbInsertFailed = 2,
    DbDeleteFailed = 3,
    DbUpdateFailed = 4,
    DbCommitFailed = 9,
    DbFound = 10,
    DbNotFound = 11,
};
