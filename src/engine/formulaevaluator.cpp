#include "engine/formulaevaluator.h"

#include <cmath>

#include <QDebug>
#include <QScriptEngine>
#include <QScriptValueIterator>
#include <QStringList>

namespace {
// A designer can enter any number of formulas; the cache only has to cover one printer type.
constexpr int kMaxCachedResults = 8192;
} // namespace

FormulaEvaluator::FormulaEvaluator()
    : m_engine(new QScriptEngine)
{
    QScriptValueIterator it(m_engine->globalObject());
    while (it.hasNext()) {
        it.next();
        m_baseGlobals.insert(it.name());
    }
}

FormulaEvaluator::~FormulaEvaluator() = default;

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
    return result;
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
