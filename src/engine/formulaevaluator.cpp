#include "engine/formulaevaluator.h"

#include <cmath>

#include <QDebug>
#include <QScriptEngine>
#include <QScriptValueIterator>
#include <QStringList>

namespace {
// A designer can enter any number of formulas; the cache only has to cover one printer type.
constexpr int kMaxCachedResults = 8192;

// Whether a program might change a built-in. Checking the built-ins after a run costs several
// times the run, so it is left out for programs made only of numbers, operators without an
// assignment and Math's members: the database's read formulas.
bool canChangeBuiltIns(const QString &program)
{
    static const QSet<QString> kHarmless = { QStringLiteral("Math"), QStringLiteral("abs"),
        QStringLiteral("acos"), QStringLiteral("asin"), QStringLiteral("atan"),
        QStringLiteral("atan2"), QStringLiteral("ceil"), QStringLiteral("cos"),
        QStringLiteral("exp"), QStringLiteral("floor"), QStringLiteral("log"),
        QStringLiteral("max"), QStringLiteral("min"), QStringLiteral("pow"),
        QStringLiteral("round"), QStringLiteral("sin"), QStringLiteral("sqrt"),
        QStringLiteral("tan"), QStringLiteral("E"), QStringLiteral("PI") };
    if (program.contains(QLatin1Char('=')) || program.contains(QLatin1String("++"))
        || program.contains(QLatin1String("--")))
        return true;
    auto isNameChar = [](QChar c) {
        return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
    };
    for (int i = 0; i < program.size();) {
        const QChar c = program.at(i);
        if (!isNameChar(c)) {
            ++i;
            continue;
        }
        const int start = i;
        while (i < program.size() && isNameChar(program.at(i)))
            ++i;
        // Numbers, "1e5" and "0x1F" among them, start with a digit.
        if (!c.isDigit() && !kHarmless.contains(program.mid(start, i - start)))
            return true;
    }
    return false;
}

} // namespace

FormulaEvaluator::FormulaEvaluator()
{
    startEngine();
}

FormulaEvaluator::~FormulaEvaluator() = default;

void FormulaEvaluator::startEngine()
{
    m_builtIns.clear();
    m_builtInOwners.clear();
    m_builtInNames.clear();
    m_builtInObjects.clear();
    m_baseGlobals.clear();
    m_engine.reset(new QScriptEngine);
    const QScriptValue global = m_engine->globalObject();
    QScriptValueIterator it(global);
    while (it.hasNext()) {
        it.next();
        m_baseGlobals.insert(it.name());
        m_builtInOwners.append(global);
        m_builtInNames.append(it.name());
        m_builtIns.append(it.value());
    }
    // One level down covers what a formula can reach by name: Math.floor, Number.MAX_VALUE.
    const int globals = m_builtIns.size();
    for (int i = 0; i < globals; ++i) {
        const QScriptValue owner = m_builtIns.at(i);
        if (!owner.isObject())
            continue;
        int members = 0;
        QScriptValueIterator member(owner);
        while (member.hasNext()) {
            member.next();
            ++members;
            m_builtInOwners.append(owner);
            m_builtInNames.append(member.name());
            m_builtIns.append(member.value());
        }
        m_builtInObjects.append({ owner, members });
    }
}

double FormulaEvaluator::evaluate(const QString &program, bool *ok)
{
    auto cached = m_cache.constFind(program);
    Result result;
    if (cached != m_cache.constEnd()) {
        result = cached.value();
    } else {
        result = run(program);
        if (m_cache.size() >= kMaxCachedResults)
            m_cache.clear();
        m_cache.insert(program, result);
    }
    if (ok)
        *ok = result.ok;
    return result.ok ? result.value : std::nan("");
}

FormulaEvaluator::Result FormulaEvaluator::run(const QString &program)
{
    ++m_engineRuns;
    Result result;
    const QScriptValue value = m_engine->evaluate(program, QString(), 1);
    if (m_engine->hasUncaughtException()) {
        qDebug() << "formula error:" << program << value.toString();
        m_engine->clearExceptions();
    } else {
        result.value = value.toNumber();
        result.ok = std::isfinite(result.value);
        if (!result.ok)
            qDebug() << "formula gives no number:" << program;
    }
    removeLeftovers();
    if (canChangeBuiltIns(program) && builtInsChanged())
        startEngine();
    return result;
}

bool FormulaEvaluator::builtInsChanged() const
{
    for (int i = 0; i < m_builtIns.size(); ++i) {
        const QScriptValue now = m_builtInOwners.at(i).property(m_builtInNames.at(i));
        const QScriptValue &was = m_builtIns.at(i);
        // NaN is a built-in too, and never equal to itself.
        if (!now.strictlyEquals(was)
            && !(now.isNumber() && was.isNumber() && std::isnan(now.toNumber())
                && std::isnan(was.toNumber())))
            return true;
    }
    // A member added to a built-in object would be seen by later programs too.
    for (const auto &object : m_builtInObjects) {
        int members = 0;
        QScriptValueIterator member(object.first);
        while (member.hasNext()) {
            member.next();
            ++members;
        }
        if (members != object.second)
            return true;
    }
    return false;
}

// A fresh engine would not see variables that an earlier program assigned ("H=value*10" makes a
// global H), so they must not survive into the next evaluation.
void FormulaEvaluator::removeLeftovers()
{
    QScriptValue global = m_engine->globalObject();
    QStringList added;
    QScriptValueIterator it(global);
    while (it.hasNext()) {
        it.next();
        if (!m_baseGlobals.contains(it.name()))
            added.append(it.name());
    }
    for (const QString &name : qAsConst(added))
        global.setProperty(name, QScriptValue());
}
