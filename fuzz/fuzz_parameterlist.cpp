// The parameter-list text a printer sends (mode byte 68), and the same text as a file's data:
// pages and option lists are built from it, its values loaded, every option chosen by name as
// the command line does, and the write text made. What goes back must fit its header and load
// into the same pages with the values chosen.

#include "engine/parameterlist.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::init();
    const QByteArray text = fuzz::bytes(data, size);
    ParameterList list;
    QString why;
    if (list.build(text, &why) != ParameterList::Status::Ok) {
        FUZZ_CHECK(list.isEmpty());
        FUZZ_CHECK(!why.isEmpty());
        return 0;
    }
    ParameterList::LoadReport report;
    list.load(text, false, &report, &why);
    FUZZ_CHECK(!list.hasChanges());

    // Every option of every parameter, chosen by its full name and text.
    int tries = 0;
    for (int p = 0; p < list.pages().size(); ++p) {
        const ParameterList::Page &page = list.pages().at(p);
        for (int i = 0; i < page.parameters.size(); ++i) {
            const ParameterList::Parameter &parameter = page.parameters.at(i);
            const QString name = parameter.name;
            FUZZ_CHECK(list.find(name) != nullptr);
            (void)parameter.currentText();
            (void)parameter.defaultText();
            const QStringList texts = parameter.optionTexts();
            // A page or caption may repeat (duplicate JSON members, or a caption such as
            // "Speed#2" beside two "Speed"): the name then leads to the first of them.
            const bool ownName = list.find(name) == &parameter;
            for (int o = 0; o < texts.size() && tries < 200; ++o, ++tries) {
                const ParameterList::Apply applied = list.apply(name, texts.at(o));
                FUZZ_CHECK(applied != ParameterList::Apply::UnknownName);
                if (!ownName)
                    continue;
                FUZZ_CHECK(applied != ParameterList::Apply::InvalidValue);
                FUZZ_CHECK(parameter.currentText().trimmed().compare(
                               texts.at(o).trimmed(), Qt::CaseInsensitive)
                    == 0);
            }
            if (!name.contains(QLatin1Char('=')))
                list.applyAssignment(name + QStringLiteral("=\x01no such option"));
        }
    }

    const QByteArray written = list.writeText();
    const QByteArray header = ParameterList::writeHeader(written.size());
    FUZZ_CHECK(header.isEmpty() == (written.size() > ParameterList::kMaxWriteLength));

    // The write text read back into the same pages holds what was chosen.
    ParameterList readBack = list;
    readBack.load(written, true);
    FUZZ_CHECK(readBack.sameShape(list));
    ParameterList confirmed;
    ParameterList::writeConfirmed(list, text, &confirmed);
    return 0;
}
