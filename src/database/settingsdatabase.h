#pragma once

#include <functional>

#include <QSqlDatabase>
#include <QString>

// Where the settings file lies and how a failed open reaches the user. The core shows no
// windows itself: the program hands in a hook that shows the message box (see
// databaseerrorbox.h); tests hand in a counter or nothing.
class DatabaseLocation
{
public:
    using OpenFailureHook = std::function<void(const QString &title, const QString &text)>;

    static constexpr int kDefaultBusyTimeoutMs = 5000;

    DatabaseLocation() = default;
    explicit DatabaseLocation(const QString &filePath, OpenFailureHook onOpenFailure = {});
    // The delivered SWTDatabase.db of the running program (see datapaths.h), or the user's copy
    // of it once there is one.
    static DatabaseLocation delivered(OpenFailureHook onOpenFailure = {});
    // The same for a program in `programFolder` whose user keeps copies in `userFolder`. An
    // installed program's database is never changed in place: the first change copies it to
    // `userFolder`, and the copy is read from then on. In the build tree the file beside the
    // program is changed in place.
    static DatabaseLocation delivered(const QString &programFolder, const QString &userFolder,
        OpenFailureHook onOpenFailure = {});

    // The file in use: the user's copy when there is one, else the delivered file.
    QString filePath() const;
    // Where changes go when the delivered file is not to be changed; empty when it is.
    QString userCopyPath() const { return m_userCopy; }
    // Called before every change: makes the user's copy when changes go there and there is none
    // yet. The copy appears whole or not at all, and an existing copy is never replaced. False,
    // with the reason, when it cannot be made; nothing may be changed then.
    bool prepareChange(QString *error) const;
    // How long a statement waits for another process's lock before it fails.
    int busyTimeoutMs() const { return m_busyTimeoutMs; }
    void setBusyTimeoutMs(int ms) { m_busyTimeoutMs = ms; }
    void reportOpenFailure() const;

private:
    QString m_filePath;
    QString m_userCopy;
    bool m_copyRequired = false;
    OpenFailureHook m_onOpenFailure;
    int m_busyTimeoutMs = kDefaultBusyTimeoutMs;
};

namespace SettingsDatabase {
inline constexpr char kFileName[] = "SWTDatabase.db";
inline constexpr char kDriver[] = "QSQLITE";
// The message box texts, for translation by whoever shows them.
extern const char *const kOpenFailedTitle;
extern const char *const kOpenFailedText;

// The connection this thread uses: the default connection on the thread that owns the
// application, a connection of its own on every worker thread (a Qt connection may only be used
// by the thread that made it).
QString connectionName();
// True while a DatabaseTransaction spans several operations on this thread's connection.
bool isHeld(const QSqlDatabase &db);
} // namespace SettingsDatabase

// Whether the file can serve as the settings database. SQLite opens almost any file, and a
// failed read just reads nothing, so a broken file would pass for a database without printer
// types; this looks first. `reason` is one of the texts below (for translation by whoever shows
// it), `detail` what SQLite said.
struct DatabaseCheck
{
    const char *reason = nullptr; // null when the database can be used
    QString detail;
    bool usable() const { return reason == nullptr; }
};
namespace SettingsDatabase {
extern const char *const kUnusableText; // "%1" stands for the file's path
extern const char *const kMissing;
extern const char *const kEmpty;
extern const char *const kDamaged;
extern const char *const kIncomplete;
extern const char *const kInUse;
} // namespace SettingsDatabase
// Reads the whole file once (SQLite's quick check) and every table and column the program reads.
// Never creates the file, never changes it.
DatabaseCheck checkSettingsDatabase(const DatabaseLocation &location);

// Opens this thread's connection on the location's file and returns it, open or not. A failed
// open is reported through the location's hook; the statements run on the handle then fail.
QSqlDatabase openSettingsDatabase(const DatabaseLocation &location);

// Spans several changing operations with one transaction, so that a multi-step change (a whole
// design, a printer type with all its rows) is stored whole or not at all. While it lives, the
// table-access operations on this thread join it instead of committing on their own.
class DatabaseTransaction
{
public:
    explicit DatabaseTransaction(const DatabaseLocation &location);
    ~DatabaseTransaction();
    DatabaseTransaction(const DatabaseTransaction &) = delete;
    DatabaseTransaction &operator=(const DatabaseTransaction &) = delete;

    bool isActive() const { return m_active; }
    // Why the transaction could not begin; empty when it is active or the reason is unknown.
    QString error() const { return m_error; }
    // Commits; on failure rolls back. Returns false when nothing was stored.
    bool commit();
    void rollback();

private:
    void release();

    QSqlDatabase m_db;
    bool m_active = false;
    QString m_error;
};
