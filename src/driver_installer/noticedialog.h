#pragma once

#include <QDialog>

// The notice RKSETUP shows before its page: which systems the package is for, and when to connect
// the printer. OK goes on, CANCEL ends the program.
class NoticeDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NoticeDialog)

public:
    explicit NoticeDialog(QWidget *parent = nullptr);
};
