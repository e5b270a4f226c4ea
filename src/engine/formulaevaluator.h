#pragma once

#include <QHash>
#include <QPair>
#include <QScopedPointer>
#include <QString>
#include <QScriptValue>
#include <QSet>
#include <QVector>

class QScriptEngine;

// Evaluates the database's conversion formulas as ECMAScript programs.
//
// Every evaluation must give what a fresh script engine would give for the same text, but a fresh
// engine costs close to a millisecond, far too much for a fill of a whole block. So one engine is
// reused and anything a program leaves behind in the global object is removed after each run; a
// program that changed a built-in ("Math.floor=1") gets a fresh engine after it. The results are
// also kept per text, since a text always evaluates to the same number.
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
    void startEngine();
    void removeLeftovers();
    bool builtInsChanged() const;

    QScopedPointer<QScriptEngine> m_engine;
    QSet<QString> m_baseGlobals;
    // Each built-in and each member of a built-in object, as a fresh engine has them.
    QVector<QScriptValue> m_builtIns;
    QVector<QScriptValue> m_builtInOwners;
    QVector<QString> m_builtInNames;
    // The built-in objects and their number of members.
    QVector<QPair<QScriptValue, int>> m_builtInObjects;
    QHash<QString, Result> m_cache;
    int m_engineRuns = 0;
};
