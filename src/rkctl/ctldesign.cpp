#include "rkctl/ctldesign.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "database/designstore.h"
#include "database/loginhash.h"
#include "database/printertypetable.h"
#include "database/settingsdatabase.h"
#include "database/usertable.h"
#include "maintenance_core/testpagetypes.h"
#include "rkctl/ctljob.h"
#include "rkctl/ctloptions.h"
#include "rkctl/terminal.h"

namespace {
const QString kTypes = QStringLiteral("types");
const QString kCopy = QStringLiteral("copy-type");
const QString kDelete = QStringLiteral("delete-type");

DatabaseLocation databaseOf(const CtlOptions &options)
{
    return options.databaseFile.isEmpty() ? DatabaseLocation::delivered()
                                          : DatabaseLocation(options.databaseFile);
}

// The window's Edit page login: the account's name and the hash sum of its password. The name
// is given (the command line requires it).
bool loggedIn(const CtlOptions &options, const DatabaseLocation &database, QTextStream &err)
{
    const QString password = Terminal::readSecret(QStringLiteral("Password: "));
    if (UserTable(database).findUser(options.user, loginHashSum(password)).userName().isEmpty()) {
        err << QStringLiteral("Login failed: wrong user name or password.") << Qt::endl;
        return false;
    }
    return true;
}

QString databaseWords(const DesignStore &store)
{
    return store.lastError().isEmpty() ? QString() : QStringLiteral(" (%1)").arg(store.lastError());
}

int listTypes(const CtlOptions &options, const DatabaseLocation &database, QTextStream &out)
{
    const QList<PrinterTypeRecord> types = PrinterTypeTable(database).allPrinterTypes();
    if (options.json) {
        QJsonArray list;
        for (const PrinterTypeRecord &type : types)
            list.append(QJsonObject { { QStringLiteral("name"), type.pritName() },
                { QStringLiteral("testPage"), type.pritTest() },
                { QStringLiteral("testPageName"), testpagetypes::nameOf(type.pritTest()) } });
        out << QString::fromUtf8(QJsonDocument(list).toJson());
        return CtlExit::Ok;
    }
    for (const PrinterTypeRecord &type : types)
        out << type.pritName() << '\t' << testpagetypes::nameOf(type.pritTest()) << '\n';
    return CtlExit::Ok;
}

int copyType(const CtlOptions &options, const DatabaseLocation &database, QTextStream &out,
    QTextStream &err)
{
    const QString &from = options.arguments.at(0);
    const QString &to = options.arguments.at(1);
    PrinterTypeTable types(database);
    const PrinterTypeRecord source = types.findPrinterType(from);
    if (source.pritId() == 0) {
        err << QStringLiteral("rkctl: no printer type \"%1\" in the database").arg(from) << Qt::endl;
        return CtlExit::Usage;
    }
    // The page replaces an existing type's design on purpose; a script naming one by mistake
    // would lose it.
    if (types.findPrinterType(to).pritId() != 0) {
        err << QStringLiteral("rkctl: the printer type \"%1\" exists already; delete it first")
                   .arg(to)
            << Qt::endl;
        return CtlExit::Refused;
    }
    if (!loggedIn(options, database, err))
        return CtlExit::Refused;
    DesignStore store(database);
    const PrinterDesign design = store.readDesign(source.pritId());
    if (store.saveDesign(to, source.pritTest(), design) != DbOk) {
        err << QStringLiteral("Save failed") << databaseWords(store) << Qt::endl;
        return CtlExit::LocalFailure;
    }
    out << QStringLiteral("Save Successful") << Qt::endl;
    return CtlExit::Ok;
}

int deleteTypes(const CtlOptions &options, const DatabaseLocation &database, QTextStream &out,
    QTextStream &err)
{
    PrinterTypeTable types(database);
    for (const QString &name : options.arguments) {
        if (types.findPrinterType(name).pritId() == 0) {
            err << QStringLiteral("rkctl: no printer type \"%1\" in the database").arg(name)
                << Qt::endl;
            return CtlExit::Usage;
        }
    }
    if (!loggedIn(options, database, err))
        return CtlExit::Refused;
    if (!options.yes) {
        if (!Terminal::inputIsInteractive()) {
            err << QStringLiteral("rkctl: delete-type asks for confirmation; give --yes when no "
                                  "one can answer")
                << Qt::endl;
            return CtlExit::Usage;
        }
        if (!Terminal::confirm(QStringLiteral("Are you sure you want to delete %1printer mode?")
                                   .arg(QString::number(options.arguments.size()))))
            return CtlExit::Refused;
    }
    DesignStore store(database);
    if (store.deletePrinterTypes(options.arguments) != DbOk) {
        err << QStringLiteral("Delete failed") << databaseWords(store) << Qt::endl;
        return CtlExit::LocalFailure;
    }
    out << QStringLiteral("Delete successfully") << Qt::endl;
    return CtlExit::Ok;
}
} // namespace

bool ctldesign::handles(const QString &command)
{
    return command == kTypes || command == kCopy || command == kDelete;
}

bool ctldesign::checkArguments(const QString &command, const QStringList &arguments, QString *error)
{
    if (command == kTypes && !arguments.isEmpty()) {
        *error = QStringLiteral("types takes no arguments");
        return false;
    }
    if (command == kCopy
        && (arguments.size() != 2 || arguments.at(0).isEmpty() || arguments.at(1).trimmed().isEmpty())) {
        *error = QStringLiteral("copy-type needs a printer type and a new name");
        return false;
    }
    if (command == kDelete && arguments.isEmpty()) {
        *error = QStringLiteral("delete-type needs at least one printer type");
        return false;
    }
    return true;
}

int ctldesign::run(const CtlOptions &options, QTextStream &out, QTextStream &err)
{
    const DatabaseLocation database = databaseOf(options);
    const QString unusable = unusableDatabase(database.filePath());
    if (!unusable.isEmpty()) {
        err << unusable << Qt::endl;
        return CtlExit::LocalFailure;
    }
    if (options.command == kTypes)
        return listTypes(options, database, out);
    if (options.command == kCopy)
        return copyType(options, database, out, err);
    return deleteTypes(options, database, out, err);
}
