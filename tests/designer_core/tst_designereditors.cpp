#include <functional>

#include <QtTest>

#include "database/databasehandler.h"
#include "dbfixture.h"
#include "designer_core/contenteditor.h"
#include "designer_core/formulaeditor.h"

// One confirm or delete of the editors, given the English texts and the formulas the page shows.
using EditorStep = std::function<EditOutcome(
    ContentEditor &, FormulaEditor &, const QStringList &, const QStringList &)>;
// Puts the database into a state in which it refuses changes; the returned step undoes it.
using Refusal = std::function<std::function<void()>(DbFixture &)>;
Q_DECLARE_METATYPE(EditorStep)
Q_DECLARE_METATYPE(Refusal)

namespace {
const QString kExistingChinese = QStringLiteral("<existing zh>");
const QString kExistingEnglish = QStringLiteral("<existing en>");
const QString kSuccess = QStringLiteral("Create content success.");

QString firstText(DbFixture &db, const QString &column)
{
    return db
        .probe(QStringLiteral("select %1 from ContentType where %1 <> '' order by ctnt_id")
                   .arg(column))
        .value(0)
        .toString();
}
} // namespace

class TestDesignerEditors : public QObject
{
    Q_OBJECT

private slots:
    void newContentRules_data()
    {
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("message");
        QTest::newRow("only the Chinese text")
            << QStringLiteral("新的文字") << QString() << QStringLiteral("新的文字")
            << QStringLiteral("New English content Null");
        QTest::newRow("only the English text")
            << QString() << QStringLiteral("Brand new text") << QStringLiteral("Brand new text")
            << QStringLiteral("New Chinese content Null");
        QTest::newRow("empty box") << QStringLiteral("新的文字") << QStringLiteral("Brand new text")
                                   << QString() << QStringLiteral("Edite content Null.");
        QTest::newRow("Chinese text exists, English is new")
            << kExistingChinese << QStringLiteral("Brand new text")
            << QStringLiteral("Brand new text") << QStringLiteral("New Chinese content existed");
        QTest::newRow("English text exists")
            << QStringLiteral("新的文字") << kExistingEnglish << kExistingEnglish
            << QStringLiteral("New English content existed");
        QTest::newRow("both new") << QStringLiteral("新的文字") << QStringLiteral("Brand new text")
                                  << QStringLiteral("Brand new text") << kSuccess;
        QTest::newRow("texts with the pair separator stay whole")
            << QStringLiteral("甲-!!-乙") << QStringLiteral("A-!!-B") << QStringLiteral("A-!!-B")
            << kSuccess;
    }

    void newContentRules()
    {
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        QFETCH(QString, box);
        QFETCH(QString, message);
        DbFixture db;
        const auto resolve = [&db](QString text) {
            if (text == kExistingChinese)
                return firstText(db, QStringLiteral("ctnt_chinese"));
            if (text == kExistingEnglish)
                return firstText(db, QStringLiteral("ctnt_english"));
            return text;
        };
        chinese = resolve(chinese);
        english = resolve(english);
        box = resolve(box);
        const QString before = db.dump(QStringLiteral("ContentType"));
        DataBaseHandler handler(db.location());
        ContentEditor editor(handler);
        // Typed as the user does: Chinese first, then English after switching the language.
        editor.setPendingText(chinese);
        editor.setLanguage(ContentEditor::kEnglish);
        editor.setPendingText(english);

        const EditOutcome outcome = editor.confirmNew(box);
        QCOMPARE(outcome.message, message);
        if (message != kSuccess) {
            QCOMPARE(outcome.kind, EditOutcome::Refused);
            QCOMPARE(outcome.messageType, 0);
            QCOMPARE(db.dump(QStringLiteral("ContentType")), before);
            QCOMPARE(editor.pendingText(ContentEditor::kChinese), chinese);
            return;
        }
        QCOMPARE(outcome.kind, EditOutcome::Stored);
        QCOMPARE(outcome.messageType, 1);
        QCOMPARE(db.probe(QStringLiteral("select ctnt_chinese || '|' || ctnt_english from "
                                         "ContentType order by ctnt_id desc limit 1"))
                     .value(0)
                     .toString(),
            chinese + QLatin1Char('|') + english);
        QVERIFY(editor.pendingText(ContentEditor::kChinese).isEmpty());
        QVERIFY(editor.pendingText(ContentEditor::kEnglish).isEmpty());
        QVERIFY(editor.texts().contains(english));
    }

