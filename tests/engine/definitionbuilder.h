#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "database/settingsdatabase.h"
#include "engine/settingcodec.h"
#include "engine/settingsdefinition.h"
#include "engine/valuecodec.h"

// An in-memory printer type definition, built row by row, for cases the delivered database
// does not have (odd rows, other type codes).
class DefinitionBuilder
{
public:
    static constexpr int kKindIdBase = 10;
    static constexpr int kLayoutIdBase = 100;

    explicit DefinitionBuilder(
        const QStringList &pageTitles, const QString &typeName = QStringLiteral("TEST"))
    {
        for (int kind = KindLabel; kind <= KindSpinBox; ++kind) {
            ControlTypeRecord type;
            type.setCtrtId(kKindIdBase + kind);
            type.setCtrtName(kind);
            def.controlTypes.insert(type.ctrtId(), type);
        }
        def.printerType.setPritId(1);
        def.printerType.setPritName(typeName);
        def.printerTypeName = typeName;
        def.pageTitles = pageTitles;
        def.pageCount = pageTitles.size();
        for (int page = 0; page < pageTitles.size(); ++page) {
            PageLayoutRecord layout;
            layout.setRpplId(kLayoutIdBase + page);
            layout.setPageId(page);
            def.pageLayouts.insert(layout.rpplId(), layout);
            def.layoutsByPage.insert(page, layout);
            def.layoutsPerPage.insert(page, 1);
        }
    }

    struct Row
    {
        int kind = KindEdit;
        int page = 0;
        int row = 0;
        int col = 1;
        int pos = 0;
        int len = 1;
        QString caption;
        QString read;
        QString write;
        double min = 0;
        double max = 0;
        QString relatePosition;
        QString relateValid;
        QStringList options; // values 0, 1, 2 ... unless values is given
        QList<int> values;
        QString command;
        int role = 0;
        QString annotation;

        Row &at(int pageIndex, int gridRow, int gridCol = 1)
        {
            page = pageIndex;
            row = gridRow;
            col = gridCol;
            return *this;
        }
        Row &when(const QString &positions, const QString &conditions)
        {
            relatePosition = positions;
            relateValid = conditions;
            return *this;
        }
        Row &bound(const QString &name, int roleNumber)
        {
            command = name;
            role = roleNumber;
            return *this;
        }
        Row &explained(const QString &text)
        {
            annotation = text;
            return *this;
        }
    };

    static Row control(int kind, int pos = 0, const QString &caption = QString())
    {
        Row r;
        r.kind = kind;
        r.pos = pos;
        r.caption = caption;
        return r;
    }
    static Row edit(int pos, int len, const QString &caption = QString())
    {
        Row r = control(KindEdit, pos, caption);
        r.len = len;
        return r;
    }
    static Row spin(
        int pos, int len, const QString &read, const QString &write, double min = 0, double max = 0)
    {
        Row r = control(KindSpinBox, pos);
        r.len = len;
        r.read = read;
        r.write = write;
        r.min = min;
        r.max = max;
        return r;
    }
    static Row combo(int pos, const QStringList &options, const QList<int> &values = {})
    {
        Row r = control(KindComboBox, pos);
        r.options = options;
        r.values = values;
        return r;
    }

    int add(const Row &r)
    {
        const int id = ++m_lastId;
        ControlRow row;
        row.setRpcaId(id);
        row.setRpplId(kLayoutIdBase + r.page);
        row.setControlId(kKindIdBase + r.kind);
        row.setPageRow(r.row);
        row.setPageCol(r.col);
        row.setBytePosition(r.pos);
        row.setByteLength(r.len);
        row.setContentId(text(r.caption));
        row.setComment(text(r.annotation));
        row.setReadFormulaId(formula(r.read));
        row.setWriteFormulaId(formula(r.write));
        row.setRelatePosition(r.relatePosition);
        row.setRelateValid(r.relateValid);
        row.setMinLength(r.min);
        row.setMaxLength(r.max);
        def.controlRows.insert(id, row);
        if (r.pos != 0)
            def.valueRows.insert(r.pos, row);
        QList<OptionItem> items;
        for (int i = 0; i < r.options.size(); ++i) {
            OptionItem item;
            item.setRpcaId(id);
            item.setContentId(text(r.options.at(i)));
            item.setContentOrder(r.values.isEmpty() ? i : r.values.at(i));
            items.append(item);
        }
        if (!items.isEmpty())
            def.optionItems.insert(id, items);
        if (!r.command.isEmpty()) {
            CommandBinding binding;
            binding.setRpcaId(id);
            binding.setCmd(r.command);
            binding.setParamPosition(r.role);
            def.commandBindings.insert(id, binding);
        }
        return id;
    }

    // A row whose control type or section is unknown, as a broken design may hold.
    int addRaw(int controlId, int rpplId, int row, int col, int pos)
    {
        const int id = ++m_lastId;
        ControlRow r;
        r.setRpcaId(id);
        r.setRpplId(rpplId);
        r.setControlId(controlId);
        r.setPageRow(row);
        r.setPageCol(col);
        r.setBytePosition(pos);
        r.setByteLength(1);
        def.controlRows.insert(id, r);
        if (pos != 0)
            def.valueRows.insert(pos, r);
        return id;
    }

    SettingsDefinition def;

private:
    int text(const QString &t)
    {
        if (t.isEmpty())
            return 0;
        const int id = def.contents.key(t, 0);
        if (id)
            return id;
        def.contents.insert(++m_lastText, t);
        return m_lastText;
    }
    int formula(const QString &f)
    {
        if (f.isEmpty())
            return 0;
        const int id = def.formulas.key(f, 0);
        if (id)
            return id;
        def.formulas.insert(++m_lastFormula, f);
        return m_lastFormula;
    }

