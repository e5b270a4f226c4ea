// The delivered printer types' value rows and special groups, with a hostile setting block and
// hostile texts typed into their controls: what each control shows for the block, the bytes each
// typed value is stored as, and the group checks and encoding of Wi-Fi, Ethernet and Bluetooth.
// A refused value leaves the block as it was; nothing changes the block's size.
//
// Input: printer type, flags (1 pad the block to 1024 bytes, 2 legacy variant), block size
// (2 bytes) and block, three rows (2-byte index, then a typed text or a number), the group
// (Wi-Fi, Ethernet, Bluetooth) and for roles 1-18 a text, a choice byte and a number, then a MAC
// address text. A text is a size byte and Latin-1, or UTF-16 after a first byte 1; a number is
// 8 bytes of a double.

#include <cstring>

#include "database/settingsdatabase.h"
#include "engine/formulaevaluator.h"
#include "engine/settingcodec.h"
#include "engine/settinggroups.h"
#include "engine/settingsdefinition.h"
#include "fuzzsupport.h"

namespace {
struct Type
{
    SettingsDefinition definition;
    SettingCodec *codec = nullptr;
    SettingGroups *groups = nullptr;
    QList<ControlRow> rows;
};

QList<Type *> loadTypes(FormulaEvaluator &evaluator)
{
    const QString delivered = QStringLiteral(RK_DATABASE);
    // Read from a private copy: nothing here may touch the build's own file.
    const QString path = fuzz::fileWith(QStringLiteral("SWTDatabase.db"), [&] {
        QFile file(delivered);
        if (!file.open(QIODevice::ReadOnly))
            abort();
        return file.readAll();
    }());
    const QList<QPair<QString, QString>> names
        = { { QStringLiteral("RK-5200"), QStringLiteral("0000") },
              { QStringLiteral("RK-5200_NEW"), QStringLiteral("0000") },
              { QStringLiteral("MV-4410C"), QStringLiteral("0302") },
              { QStringLiteral("ZN-470 KW"), QStringLiteral("0701") },
              { QStringLiteral("RP-58S"), QStringLiteral("0501") },
              { QStringLiteral("QuenbyQP-80"), QStringLiteral("0904") },
              { QStringLiteral("main_0901"), QStringLiteral("0901") } };
    QList<Type *> types;
    for (const auto &name : names) {
        auto *type = new Type;
        type->definition = loadSettingsDefinitionByName(DatabaseLocation(path), name.first, 1);
        if (type->definition.valueRows.isEmpty())
            abort();
        type->codec = new SettingCodec(type->definition, name.second, evaluator);
        type->groups = new SettingGroups(type->definition, *type->codec);
        type->rows = type->definition.valueRows.values();
        types.append(type);
    }
    return types;
}

// A typed text: size byte, then Latin-1, or UTF-16 when its first byte is 1.
QString textFrom(fuzz::Reader &in)
{
    const QByteArray raw = in.take(size_t(in.byte() % 48));
    if (raw.startsWith('\x01'))
        return QString::fromUtf16(
            reinterpret_cast<const char16_t *>(raw.constData() + 1), (raw.size() - 1) / 2);
    return QString::fromLatin1(raw);
}

double numberFrom(fuzz::Reader &in)
{
    const QByteArray raw = in.take(sizeof(double)).leftJustified(sizeof(double), '\0');
    double value = 0;
    memcpy(&value, raw.constData(), sizeof value);
    return value;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::init();
    // Never destroyed: the leak check at exit runs after static destructors.
    static FormulaEvaluator *evaluator = new FormulaEvaluator;
    static const QList<Type *> &types = *new QList<Type *>(loadTypes(*evaluator));
    fuzz::Reader in(data, size);
    const Type &type = *types.at(in.byte() % types.size());
    const SettingCodec &codec = *type.codec;
    const int flags = in.byte();
    QByteArray block = in.take(size_t(in.u16() % 1101));
    if (flags & 1)
        block = block.leftJustified(1024, '\0', true);
    const QByteArray before = block;

    // A few rows per run: each read runs the formula engine for new bytes.
    for (int n = 0; n < 3 && !in.atEnd(); ++n) {
        const ControlRow &row = type.rows.at(in.u16() % type.rows.size());
        QByteArray copy = block;
        switch (type.definition.kindOf(row)) {
        case KindSpinBox: {
            const SettingCodec::Spin spin = codec.spinValue(row, block);
            (void)SettingCodec::spinText(spin);
            if (!codec.storeSpin(row, numberFrom(in), copy))
                FUZZ_CHECK(copy == block);
            break;
        }
        case KindEdit: {
            bool ok = false;
            (void)codec.editText(row, block, &ok);
            if (!codec.storeEdit(row, textFrom(in), copy))
                FUZZ_CHECK(copy == block);
            break;
        }
        case KindComboBox:
        case KindCheckBox: {
            const SettingCodec::Selection shown = codec.selectOption(row, block, flags & 2);
            FUZZ_CHECK(shown.index < shown.options.size());
            int value = 0;
            SettingCodec::optionValue(shown.options, textFrom(in), &value);
            break;
        }
        default:
            break;
        }
        FUZZ_CHECK(copy.size() == block.size());
    }

    // A group write with any texts, choices and ticks in its controls.
    static const QString groups[]
        = { SettingGroups::kWifi, SettingGroups::kEthernet, SettingGroups::kBluetooth };
    const QString group = groups[in.byte() % 3];
    QMap<int, GroupValue> shown;
    for (int role = 1; role <= 18; ++role) {
        GroupValue value;
        value.present = true;
        value.text = textFrom(in);
        const int choice = in.byte();
        value.index = choice % 8 - 1;
        value.checked = choice & 0x80;
        value.number = numberFrom(in);
        shown.insert(role, value);
    }
    QByteArray written = block;
    const int code = type.groups->encode(
        group,
        [&](const ControlRow &row) {
            int role = 0;
            type.groups->groupOf(row.rpcaId(), &role);
            return shown.value(role);
        },
        written, 571);
    FUZZ_CHECK(written.size() == block.size());
    if (code != 0)
        FUZZ_CHECK(written == block);
    FUZZ_CHECK(block == before);

    // The network replies and MAC address texts.
    const QString typed = textFrom(in);
    const QByteArray mac = NetworkText::parseMac(typed);
    FUZZ_CHECK(mac.isEmpty() || mac.size() == 6);
    if (!mac.isEmpty())
        FUZZ_CHECK(NetworkText::parseMac(NetworkText::macText(mac)) == mac);
    (void)NetworkText::addressText(block.left(64));
    return 0;
}
