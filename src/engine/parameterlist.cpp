#include "engine/parameterlist.h"

#include <QtGlobal>

#include <cjson/cJSON.h>

#include <memory>

namespace {
// English title, the printer's Chinese title of the same page.
struct ShownTitle
{
    const char *english;
    const char *chinese;
};

const ShownTitle kShownTitles[] = {
    { QT_TRANSLATE_NOOP("ParameterList", "System Setup"), "系统设置" },
    { QT_TRANSLATE_NOOP("ParameterList", "Paper Setup"), "纸张设置" },
    { QT_TRANSLATE_NOOP("ParameterList", "Interface Setup"), "接口设置" },
    { QT_TRANSLATE_NOOP("ParameterList", "Character Setup"), "字符设置" },
    { QT_TRANSLATE_NOOP("ParameterList", "Other Setup"), "其他设置" },
    { QT_TRANSLATE_NOOP("ParameterList", "Wifi Setup"), "Wifi设置" },
    { QT_TRANSLATE_NOOP("ParameterList", "Customized Form"), "自定义表单" },
};

constexpr int kListedOptions = 30; // a refusal lists every option up to this many
constexpr int kHeaderSize = 4;
constexpr int kByteBits = 8;
constexpr int kByteMask = 0xFF;

struct JsonDeleter
{
    void operator()(cJSON *json) const { cJSON_Delete(json); }
};
using Json = std::unique_ptr<cJSON, JsonDeleter>;

void say(QString *message, const QString &text)
{
    if (message)
        *message = text;
}

// The root object of a whole JSON text; anything after it but white space makes it no JSON.
Json parseRoot(const QByteArray &text)
{
    const char *end = nullptr;
    Json root(cJSON_ParseWithLengthOpts(text.constData(), size_t(text.size()), &end, false));
    if (!root || !cJSON_IsObject(root.get()))
        return nullptr;
    for (const char *at = end; at && at < text.constData() + text.size(); ++at) {
        if (*at != ' ' && *at != '\t' && *at != '\r' && *at != '\n' && *at != '\0')
            return nullptr;
    }
    return root;
}

QString textMember(const cJSON *object, const char *name)
{
    const cJSON *item = cJSON_GetObjectItemCaseSensitive(object, name);
    return cJSON_IsString(item) ? QString::fromUtf8(item->valuestring) : QString();
}

bool wholeNumber(const QString &text, int *value)
{
    bool ok = false;
    *value = text.trimmed().toInt(&ok);
    return ok;
}

// The option text of a "text+value" member: what comes before its last "+".
QString optionTextOf(const QString &value)
{
    const int plus = value.lastIndexOf(QLatin1Char('+'));
    return plus < 0 ? value : value.left(plus);
}

QVector<ParameterList::Option> rangeOptions(const QString &inner)
{
    int start = 0;
    int end = 0;
    int step = 0;
    int found = 0;
    for (const QString &part : inner.split(QLatin1Char(','))) {
        const int colon = part.indexOf(QLatin1Char(':'));
        if (colon < 0)
            return {};
        const QString name = part.left(colon).trimmed();
        int value = 0;
        if (!wholeNumber(part.mid(colon + 1), &value))
            return {};
        if (name == QLatin1String("start"))
            start = value;
        else if (name == QLatin1String("end"))
            end = value;
        else if (name == QLatin1String("step"))
            step = value;
        else
            continue;
        ++found;
    }
    if (found != 3 || step <= 0)
        return {};
    QVector<ParameterList::Option> options;
    const qint64 direction = start <= end ? 1 : -1;
    for (qint64 v = start; direction > 0 ? v <= end : v >= end; v += direction * step) {
        if (options.size() >= ParameterList::kMaxOptions)
            break;
        options.append({ QString::number(v), int(v) });
    }
    return options;
}

QVector<ParameterList::Option> enumerationOptions(const QString &inner)
{
    QVector<ParameterList::Option> options;
    for (const QString &item : inner.split(QLatin1Char(','))) {
        const int plus = item.lastIndexOf(QLatin1Char('+'));
        int value = 0;
        if (plus < 0 || !wholeNumber(item.mid(plus + 1), &value))
            continue;
        options.append({ item.left(plus), value });
        if (options.size() >= ParameterList::kMaxOptions)
            break;
    }
    return options;
}

QString joinedOptions(const QStringList &texts)
{
    if (texts.size() <= kListedOptions)
        return texts.join(QStringLiteral(", "));
    return QStringLiteral("%1, %2, ..., %3 (%4 values)")
        .arg(texts.first(), texts.at(1), texts.last())
        .arg(texts.size());
}
} // namespace

