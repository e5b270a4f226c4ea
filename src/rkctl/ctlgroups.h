#pragma once

#include <memory>

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

#include "engine/settinggroups.h"

class ConfigFile;
class FormulaEvaluator;
class SettingCodec;
class SettingsModel;
struct SettingItem;

// rkctl set of the settings that a group's own Write button writes (Wi-Fi, Ethernet,
// Bluetooth): the values are entered into the group's controls, and before anything is written
// the group runs its own check and encoding over what its controls then show, as the page's
// button does.
class CtlGroups
{
public:
    enum class Take { NotAGroup, Changed, Unchanged, Invalid };

    // The controls show the values of the model's current block.
    explicit CtlGroups(const SettingsModel &model);
    ~CtlGroups();
    CtlGroups(const CtlGroups &) = delete;
    CtlGroups &operator=(const CtlGroups &) = delete;

    // Enters "Page/Caption=value" when it names a control of such a group.
    Take take(const QString &assignment, QString *message);
    // Checks and encodes every group that took a value into the block; false (block unchanged)
    // with the group's message when a check refuses.
    bool encode(QByteArray &block, const ConfigFile *config, QString *message) const;

private:
    GroupValue shownValue(const ControlRow &row, const QHash<int, SettingItem> &shown) const;

    const SettingsModel &m_model;
    std::unique_ptr<FormulaEvaluator> m_evaluator;
    std::unique_ptr<SettingCodec> m_codec;
    std::unique_ptr<SettingGroups> m_groups;
    QHash<int, GroupValue> m_entered; // rpca id -> value entered
    QSet<QString> m_touched; // groups that took a value
};
