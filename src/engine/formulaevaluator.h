#pragma once

#include <QHash>
#include <QScopedPointer>
#include <QString>
#include <QSet>

class QScriptEngine;

// Evaluates the database's conversion formulas as ECMAScript programs.
//
// Every evaluation must give what a fresh script engine would give for the same text, but a fresh
// engine costs close to a millisecond, far too much for a fill of a whole block. So one engine is
// reused and anything a program leaves behind in the global object is removed after each run; the
// results are also kept per text, since a text always evaluates to the same number.
class FormulaEvaluator
{
    Q_DISABLE_COPY_MOVE(FormulaEvaluator)

public:
    FormulaEvaluator();
    ~FormulaEvaluator();

    // The program's result as a number. A program that throws, does not parse or gives no finite
    // number sets *ok to false and yields NaN.
    double evaluate(const QString &program, bool *ok = nullptr);

    // Number of evaluations actually run by the script engine (the rest came from the cache).
    int engineRuns() const { return m_engineRuns; }

private:
    struct Result
    {
        double value = 0.0;
        bool ok = false;
    };

    Result run(const QString &program);
    void removeLeftovers();

    QScopedPointer<QScriptEngine> m_engine;
    QSet<QString> m_baseGlobals;
    QHash<QString, Result> m_cache;
    int m_engineRuns = 0;
};