QString ParameterList::Parameter::currentText() const
{
    return current >= 0 ? options.at(current).text : optionTextOf(rawValue);
}

QString ParameterList::Parameter::defaultText() const
{
    return defaultOption >= 0 ? options.at(defaultOption).text : QString();
}

QStringList ParameterList::Parameter::optionTexts() const
{
    QStringList texts;
    for (const Option &option : options)
        texts.append(option.text);
    return texts;
}

int ParameterList::Parameter::optionIndex(const QString &text) const
{
    for (int i = 0; i < options.size(); ++i) {
        if (options.at(i).text == text)
            return i;
    }
    return -1;
}

QVector<ParameterList::Option> ParameterList::parseOptions(const QString &list)
{
    const QString text = list.trimmed();
    if (text.startsWith(QLatin1Char('('))) {
        const int close = text.indexOf(QLatin1Char(')'));
        return close < 0 ? QVector<Option>() : rangeOptions(text.mid(1, close - 1));
    }
    if (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']')))
        return enumerationOptions(text.mid(1, text.size() - 2));
    return {};
}

QString ParameterList::englishTitleOf(const QString &title)
{
    for (const ShownTitle &shown : kShownTitles) {
        if (title == QLatin1String(shown.english) || title == QString::fromUtf8(shown.chinese))
            return QLatin1String(shown.english);
    }
    return QString();
}

QString ParameterList::chineseTitleOf(const QString &englishTitle)
{
    for (const ShownTitle &shown : kShownTitles) {
        if (englishTitle == QLatin1String(shown.english))
            return QString::fromUtf8(shown.chinese);
    }
    return QString();
}

QStringList ParameterList::englishTitles()
{
    QStringList titles;
    for (const ShownTitle &shown : kShownTitles)
        titles.append(QLatin1String(shown.english));
    return titles;
}

ParameterList::Status ParameterList::build(const QByteArray &text, QString *why)
{
    m_pages.clear();
    m_byName.clear();
    const Json root = parseRoot(text);
    if (!root) {
        say(why, QStringLiteral("the printer's parameter list is not a JSON object (%1 bytes)")
                     .arg(text.size()));
        return Status::NotJson;
    }
    const cJSON *pageJson = nullptr;
    cJSON_ArrayForEach(pageJson, root.get())
    {
        Page page;
        page.title = QString::fromUtf8(pageJson->string);
        page.englishTitle = englishTitleOf(page.title);
        if (page.englishTitle.isEmpty() || !cJSON_IsObject(pageJson))
            continue;
        page.chineseTitle = chineseTitleOf(page.englishTitle);
        const cJSON *item = nullptr;
        cJSON_ArrayForEach(item, pageJson)
        {
            if (!cJSON_IsObject(item))
                continue;
            Parameter parameter;
            parameter.key = QString::fromUtf8(item->string);
            parameter.tip = textMember(item, "tip");
            if (parameter.tip.trimmed().isEmpty())
                parameter.tip = parameter.key;
            parameter.listText = textMember(item, "list");
            parameter.options = parseOptions(parameter.listText);
            parameter.defaultOption = parameter.optionIndex(optionTextOf(textMember(item, "def")));
            page.showsDefaults = page.showsDefaults || parameter.defaultOption >= 0;
            page.parameters.append(parameter);
        }
        m_pages.append(page);
    }
    index();
    if (m_pages.isEmpty()) {
        say(why, QStringLiteral("the printer's parameter list holds no page this program shows"));
        return Status::NoPages;
    }
    return load(text, false, nullptr, why);
}

