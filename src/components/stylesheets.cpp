#include "components/stylesheets.h"

QString rkstyle::flatButton(const QString &normal, const QString &hover, const QString &pressed)
{
    return QStringLiteral("QPushButton{background:%1;border:none;}"
                          "QPushButton:hover{background:%2;}"
                          "QPushButton:pressed{background:%3;}")
        .arg(normal, hover, pressed);
}

QString rkstyle::navigationButton(const QString &normal, const QString &hover, const QString &pressed)
{
    return QStringLiteral("QToolButton{background:%1;color:white;font-weight:bold;border:none;"
                          "border-radius:6px;padding:4px;}"
                          "QToolButton:hover{background:%2;}"
                          "QToolButton:pressed{background:%3;}"
                          "QToolButton:disabled{background:#BDC3C7;color:#ECF0F1;}")
        .arg(normal, hover, pressed);
}