    int m_lastId = 0;
    int m_lastText = 1000;
    int m_lastFormula = 0;
};

// A private copy of the delivered database.
class DeliveredDatabase
{
public:
    DeliveredDatabase()
    {
        m_path = m_dir.filePath(QStringLiteral("SWTDatabase.db"));
        const QString delivered = QStringLiteral(RK_BIN_DIR "/SWTDatabase.db");
        if (!QFile::copy(delivered, m_path))
            qFatal("cannot copy %s", qPrintable(delivered));
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    }
    DatabaseLocation location() const { return DatabaseLocation(m_path); }
    QString path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// The printer types of the delivered database with the type code each is used with.
inline QList<QPair<QString, QString>> deliveredTypes()
{
    return { { QStringLiteral("RK-5200"), QStringLiteral("0000") },
        { QStringLiteral("RK-5200_NEW"), QStringLiteral("0000") },
        { QStringLiteral("MV-4410C"), QStringLiteral("0302") },
        { QStringLiteral("ZN-470 KW"), QStringLiteral("0701") },
        { QStringLiteral("RP-58S"), QStringLiteral("0501") },
        { QStringLiteral("QuenbyQP-80"), QStringLiteral("0904") },
        { QStringLiteral("main_0901"), QStringLiteral("0901") },
        { QStringLiteral("BX-580"), QStringLiteral("0C01") },
        { QStringLiteral("MV-4310"), QStringLiteral("0301") },
        { QStringLiteral("ZN-480 W"), QStringLiteral("0B01") },
        { QStringLiteral("ZN-350 BT"), QStringLiteral("0703") },
        // Firmware older than the type fields of the identity record reports no code.
        { QStringLiteral("RK-3000"), QString() } };
}

// The simulator profile that plays a delivered printer type.
inline QString simulatorProfileOf(const QString &typeName)
{
    static const QMap<QString, QString> profiles {
        { QStringLiteral("RK-5200"), QStringLiteral("rk5200-legacy") },
        { QStringLiteral("RK-5200_NEW"), QStringLiteral("rk5200-new") },
        { QStringLiteral("MV-4410C"), QStringLiteral("mv4410c") },
        { QStringLiteral("ZN-470 KW"), QStringLiteral("zn470kw") },
        { QStringLiteral("RP-58S"), QStringLiteral("rp0501") },
        { QStringLiteral("QuenbyQP-80"), QStringLiteral("qp80") },
        { QStringLiteral("main_0901"), QStringLiteral("rk7300") },
        { QStringLiteral("BX-580"), QStringLiteral("bx580") },
        { QStringLiteral("MV-4310"), QStringLiteral("mv4310") },
        { QStringLiteral("ZN-480 W"), QStringLiteral("zn480w") },
        { QStringLiteral("ZN-350 BT"), QStringLiteral("zn350bt") },
        { QStringLiteral("RK-3000"), QStringLiteral("rk3000") } };
    return profiles.value(typeName);
}

// A block holding, for every value row, a plausible value that is not the first option or the
// lower limit, written through the row's own encoding.
inline QByteArray plausibleBlock(const SettingsDefinition &def, const SettingCodec &codec)
{
    QByteArray block(1024, '\0');
    for (const ControlRow &row : def.valueRows) {
        const int p = row.bytePosition();
        switch (def.kindOf(row)) {
        case KindComboBox: {
            const SettingRules::OptionList options = codec.rawOptions(row);
            if (!options.isEmpty())
                block[p] = char(options.at(qMin(1, options.size() - 1)).value);
            break;
        }
        case KindSpinBox: {
            const SettingCodec::Spin spin = codec.spinValue(row, block);
            const double scale = std::pow(10.0, spin.display.decimals);
            double shown = spin.minimum + (spin.maximum - spin.minimum) / 3;
            if (spin.maximum >= 999999) // no bounds given
                shown = 12.5;
            shown = std::round(shown * scale) / scale;
            if (spin.display.truncate)
                shown = std::trunc(shown);
            codec.storeSpin(row, shown, block);
            break;
        }
        case KindEdit: {
            const SettingRules::EditField field = codec.editField(row);
            QString text;
            switch (field.form) {
            case SettingRules::FieldForm::Number:
                text = row.maxLength() > row.minLength() ? QString::number(
                           qRound(row.minLength() + (row.maxLength() - row.minLength()) / 3))
                                                         : QStringLiteral("12");
                break;
            case SettingRules::FieldForm::Text:
                text = field.length >= 6 ? QStringLiteral("RK打印") : QStringLiteral("RK");
                break;
            case SettingRules::FieldForm::Ipv4:
                text = QStringLiteral("192.168.1.20");
                break;
            case SettingRules::FieldForm::HexBytes:
                text = QStringLiteral("00.11.22.AA.BB.CC");
                break;
            case SettingRules::FieldForm::Ipv6LinkLocal:
                for (int i = 0; i < 8; ++i)
                    block[p + i] = char(0x10 + i);
                break;
            }
            if (!text.isEmpty())
                codec.storeEdit(row, text, block);
            break;
        }
        default:
            break;
        }
    }
    // Some lists depend on other bytes of the block (the print head, the interfaces): pick the
    // options again from the lists this block leaves.
    for (const ControlRow &row : def.valueRows) {
        if (def.kindOf(row) != KindComboBox)
            continue;
        const SettingRules::OptionList options = codec.options(row, block);
        if (!options.isEmpty())
            block[row.bytePosition()] = char(options.at(qMin(1, options.size() - 1)).value);
    }
    return block;
}