void ParameterList::index()
{
    m_byName.clear();
    for (int p = 0; p < m_pages.size(); ++p) {
        Page &page = m_pages[p];
        QHash<QString, int> seen;
        for (int i = 0; i < page.parameters.size(); ++i) {
            Parameter &parameter = page.parameters[i];
            // Names are looked up trimmed, so a caption the printer pads with blanks is named
            // without them.
            const QString tip = parameter.tip.trimmed();
            const int count = ++seen[tip.toLower()];
            const QString caption = count > 1 ? QStringLiteral("%1#%2").arg(tip).arg(count) : tip;
            parameter.name = page.title + QLatin1Char('/') + caption;
            QStringList heads { page.title, page.englishTitle, page.chineseTitle };
            heads.removeDuplicates();
            for (const QString &head : qAsConst(heads)) {
                const QString prefix = head.toLower() + QLatin1Char('/');
                for (const QString &tail : { caption, parameter.key.trimmed() }) {
                    if (!m_byName.contains(prefix + tail.toLower()))
                        m_byName.insert(prefix + tail.toLower(), { p, i });
                }
                if (count == 1)
                    m_byName.insert(prefix + caption.toLower() + QStringLiteral("#1"), { p, i });
            }
        }
    }
}

ParameterList::Status ParameterList::load(
    const QByteArray &text, bool fromFile, LoadReport *report, QString *why)
{
    const Json root = parseRoot(text);
    if (!root) {
        say(why, fromFile ? QStringLiteral("the settings data is not a parameter list")
                          : QStringLiteral("the printer's parameter list is not a JSON object"));
        return Status::NotJson;
    }
    LoadReport counts;
    const cJSON *pageJson = nullptr;
    cJSON_ArrayForEach(pageJson, root.get())
    {
        const QString title = QString::fromUtf8(pageJson->string);
        Page *page = nullptr;
        for (Page &candidate : m_pages) {
            if (candidate.title == title)
                page = &candidate;
        }
        const cJSON *item = nullptr;
        cJSON_ArrayForEach(item, pageJson)
        {
            Parameter *parameter = nullptr;
            const QString key = QString::fromUtf8(item->string);
            for (int i = 0; page && i < page->parameters.size() && !parameter; ++i) {
                if (page->parameters.at(i).key == key)
                    parameter = &page->parameters[i];
            }
            const QString val = textMember(item, "val");
            if (!parameter || val.isEmpty()) {
                ++counts.unknown;
                continue;
            }
            const int option = parameter->optionIndex(optionTextOf(val));
            if (option < 0) {
                // The value stays as it was: a file's unknown value is not taken over either.
                ++counts.unmatched;
                if (!fromFile) {
                    parameter->rawValue = val;
                    parameter->current = parameter->lastRead = -1;
                }
                continue;
            }
            ++counts.matched;
            parameter->current = option;
            if (!fromFile) {
                parameter->rawValue = val;
                parameter->lastRead = option;
            }
        }
    }
    if (report)
        *report = counts;
    if (fromFile && counts.matched == 0) {
        say(why, QStringLiteral("the settings data holds no value of this printer's parameters"));
        return Status::NoPages;
    }
    return Status::Ok;
}

QByteArray ParameterList::writeText() const
{
    Json root(cJSON_CreateObject());
    for (const Page &page : m_pages) {
        cJSON *pageJson = cJSON_AddObjectToObject(root.get(), page.title.toUtf8().constData());
        for (const Parameter &parameter : page.parameters) {
            QString val = parameter.rawValue;
            if (parameter.current >= 0) {
                const Option &option = parameter.options.at(parameter.current);
                val = option.text + QLatin1Char('+') + QString::number(option.value);
            }
            if (val.isEmpty())
                continue;
            cJSON *item = cJSON_AddObjectToObject(pageJson, parameter.key.toUtf8().constData());
            cJSON_AddStringToObject(item, "val", val.toUtf8().constData());
        }
    }
    char *printed = cJSON_PrintUnformatted(root.get());
    const QByteArray text(printed);
    cJSON_free(printed);
    return text;
}

QByteArray ParameterList::writeHeader(int textLength)
{
    if (textLength < 0 || textLength > kMaxWriteLength)
        return QByteArray();
    QByteArray header(kHeaderSize, '\0');
    header[2] = char((textLength >> kByteBits) & kByteMask);
    header[3] = char(textLength & kByteMask);
    return header;
}

bool ParameterList::hasChanges() const
{
    for (const Page &page : m_pages) {
        for (const Parameter &parameter : page.parameters) {
            if (parameter.changed())
                return true;
        }
    }
    return false;
}

