#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

// Plain records of the settings database, one field per column read. New records hold empty
// texts and zero numbers (a new user has authority 1).

// user: the designer accounts.
class UserRecord
{
public:
    QString userName() const { return m_userName; }
    void setUserName(const QString &name) { m_userName = name; }
    QString userPassword() const { return m_userPassword; }
    void setUserPassword(const QString &hashSum) { m_userPassword = hashSum; }
    int userAuthority() const { return m_userAuthority; }
    void setUserAuthority(int authority) { m_userAuthority = authority; }

private:
    QString m_userName;
    QString m_userPassword;
    int m_userAuthority = 1;
};

// PrinterType: prit_id, prit_name, prit_test.
class PrinterTypeRecord
{
public:
    int pritId() const { return m_pritId; }
    void setPritId(int id) { m_pritId = id; }
    QString pritName() const { return m_pritName; }
    void setPritName(const QString &name) { m_pritName = name; }
    int pritTest() const { return m_pritTest; }
    void setPritTest(int test) { m_pritTest = test; }

private:
    int m_pritId = 0;
    QString m_pritName;
    int m_pritTest = 0;
};

// ControlType: ctrt_id, ctrt_name (the control kind code 0-5), ctrt_returntype.
class ControlTypeRecord
{
public:
    int ctrtId() const { return m_ctrtId; }
    void setCtrtId(int id) { m_ctrtId = id; }
    int ctrtName() const { return m_ctrtName; }
    void setCtrtName(int kindCode) { m_ctrtName = kindCode; }
    int ctrtReturnType() const { return m_ctrtReturnType; }
    void setCtrtReturnType(int type) { m_ctrtReturnType = type; }

private:
    int m_ctrtId = 0;
    int m_ctrtName = 0;
    int m_ctrtReturnType = 0;
};

// ContentType: ctnt_id, the text in the language the query asked for, and both texts.
class ContentRecord
{
public:
    int ctntId() const { return m_ctntId; }
    void setCtntId(int id) { m_ctntId = id; }
    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    QString ctntChinese() const { return m_ctntChinese; }
    void setCtntChinese(const QString &text) { m_ctntChinese = text; }
    QString ctntEnglish() const { return m_ctntEnglish; }
    void setCtntEnglish(const QString &text) { m_ctntEnglish = text; }

private:
    int m_ctntId = 0;
    QString m_text;
    QString m_ctntChinese;
    QString m_ctntEnglish;
};

// FormulaType: fmlt_id, fmlt_expression.
class FormulaRecord
{
public:
    int fmltId() const { return m_fmltId; }
    void setFmltId(int id) { m_fmltId = id; }
    QString fmltExpression() const { return m_fmltExpression; }
    void setFmltExpression(const QString &expression) { m_fmltExpression = expression; }

private:
    int m_fmltId = 0;
    QString m_fmltExpression;
};

// Re_Prit_Page_Layout: one section of one page of a printer type.
class PageLayoutRecord
{
public:
    int rpplId() const { return m_rpplId; }
    void setRpplId(int id) { m_rpplId = id; }
    int pritId() const { return m_pritId; }
    void setPritId(int id) { m_pritId = id; }
    int pageId() const { return m_pageId; }
    void setPageId(int page) { m_pageId = page; }
    int layout() const { return m_layout; }
    void setLayout(int layout) { m_layout = layout; }
    int contentId() const { return m_contentId; }
    void setContentId(int id) { m_contentId = id; }
    QString bytePosition() const { return m_bytePosition; }
    void setBytePosition(const QString &positions) { m_bytePosition = positions; }
    QString valid() const { return m_valid; }
    void setValid(const QString &values) { m_valid = values; }

private:
    int m_rpplId = 0;
    int m_pritId = 0;
    int m_pageId = 0;
    int m_layout = 0;
    int m_contentId = 0;
    QString m_bytePosition;
    QString m_valid;
};

