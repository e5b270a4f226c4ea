#include "database/controlcommandtable.h"

#include <QSqlQuery>
#include <QVariant>

DbResult ControlCommandTable::deleteCommandsOfPrinter(int pritId)
{
    return change(QStringLiteral("delete from Re_Prit_Ctrt_Cmd where rpcm_pritid=?"), { pritId },
        DbDeleteFailed);
}

DbResult ControlCommandTable::insertCommands(const QList<CommandBinding> &records)
{
    QVariantList pritIds, rpcaIds, cmds, relations, positions;
    for (const CommandBinding &r : records) {
        pritIds << r.pritId();
        rpcaIds << r.rpcaId();
        cmds << r.cmd();
        relations << r.relationControlId();
        positions << r.paramPosition();
    }
    return changeBatch(QStringLiteral("insert into Re_Prit_Ctrt_Cmd (rpcm_pritid,rpcm_rpcaid,"
                                      "rpcm_cmd,rpcm_relationcontrolid,rpcm_paramposition) "
                                      "values(?,?,?,?,?)"),
        { QVariant(pritIds), QVariant(rpcaIds), QVariant(cmds), QVariant(relations),
            QVariant(positions) },
        DbInsertFailed);
}

QMap<int, CommandBinding> ControlCommandTable::commandsOfPrinter(int pritId)
{
    QMap<int, CommandBinding> commands;
    select(QStringLiteral("select rpcm_pritid,rpcm_rpcaid,rpcm_cmd,rpcm_relationcontrolid,"
                          "rpcm_paramposition from re_prit_ctrt_cmd where rpcm_pritid=?"),
        { pritId }, [&commands](const QSqlQuery &q) {
            CommandBinding binding;
            binding.setPritId(q.value(0).toInt());
            binding.setRpcaId(q.value(1).toInt());
            binding.setCmd(q.value(2).toString());
            binding.setRelationControlId(q.value(3).toInt());
            binding.setParamPosition(q.value(4).toInt());
            commands.insert(binding.rpcaId(), binding);
        });
    return commands;
}