void ParameterList::setCurrent(int page, int parameter, int option)
{
    if (page < 0 || page >= m_pages.size())
        return;
    QVector<Parameter> &parameters = m_pages[page].parameters;
    if (parameter < 0 || parameter >= parameters.size())
        return;
    Parameter &chosen = parameters[parameter];
    if (option >= -1 && option < chosen.options.size())
        chosen.current = option;
}

bool ParameterList::sameShape(const ParameterList &other) const
{
    if (m_pages.size() != other.m_pages.size())
        return false;
    for (int p = 0; p < m_pages.size(); ++p) {
        const Page &mine = m_pages.at(p);
        const Page &theirs = other.m_pages.at(p);
        if (mine.title != theirs.title || mine.showsDefaults != theirs.showsDefaults
            || mine.parameters.size() != theirs.parameters.size())
            return false;
        for (int i = 0; i < mine.parameters.size(); ++i) {
            const Parameter &a = mine.parameters.at(i);
            const Parameter &b = theirs.parameters.at(i);
            if (a.key != b.key || a.tip != b.tip || a.listText != b.listText
                || a.defaultOption != b.defaultOption)
                return false;
        }
    }
    return true;
}

bool ParameterList::writeConfirmed(
    const ParameterList &written, const QByteArray &readBackText, ParameterList *readBack)
{
    ParameterList read;
    if (read.build(readBackText) != Status::Ok || !read.holdsChangesOf(written))
        return false;
    if (readBack)
        *readBack = read;
    return true;
}

bool ParameterList::holdsChangesOf(const ParameterList &written) const
{
    for (const Page &page : written.m_pages) {
        for (const Parameter &parameter : page.parameters) {
            if (!parameter.changed())
                continue;
            const auto at = m_byName.constFind(parameter.name.toLower());
            if (at == m_byName.constEnd())
                return false;
            const Parameter &held = m_pages.at(at->first).parameters.at(at->second);
            if (held.key != parameter.key || held.currentText() != parameter.currentText())
                return false;
        }
    }
    return true;
}

const ParameterList::Parameter *ParameterList::find(const QString &name, QString *why) const
{
    const auto at = m_byName.constFind(name.trimmed().toLower());
    if (at == m_byName.constEnd()) {
        say(why, QStringLiteral("no setting \"%1\" on this printer").arg(name));
        return nullptr;
    }
    return &m_pages.at(at->first).parameters.at(at->second);
}

ParameterList::Parameter *ParameterList::findMutable(const QString &name, QString *why)
{
    return const_cast<Parameter *>(find(name, why));
}

ParameterList::Apply ParameterList::apply(
    const QString &name, const QString &value, QString *message)
{
    Parameter *parameter = findMutable(name, message);
    if (!parameter)
        return Apply::UnknownName;
    const QString wanted = value.trimmed();
    int option = parameter->optionIndex(wanted);
    for (int i = 0; option < 0 && i < parameter->options.size(); ++i) {
        // The value typed is trimmed; an option the printer pads with blanks still matches.
        if (parameter->options.at(i).text.trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            option = i;
    }
    if (option < 0) {
        say(message,
            parameter->options.isEmpty()
                ? QStringLiteral("\"%1\" has no options the printer described (list \"%2\")")
                      .arg(parameter->name, parameter->listText)
                : QStringLiteral("\"%1\" is no choice of \"%2\"; choices: %3")
                      .arg(value, parameter->name, joinedOptions(parameter->optionTexts())));
        return Apply::InvalidValue;
    }
    const QString before = parameter->currentText();
    if (option == parameter->current) {
        say(message, QStringLiteral("%1: %2 (unchanged)").arg(parameter->name, before));
        return Apply::Unchanged;
    }
    parameter->current = option;
    say(message,
        QStringLiteral("%1: %2 -> %3").arg(parameter->name, before, parameter->currentText()));
    return Apply::Changed;
}

ParameterList::Apply ParameterList::applyAssignment(const QString &assignment, QString *message)
{
    const int at = assignment.indexOf(QLatin1Char('='));
    if (at < 0) {
        say(message,
            QStringLiteral("\"%1\" is not of the form Page/Caption=value").arg(assignment));
        return Apply::UnknownName;
    }
    return apply(assignment.left(at), assignment.mid(at + 1), message);
}
