#pragma once

#include <memory>

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>

#include "database/dbresult.h"
#include "database/designstore.h"
#include "database/settingsdatabase.h"
#include "engine/formulaevaluator.h"
#include "engine/settingsdefinition.h"

class ConfigFile;
class QGridLayout;
class QLabel;
class QWidget;
class SettingCodec;

// The special groups' controls: group name -> role number -> control.
using GroupRegistry = QMap<QString, QMap<int, QWidget *>>;

// Turns a printer type's definition into settings pages and moves values between the pages and
// the printer's setting block. Loading and the designer's database work run on the engine's own
// thread (run(), one work mode at a time); building, filling and collecting run on the
// user-interface thread after that thread has finished.
class WidgetEngine : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WidgetEngine)

public:
    enum WorkMode { LoadDefinitions = 0, LoadDesign = 1, SaveDesign = 2, DeletePrinterTypes = 3 };

    static const QStringList &groupNames();
    static const QStringList &buttonActions();

    explicit WidgetEngine(
        const DatabaseLocation &location, ConfigFile *config = nullptr, QObject *parent = nullptr);
    ~WidgetEngine() override;

    void setWorkMode(int mode) { m_workMode = mode; }
    int workMode() const { return m_workMode; }
    // Work mode 3: the printer types to delete.
    void setWorkMode(int mode, const QStringList &printerTypeNames);
    // Work mode 2: the design to store under the printer type.
    void setDesign(int pritId, const PrinterDesign &design);
    // Work mode 2 for the designer: the printer type record (made when the name is new) and its
    // design, stored together; designPritId() tells the type's id afterwards.
    void setDesign(const QString &typeName, int testValue, const PrinterDesign &design);
    // Work mode 1: the designer's printer type to read; design() and designType() hold it after.
    void setDesignToLoad(const QString &typeName) { m_designName = typeName; }
    const PrinterDesign &design() const { return m_design; }
    const PrinterTypeRecord &designType() const { return m_designType; }
    int designPritId() const { return m_designPritId; }
    // Result of the last database change (work modes 2 and 3).
    DbResult lastResult() const { return m_lastResult; }
    // The database's own words when that change failed.
    QString lastErrorText() const { return m_lastErrorText; }

    // The connected printer; work mode 0 loads what belongs to it.
    void setIdentity(const SettingsIdentity &identity) { m_identity = identity; }
    SettingsIdentity identity() const { return m_identity; }
    void setPrinterTypeCode(const QString &code) { m_identity.typeCode = code; }
    // The main window's "RK-5200" firmware variant.
    void setLegacyVariant(bool legacy) { m_legacyVariant = legacy; }

    void buildPages();
    // Fills every value control from the setting block, and its default text from the default
    // block unless only the current values are asked for.
    void fillControls(bool onlyCurrentValues = false);
    // Writes the controls' values into the setting block before a write.
    void collect();
    // The block with the controls' values written into it; the controls are left as they are.
    QByteArray collectedBlock(const QByteArray &block) const;
    // Shows a block loaded from a settings file: the controls take its values while keeping the
    // values last read from the printer as their reference, so the differences show as changes.
    void showImportedBlock(const QByteArray &block);
    // True while a control shows a value other than the one last read or written.
    bool hasUnsavedChanges() const;

    QByteArray settingBlock() const { return m_settingBlock; }
    // The block itself, for the group rules that read it while the page is open.
    const QByteArray &settingBlockRef() const { return m_settingBlock; }
    // The value encoding of the built pages; null before the first build.
    const SettingCodec *codec() const { return m_codec.get(); }
    void setSettingBlock(const QByteArray &block) { m_settingBlock = block; }
    QByteArray defaultBlock() const { return m_defaultBlock; }
    void setDefaultBlock(const QByteArray &block) { m_defaultBlock = block; }
    QList<QWidget *> pages() const;
    QStringList pageTitles() const { return m_definition.pageTitles; }
    QString printerTypeName() const { return m_definition.printerTypeName; }
    const SettingsDefinition &definition() const { return m_definition; }
    void setDefinition(const SettingsDefinition &definition) { m_definition = definition; }
    GroupRegistry &groupRegistry() { return m_groups; }
    // The control built for a control row; null when none was built.
    QWidget *controlOf(int rpcaId) const { return m_controls.value(rpcaId); }
    // The label that shows the default values of a grid row of a page.
    QLabel *defaultLabelOf(int rpcaId) const;

signals:
    void workCompleted();
    // A button bound to one of the button actions was clicked.
    void buttonAction(const QString &action);

public slots:
    void run();
    void onchangeTearCheck(int state);

private:
    struct Placement
    {
        int page = -1;
        QGridLayout *grid = nullptr;
    };

    QWidget *createControl(ControlKind kind, const ControlRow &row);
    void registerControl(QWidget *control, const ControlRow &row);
    void addDefaultLabels();
    void nameLoneCheckBoxes();
    void fillRow(const ControlRow &row, QWidget *control, bool onlyCurrentValues);
    void showRow(const ControlRow &row, QWidget *control, bool shown, bool disabledByRule);
    QList<int> collectInto(QByteArray &block) const;
    void setValueKnown(const ControlRow &row, bool known);
    QWidget *cellWidget(const ControlRow &row, int columnOffset) const;
    void refreshDefaultLabels();
    void clearPages();

    DatabaseLocation m_location;
    ConfigFile *m_config;
    int m_workMode = -1;
    QStringList m_deleteNames;
    int m_designPritId = 0;
    QString m_designName; // empty: mode 2 stores under m_designPritId
    int m_designTest = 0;
    PrinterDesign m_design;
    PrinterTypeRecord m_designType;
    DbResult m_lastResult = DbOk;
    QString m_lastErrorText;
    SettingsIdentity m_identity;
    bool m_legacyVariant = false;

    SettingsDefinition m_definition;
    QByteArray m_settingBlock;
    QByteArray m_defaultBlock;
    QList<QPointer<QWidget>> m_pages;
    GroupRegistry m_groups;
    QHash<int, QWidget *> m_controls; // rpca_id
    QSet<int> m_unknownRows; // rpca_id: the block's bytes give the control no value
    QHash<int, Placement> m_placements; // rpca_id
    struct DefaultRow
    {
        QLabel *label = nullptr;
        QList<int> rpcaIds; // the value controls of the grid row
    };
    QHash<QPair<int, int>, DefaultRow> m_defaultLabels; // (page, grid row)
    mutable FormulaEvaluator m_evaluator;
    std::unique_ptr<SettingCodec> m_codec;
};