    // Renames and deletes: every row with the text changes, and nothing else.
    void changeContentRules_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("newText"); // empty: delete
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("rowsLeftWithOld");
        QTest::newRow("rename Chinese") << 0 << QStringLiteral("测试纸张") << QStringLiteral("纸")
                                        << QStringLiteral("DUpdate content Success.") << 0;
        QTest::newRow("rename English")
            << 1 << QStringLiteral("Test paper") << QStringLiteral("Sheet")
            << QStringLiteral("DUpdate content Success.") << 0;
        QTest::newRow("rename a vanished text")
            << 1 << QStringLiteral("No such text any more") << QStringLiteral("Sheet")
            << QStringLiteral("DUpdate content Success.") << 2;
        QTest::newRow("rename to nothing")
            << 1 << QStringLiteral("Test paper") << QStringLiteral("")
            << QStringLiteral("Edit content Null.") << 2;
        QTest::newRow("rename the empty text") << 0 << QString() << QStringLiteral("纸")
                                               << QStringLiteral("Select a content first.") << 2;
        QTest::newRow("delete") << 1 << QStringLiteral("Test paper") << QString()
                                << QStringLiteral("Delete content Success") << 0;
        QTest::newRow("delete the empty text")
            << 0 << QString() << QString() << QStringLiteral("Select a content first.") << 2;
    }

    void changeContentRules()
    {
        QFETCH(int, language);
        QFETCH(QString, selected);
        QFETCH(QString, newText);
        QFETCH(QString, message);
        QFETCH(int, rowsLeftWithOld);
        DbFixture db;
        // Two contents share each text; a third lacks its Chinese text.
        db.probe(QStringLiteral(
            "insert into ContentType (ctnt_chinese, ctnt_english) values "
            "('测试纸张','Test paper'), ('测试纸张','Test paper'), ('','Only English')"));
        const QString column
            = language == 0 ? QStringLiteral("ctnt_chinese") : QStringLiteral("ctnt_english");
        const QString countEmpty
            = QStringLiteral("select count(*) from ContentType where %1 = ''").arg(column);
        const int total = db.count(QStringLiteral("select count(*) from ContentType"));
        const int empty = db.count(countEmpty);
        DataBaseHandler handler(db.location());
        ContentEditor editor(handler);
        editor.setLanguage(language);
        const bool deleting = QByteArray(QTest::currentDataTag()).startsWith("delete");
        const EditOutcome outcome
            = deleting ? editor.remove(selected) : editor.confirmEdit(selected, newText);
        QCOMPARE(outcome.message, message);

        const QString paper
            = language == 0 ? QStringLiteral("测试纸张") : QStringLiteral("Test paper");
        QCOMPARE(db.count(QStringLiteral("select count(*) from ContentType where %1 = '%2'")
                              .arg(column, paper)),
            rowsLeftWithOld);
        QCOMPARE(db.count(countEmpty), empty);
        const int removed = outcome.kind == EditOutcome::Stored && deleting ? 2 : 0;
        QCOMPARE(db.count(QStringLiteral("select count(*) from ContentType")), total - removed);
    }

    void formulaListIsCaseSensitive()
    {
        DbFixture db;
        db.probe(QStringLiteral("delete from FormulaType"));
        db.probe(QStringLiteral("insert into FormulaType (fmlt_expression) values "
                                "('b*2'), ('A+1'), ('_x'), ('a+1'), ('B*2'), ('x/10')"));
        DataBaseHandler handler(db.location());
        FormulaEditor editor(handler);
        QCOMPARE(editor.formulas(),
            QStringList({ QStringLiteral("A+1"), QStringLiteral("B*2"), QStringLiteral("_x"),
                QStringLiteral("a+1"), QStringLiteral("b*2"), QStringLiteral("x/10") }));
    }

    void formulaRules_data()
    {
        QTest::addColumn<QString>("step"); // new, edit, delete
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("after"); // the expressions left
        const QStringList start { QStringLiteral("x*2"), QStringLiteral("x*2"),
            QStringLiteral("x/10") };
        QTest::newRow("new") << "new" << QString() << QStringLiteral("x+5")
                             << QStringLiteral("Create Formula success.")
                             << (start + QStringList { QStringLiteral("x+5") });
        QTest::newRow("new, empty")
            << "new" << QString() << QString() << QStringLiteral("Create Formula Null.") << start;
        QTest::newRow("new, existing") << "new" << QString() << QStringLiteral("x/10")
                                       << QStringLiteral("New Formula existed.") << start;
        QTest::newRow("edit renames every row")
            << "edit" << QStringLiteral("x*2") << QStringLiteral("x*3")
            << QStringLiteral("Update Formula Success.")
            << QStringList { QStringLiteral("x*3"), QStringLiteral("x*3"), QStringLiteral("x/10") };
        QTest::newRow("edit a vanished formula")
            << "edit" << QStringLiteral("x-1") << QStringLiteral("x*3")
            << QStringLiteral("Update Formula Success.") << start;
        QTest::newRow("edit, empty") << "edit" << QStringLiteral("x*2") << QString()
                                     << QStringLiteral("Edit Formula Null.") << start;
        QTest::newRow("edit without selection")
            << "edit" << QString() << QStringLiteral("x*3")
            << QStringLiteral("Select a formula first.") << start;
        QTest::newRow("delete every row")
            << "delete" << QStringLiteral("x*2") << QString()
            << QStringLiteral("Delete Formula Success.") << QStringList { QStringLiteral("x/10") };
        QTest::newRow("delete without selection")
            << "delete" << QString() << QString() << QStringLiteral("Select a formula first.")
            << start;
    }

    void formulaRules()
    {
        QFETCH(QString, step);
        QFETCH(QString, selected);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QStringList, after);
        DbFixture db;
        db.probe(QStringLiteral("delete from FormulaType"));
        db.probe(QStringLiteral("insert into FormulaType (fmlt_expression) values "
                                "('x*2'), ('x*2'), ('x/10')"));
        DataBaseHandler handler(db.location());
        FormulaEditor editor(handler);
        const EditOutcome outcome = step == QLatin1String("new") ? editor.confirmNew(text)
            : step == QLatin1String("edit") ? editor.confirmEdit(selected, text)
                                            : editor.remove(selected);
        QCOMPARE(outcome.message, message);
        QStringList left;
        for (const QVariant &v :
            db.probe(QStringLiteral("select fmlt_expression from FormulaType order by fmlt_id")))
            left << v.toString();
        QCOMPARE(left, after);
    }

    // Every change is one transaction: refused by the database, it leaves every row as it was
    // and says why.
    void refusedChangesKeepTheDatabase_data()
    {
        QTest::addColumn<Refusal>("refusal");
        QTest::addColumn<EditorStep>("step");
        QTest::addColumn<int>("result");

        const Refusal readOnly = [](DbFixture &db) {
            db.makeReadOnly();
            return std::function<void()>([] {});
        };
        const Refusal locked = [](DbFixture &db) {
            db.probe(QStringLiteral("begin exclusive"));
            return std::function<void()>([&db] { db.probe(QStringLiteral("rollback")); });
        };
        const Refusal constraint = [](DbFixture &db) {
            for (const char *table : { "ContentType", "FormulaType" })
                for (const char *event : { "insert", "update", "delete" })
                    db.probe(QStringLiteral("create trigger refuse_%1_%2 before %1 on %2 begin "
                                            "select raise(abort, 'refused by a rule'); end")
                                 .arg(QLatin1String(event), QLatin1String(table)));
            return std::function<void()>([] {});
        };

        const QList<QPair<QByteArray, EditorStep>> steps {
            { "new content",
                [](ContentEditor &c, FormulaEditor &, const QStringList &, const QStringList &) {
                    c.setLanguage(ContentEditor::kChinese);
                    c.setPendingText(QStringLiteral("新的文字"));
                    c.setLanguage(ContentEditor::kEnglish);
                    c.setPendingText(QStringLiteral("Brand new text"));
                    return c.confirmNew(QStringLiteral("Brand new text"));
                } },
            { "rename content",
                [](ContentEditor &c, FormulaEditor &, const QStringList &texts,
                    const QStringList &) {
                    return c.confirmEdit(texts.value(0), QStringLiteral("Renamed"));
                } },
            { "delete content",
                [](ContentEditor &c, FormulaEditor &, const QStringList &texts,
                    const QStringList &) { return c.remove(texts.value(0)); } },
            { "new formula",
                [](ContentEditor &, FormulaEditor &f, const QStringList &, const QStringList &) {
                    return f.confirmNew(QStringLiteral("x*7+1"));
                } },
            { "rename formula",
                [](ContentEditor &, FormulaEditor &f, const QStringList &,
                    const QStringList &formulas) {
                    return f.confirmEdit(formulas.value(0), QStringLiteral("x*7+1"));
                } },
            { "delete formula",
                [](ContentEditor &, FormulaEditor &f, const QStringList &,
                    const QStringList &formulas) { return f.remove(formulas.value(0)); } },
        };
        const QList<QPair<QByteArray, Refusal>> refusals { { "read-only", readOnly },
            { "locked", locked }, { "constraint", constraint } };
        for (const auto &r : refusals)
            for (const auto &s : steps) {
                const int result = s.first.startsWith("new") ? DbInsertFailed
                    : s.first.startsWith("rename")           ? DbUpdateFailed
                                                             : DbDeleteFailed;
                QTest::newRow((r.first + ", " + s.first).constData())
                    << r.second << s.second << result;
            }
    }

    void refusedChangesKeepTheDatabase()
    {
        QFETCH(Refusal, refusal);
        QFETCH(EditorStep, step);
        QFETCH(int, result);
        DbFixture db;
        const QString contents = db.dump(QStringLiteral("ContentType"));
        const QString formulas = db.dump(QStringLiteral("FormulaType"));
        // Lists are read before the refusal, as the page shows them.
        DatabaseLocation location = db.location();
        location.setBusyTimeoutMs(50);
        DataBaseHandler handler(location);
        ContentEditor contentEditor(handler);
        FormulaEditor formulaEditor(handler);
        contentEditor.setLanguage(ContentEditor::kEnglish);
        const QStringList contentTexts = contentEditor.texts();
        const QStringList formulaTexts = formulaEditor.formulas();
        QVERIFY(!contentTexts.isEmpty());
        QVERIFY(!formulaTexts.isEmpty());

        const std::function<void()> undo = refusal(db);
        const EditOutcome outcome = step(contentEditor, formulaEditor, contentTexts, formulaTexts);
        undo();

        QCOMPARE(outcome.kind, EditOutcome::Failed);
        QCOMPARE(int(outcome.result), result);
        QVERIFY2(!outcome.databaseError.isEmpty(), "the database's words reach the user");
        QCOMPARE(db.dump(QStringLiteral("ContentType")), contents);
        QCOMPARE(db.dump(QStringLiteral("FormulaType")), formulas);
    }
};

QTEST_GUILESS_MAIN(TestDesignerEditors)
#include "tst_designereditors.moc"