// Re_Prit_Ctrt_Act: one control of a section. Accessors follow the columns rpca_<name>.
class ControlRow
{
public:
    int rpcaId() const { return m_rpcaId; }
    void setRpcaId(int id) { m_rpcaId = id; }
    int pritId() const { return m_pritId; }
    void setPritId(int id) { m_pritId = id; }
    int rpplId() const { return m_rpplId; }
    void setRpplId(int id) { m_rpplId = id; }
    int controlId() const { return m_controlId; }
    void setControlId(int ctrtId) { m_controlId = ctrtId; }
    int parentRelated() const { return m_parentRelated; }
    void setParentRelated(int related) { m_parentRelated = related; }
    int actionId() const { return m_actionId; }
    void setActionId(int id) { m_actionId = id; }
    int pageRow() const { return m_pageRow; }
    void setPageRow(int row) { m_pageRow = row; }
    int pageCol() const { return m_pageCol; }
    void setPageCol(int col) { m_pageCol = col; }
    int bytePosition() const { return m_bytePosition; }
    void setBytePosition(int position) { m_bytePosition = position; }
    int byteLength() const { return m_byteLength; }
    void setByteLength(int length) { m_byteLength = length; }
    int timeout() const { return m_timeout; }
    void setTimeout(int ms) { m_timeout = ms; }
    int comment() const { return m_comment; }
    void setComment(int ctntId) { m_comment = ctntId; }
    int contentId() const { return m_contentId; }
    void setContentId(int ctntId) { m_contentId = ctntId; }
    int readFormulaId() const { return m_readFormulaId; }
    void setReadFormulaId(int fmltId) { m_readFormulaId = fmltId; }
    int writeFormulaId() const { return m_writeFormulaId; }
    void setWriteFormulaId(int fmltId) { m_writeFormulaId = fmltId; }
    QString relatePosition() const { return m_relatePosition; }
    void setRelatePosition(const QString &positions) { m_relatePosition = positions; }
    QString relateValid() const { return m_relateValid; }
    void setRelateValid(const QString &values) { m_relateValid = values; }
    double minLength() const { return m_minLength; }
    void setMinLength(double value) { m_minLength = value; }
    double maxLength() const { return m_maxLength; }
    void setMaxLength(double value) { m_maxLength = value; }

private:
    int m_rpcaId = 0;
    int m_pritId = 0;
    int m_rpplId = 0;
    int m_controlId = 0;
    int m_parentRelated = 0;
    int m_actionId = 0;
    int m_pageRow = 0;
    int m_pageCol = 0;
    int m_bytePosition = 0;
    int m_byteLength = 0;
    int m_timeout = 0;
    int m_comment = 0;
    int m_contentId = 0;
    int m_readFormulaId = 0;
    int m_writeFormulaId = 0;
    QString m_relatePosition;
    QString m_relateValid;
    double m_minLength = 0.0;
    double m_maxLength = 0.0;
};

// Re_Prit_Ctrt_Ctnt: one option of a control; contentOrder is the byte value it stands for.
class OptionItem
{
public:
    int pritId() const { return m_pritId; }
    void setPritId(int id) { m_pritId = id; }
    int rpcaId() const { return m_rpcaId; }
    void setRpcaId(int id) { m_rpcaId = id; }
    int contentId() const { return m_contentId; }
    void setContentId(int ctntId) { m_contentId = ctntId; }
    int contentOrder() const { return m_contentOrder; }
    void setContentOrder(int value) { m_contentOrder = value; }

private:
    int m_pritId = 0;
    int m_rpcaId = 0;
    int m_contentId = 0;
    int m_contentOrder = 0;
};

// Re_Prit_Ctrt_Cmd: the group name or button action of a control and its role number.
class CommandBinding
{
public:
    int pritId() const { return m_pritId; }
    void setPritId(int id) { m_pritId = id; }
    int rpcaId() const { return m_rpcaId; }
    void setRpcaId(int id) { m_rpcaId = id; }
    QString cmd() const { return m_cmd; }
    void setCmd(const QString &cmd) { m_cmd = cmd; }
    int relationControlId() const { return m_relationControlId; }
    void setRelationControlId(int id) { m_relationControlId = id; }
    int paramPosition() const { return m_paramPosition; }
    void setParamPosition(int role) { m_paramPosition = role; }

private:
    int m_pritId = 0;
    int m_rpcaId = 0;
    QString m_cmd;
    int m_relationControlId = 0;
    int m_paramPosition = 0;
};

Q_DECLARE_METATYPE(ControlRow)
Q_DECLARE_METATYPE(PageLayoutRecord)
