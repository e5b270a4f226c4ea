#pragma once

#include <QList>
#include <QStringList>

#include "setup_common/setupmessages.h"

// Answers the setup programs' message boxes in tests and remembers every text.
class RecordingMessages : public SetupMessages
{
public:
    QStringList texts;
    QList<Icon> icons;
    bool answer = true;

    void show(Icon icon, const QString &text) override
    {
        icons << icon;
        texts << text;
    }
    bool ask(const QString &text) override
    {
        texts << text;
        return answer;
    }
};
